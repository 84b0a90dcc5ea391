#include "ImpostazioniCatalogo.h"

namespace lumetra::composition {

bool LeggiTipoBarre(const QString& testo, ImpostazioniBarre& barre) {
    const QString tipo = testo.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    const QString colonna = testo.section(QLatin1Char(':'), 1).trimmed();
    if (tipo.isEmpty() && colonna.isEmpty()) {
        barre.tipo = TipoBarre::Nessuno;
    } else if (tipo == QLatin1String("code128") && !testo.contains(QLatin1Char(':'))) {
        barre.tipo = TipoBarre::Code128;
    } else if (tipo == QLatin1String("ean13") && !colonna.isEmpty()) {
        barre.tipo = TipoBarre::Ean13;
        barre.colonna = colonna;
    } else {
        return false;
    }
    return true;
}

QString TestoTipoBarre(const ImpostazioniBarre& barre) {
    switch (barre.tipo) {
    case TipoBarre::Code128:
        return QStringLiteral("code128");
    case TipoBarre::Ean13:
        return QStringLiteral("ean13:") + barre.colonna;
    case TipoBarre::Nessuno:
        break;
    }
    return {};
}

} // namespace lumetra::composition

#include "ControlloStampa.h"

#include <algorithm>

namespace lumetra::composition {

QString NomeTipo(TipoRilievo tipo) {
    switch (tipo) {
    case TipoRilievo::Danneggiata:
        return QStringLiteral("danneggiata");
    case TipoRilievo::Risoluzione:
        return QStringLiteral("risoluzione");
    case TipoRilievo::Deformata:
        return QStringLiteral("deformata");
    case TipoRilievo::Duplicato:
        return QStringLiteral("duplicato");
    case TipoRilievo::Didascalia:
        return QStringLiteral("didascalia");
    case TipoRilievo::Listino:
        return QStringLiteral("listino");
    case TipoRilievo::Barre:
        return QStringLiteral("barre");
    case TipoRilievo::Pagina:
        break;
    }
    return QStringLiteral("pagina");
}

QString TitoloTipo(TipoRilievo tipo) {
    switch (tipo) {
    case TipoRilievo::Danneggiata:
        return QStringLiteral("Immagini danneggiate o incomplete");
    case TipoRilievo::Risoluzione:
        return QStringLiteral("Risoluzione insufficiente");
    case TipoRilievo::Deformata:
        return QStringLiteral("Immagini deformate");
    case TipoRilievo::Duplicato:
        return QStringLiteral("Codici articolo ripetuti");
    case TipoRilievo::Didascalia:
        return QStringLiteral("Didascalie");
    case TipoRilievo::Listino:
        return QStringLiteral("Codici assenti dal listino");
    case TipoRilievo::Barre:
        return QStringLiteral("Codici a barre non validi");
    case TipoRilievo::Pagina:
        break;
    }
    return QStringLiteral("Rettangoli fuori dalla pagina");
}

namespace {

QString Conta(int numero, const char* uno, const char* molti) {
    return QStringLiteral("%1 %2").arg(numero).arg(QString::fromUtf8(numero == 1 ? uno : molti));
}

} // namespace

QString Riepilogo::Testo() const {
    QString testo = QStringLiteral("Riepilogo: ") + Conta(immagini, "immagine", "immagini") +
                    QStringLiteral(", ") + Conta(pagine, "pagina", "pagine");
    if (spaziVuoti > 0) {
        testo += QStringLiteral(", ") + Conta(spaziVuoti, "spazio vuoto", "spazi vuoti") +
                 QStringLiteral(" nell'ultima pagina");
    }
    testo += QStringLiteral(", ") + Conta(Fogli(), "foglio", "fogli") +
             QStringLiteral(" da stampare (%1 x %2)")
                 .arg(Conta(pagine, "pagina", "pagine"), Conta(copie, "copia", "copie"));
    return testo;
}

bool Controllo::HaDanneggiate() const {
    return std::any_of(rilievi.begin(), rilievi.end(), [](const Rilievo& rilievo) {
        return rilievo.tipo == TipoRilievo::Danneggiata;
    });
}

} // namespace lumetra::composition

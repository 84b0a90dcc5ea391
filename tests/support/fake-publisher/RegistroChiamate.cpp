#include "RegistroChiamate.h"

#include "PublisherApi.h"

namespace lumetra::fake {

void RegistroChiamate::FallisciSu(const QString& modello, std::int32_t numero, int occorrenza,
                                  const QString& descrizione) {
    regole_.push_back(
        {QRegularExpression(modello), numero, occorrenza,
         descrizione.isEmpty() ? QStringLiteral("Errore %1 simulato").arg(numero) : descrizione});
}

void RegistroChiamate::Registra(const QString& riga) {
    const Regola* scattata = nullptr;
    for (Regola& regola : regole_) {
        if (regola.mancanti <= 0 || !regola.modello.match(riga).hasMatch())
            continue;
        if (--regola.mancanti == 0 && !scattata)
            scattata = &regola;
    }
    if (scattata) {
        righe_.append(riga + QStringLiteral(" => Errore(%1)").arg(scattata->numero));
        throw Publisher::Error(scattata->numero, scattata->descrizione);
    }
    righe_.append(riga);
}

QStringList RegistroChiamate::Righe(const QString& modello) const {
    const QRegularExpression re(modello);
    QStringList scelte;
    for (const QString& riga : righe_) {
        if (re.match(riga).hasMatch())
            scelte.append(riga);
    }
    return scelte;
}

QStringList RegistroChiamate::Operazioni() const {
    static const QRegularExpression navigazione(QStringLiteral(
        "\\.(Pages|Shapes|TextFrame|TextRange|ParagraphFormat|Font|Fill|ForeColor)$"));
    QStringList scelte;
    for (const QString& riga : righe_) {
        if (!navigazione.match(riga).hasMatch())
            scelte.append(riga);
    }
    return scelte;
}

QString Valore(double numero) {
    return QString::number(numero, 'g', 12);
}
QString Valore(const QString& testo) {
    return QLatin1Char('"') + testo + QLatin1Char('"');
}
QString Valore(bool valore) {
    return valore ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace lumetra::fake

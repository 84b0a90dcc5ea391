#include "RigaDiComando.h"

#include "FileNames.h"

namespace lumetra::rigadicomando {

RigaLetta LeggiRiga(const QStringList& lista, const QStringList& interruttori,
                    const QStringList& conValore) {
    RigaLetta riga;
    bool soloPosizionali = false;
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QString& parola = lista[i];
        if (soloPosizionali || !parola.startsWith(QLatin1String("--"))) {
            riga.parole.push_back({QString(), parola});
        } else if (parola == QLatin1String("--")) {
            soloPosizionali = true;
        } else if (parola == QLatin1String("--help")) {
            return RigaLetta{{}, true, QString()};
        } else if (interruttori.contains(parola)) {
            riga.parole.push_back({parola, QString()});
        } else if (!conValore.contains(parola)) {
            return RigaLetta{{}, false, QStringLiteral("Opzione sconosciuta: %1").arg(parola)};
        } else if (i + 1 >= lista.size()) {
            return RigaLetta{
                {}, false, QStringLiteral("Manca il valore dell'opzione %1").arg(parola)};
        } else {
            riga.parole.push_back({parola, lista[++i]});
        }
    }
    return riga;
}

QStringList ParoleDi(int argc, char** argv) {
    QStringList parole;
    for (int i = 1; i < argc; ++i) {
        parole.append(runtime::fromNativeName(QByteArray(argv[i])));
    }
    return parole;
}

std::optional<int> Intero(const QString& testo, int minimo, int massimo) {
    bool ok = false;
    const int valore = testo.trimmed().toInt(&ok);
    if (!ok || valore < minimo || valore > massimo) {
        return std::nullopt;
    }
    return valore;
}

} // namespace lumetra::rigadicomando

#include "ArgomentiLayout.h"

#include "Measures.h"
#include "PaperSizes.h"
#include "RigaDiComando.h"

namespace lumetra::layout {
namespace {

using rigadicomando::Intero;

EsitoArgomenti Errore(const QString& testo) {
    EsitoArgomenti esito;
    esito.errore = testo;
    return esito;
}

} // namespace

QString TestoAiuto() {
    return QStringLiteral(
        "Uso: lumetra-layout griglia [--pagina FORMATO] [--orizzontale] --righe R --colonne C\n"
        "                    [--margini MM] [--spazio MM] [--titolo TESTO] [--sovrascrivi]\n"
        "                    FILE.pub\n"
        "     lumetra-layout etichette --foglio NOME [--sovrascrivi] FILE.pub\n"
        "     lumetra-layout --elenco [TESTO]\n"
        "\n"
        "Crea un nuovo layout di Publisher (*.pub) per Lumetra: una pagina con i rettangoli da\n"
        "riempire con le immagini, numerati per righe da sinistra a destra.\n"
        "\n"
        "griglia: una griglia di R righe e C colonne di rettangoli uguali dentro i margini.\n"
        "  --pagina FORMATO   A4, A3, A5, Letter oppure LxH in millimetri, es. 200x300 (A4)\n"
        "  --orizzontale      pagina orizzontale\n"
        "  --righe R          righe di rettangoli, da 1 a 100\n"
        "  --colonne C        colonne di rettangoli, da 1 a 100\n"
        "  --margini MM       margine su ogni lato, in millimetri (10)\n"
        "  --spazio MM        spazio tra i rettangoli, in millimetri (5)\n"
        "  --titolo TESTO     un titolo in una casella di testo in cima alla pagina, alta 12 mm\n"
        "\n"
        "etichette: un foglio di etichette in commercio, con le sue misure esatte.\n"
        "  --foglio NOME      marca e codice del foglio, es. \"Avery L7163\"\n"
        "  --elenco [TESTO]   elenca i fogli conosciuti (solo quelli che contengono TESTO)\n"
        "\n"
        "  --sovrascrivi      sostituisce FILE.pub se esiste già\n"
        "  --help             mostra questo aiuto\n"
        "\n"
        "I fogli di etichette vengono dai modelli del pacchetto glabels-data (oppure dalla\n"
        "cartella indicata nella variabile LUMETRA_ETICHETTE). Le etichette rotonde, i CD/DVD e\n"
        "le etichette ellittiche diventano il rettangolo che le contiene: per le rotonde, il\n"
        "quadrato circoscritto.\n"
        "Il file viene scritto per intero in un file temporaneo e poi rinominato; un file\n"
        "esistente non viene mai sostituito senza --sovrascrivi, e un collegamento simbolico\n"
        "non viene mai seguito.\n"
        "Codice di uscita: 0 layout scritto, 1 nessun layout scritto, 2 argomenti non validi.\n");
}

EsitoArgomenti LeggiArgomenti(const QStringList& lista) {
    Argomenti a;
    std::optional<Comando> comando;
    QStringList posizionali;
    bool righe = false, colonne = false;
    QStringList opzioniGriglia, opzioniEtichette;
    const rigadicomando::RigaLetta riga = rigadicomando::LeggiRiga(
        lista,
        {QStringLiteral("--elenco"), QStringLiteral("--sovrascrivi"),
         QStringLiteral("--orizzontale")},
        {QStringLiteral("--pagina"), QStringLiteral("--righe"), QStringLiteral("--colonne"),
         QStringLiteral("--margini"), QStringLiteral("--spazio"), QStringLiteral("--titolo"),
         QStringLiteral("--foglio")});
    if (riga.aiuto) {
        EsitoArgomenti esito;
        esito.aiuto = true;
        return esito;
    }
    if (!riga.errore.isEmpty()) {
        return Errore(riga.errore);
    }
    for (const auto& [arg, valore] : riga.parole) {
        if (arg.isEmpty()) {
            posizionali.append(valore);
            continue;
        }
        if (arg == QLatin1String("--elenco")) {
            comando = Comando::Elenco;
            continue;
        }
        if (arg == QLatin1String("--sovrascrivi")) {
            a.sovrascrivi = true;
            continue;
        }
        if (arg == QLatin1String("--orizzontale")) {
            a.griglia.landscape = true;
            opzioniGriglia.append(arg);
            continue;
        }
        if (arg == QLatin1String("--foglio")) {
            a.foglio = valore.trimmed();
            opzioniEtichette.append(arg);
            continue;
        }
        opzioniGriglia.append(arg);
        if (arg == QLatin1String("--pagina")) {
            const std::optional<QSizeF> pagina = layoutwriter::parsePaperSize(valore);
            if (!pagina) {
                return Errore(QStringLiteral("Formato di pagina sconosciuto: '%1' (A4, A3, A5, "
                                             "Letter oppure LxH in millimetri, es. 200x300)")
                                  .arg(valore));
            }
            a.griglia.pageMm = *pagina;
        } else if (arg == QLatin1String("--righe") || arg == QLatin1String("--colonne")) {
            const auto numero = Intero(valore, 1, layoutwriter::MaxRowsOrColumns);
            if (!numero) {
                return Errore(QStringLiteral("%1 accetta un numero intero da 1 a %2: '%3'")
                                  .arg(arg)
                                  .arg(layoutwriter::MaxRowsOrColumns)
                                  .arg(valore));
            }
            (arg == QLatin1String("--righe") ? a.griglia.rows : a.griglia.columns) = *numero;
            (arg == QLatin1String("--righe") ? righe : colonne) = true;
        } else if (arg == QLatin1String("--titolo")) {
            a.griglia.title = valore.trimmed();
        } else {
            const std::optional<double> mm = layoutwriter::parseDecimal(valore);
            if (!mm || *mm < 0) {
                return Errore(QStringLiteral("%1 accetta una misura in millimetri, zero o "
                                             "positiva: '%2'")
                                  .arg(arg, valore));
            }
            (arg == QLatin1String("--margini") ? a.griglia.marginMm : a.griglia.spacingMm) = *mm;
        }
    }

    if (!comando && !posizionali.isEmpty()) {
        const QString nome = posizionali.takeFirst();
        if (nome == QLatin1String("griglia")) {
            comando = Comando::Griglia;
        } else if (nome == QLatin1String("etichette")) {
            comando = Comando::Etichette;
        } else {
            return Errore(
                QStringLiteral("Comando sconosciuto: '%1' (griglia oppure etichette)").arg(nome));
        }
    } else if (comando == Comando::Elenco && !posizionali.isEmpty() &&
               posizionali.first() == QLatin1String("etichette")) {
        posizionali.removeFirst();
    }
    if (!comando) {
        return Errore(QStringLiteral("Specificare griglia, etichette oppure --elenco"));
    }
    a.comando = *comando;

    if (a.comando == Comando::Elenco) {
        if (!opzioniGriglia.isEmpty() || !opzioniEtichette.isEmpty() || a.sovrascrivi) {
            return Errore(QStringLiteral("--elenco non accetta altre opzioni"));
        }
        a.filtro = posizionali.join(QLatin1Char(' '));
        EsitoArgomenti esito;
        esito.argomenti = a;
        return esito;
    }
    const bool griglia = a.comando == Comando::Griglia;
    const QStringList& estranee = griglia ? opzioniEtichette : opzioniGriglia;
    if (!estranee.isEmpty()) {
        return Errore(QStringLiteral("L'opzione %1 non vale per %2")
                          .arg(estranee.first(),
                               griglia ? QStringLiteral("griglia") : QStringLiteral("etichette")));
    }
    if (griglia && (!righe || !colonne)) {
        return Errore(QStringLiteral("Specificare il numero di righe e di colonne con --righe e "
                                     "--colonne"));
    }
    if (!griglia && a.foglio.isEmpty()) {
        return Errore(QStringLiteral("Specificare il foglio di etichette con --foglio "
                                     "(l'elenco con --elenco)"));
    }
    if (posizionali.isEmpty()) {
        return Errore(QStringLiteral("Specificare il file da scrivere (FILE.pub)"));
    }
    if (posizionali.size() > 1) {
        return Errore(
            QStringLiteral("Un solo file da scrivere: '%1' è di troppo").arg(posizionali[1]));
    }
    a.uscita = posizionali.first();
    EsitoArgomenti esito;
    esito.argomenti = a;
    return esito;
}

} // namespace lumetra::layout

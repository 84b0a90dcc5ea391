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

// One value of the grid's options into `a`: the error, or the empty text.
QString LeggiGriglia(Argomenti& a, const QString& arg, const QString& valore) {
    if (arg == QLatin1String("--pagina")) {
        const std::optional<QSizeF> pagina = layoutwriter::parsePaperSize(valore);
        if (!pagina) {
            return QStringLiteral("Formato di pagina sconosciuto: '%1' (A4, A3, A5, Letter oppure "
                                  "LxH in millimetri, es. 200x300)")
                .arg(valore);
        }
        a.griglia.pageMm = *pagina;
    } else if (arg == QLatin1String("--righe") || arg == QLatin1String("--colonne")) {
        const auto numero = Intero(valore, 1, layoutwriter::MaxRowsOrColumns);
        if (!numero) {
            return QStringLiteral("%1 accetta un numero intero da 1 a %2: '%3'")
                .arg(arg)
                .arg(layoutwriter::MaxRowsOrColumns)
                .arg(valore);
        }
        (arg == QLatin1String("--righe") ? a.griglia.rows : a.griglia.columns) = *numero;
    } else if (arg == QLatin1String("--titolo")) {
        a.griglia.title = valore.trimmed();
    } else {
        const std::optional<double> mm = layoutwriter::parseDecimal(valore);
        if (!mm || *mm < 0) {
            return QStringLiteral("%1 accetta una misura in millimetri, zero o positiva: '%2'")
                .arg(arg, valore);
        }
        (arg == QLatin1String("--margini") ? a.griglia.marginMm : a.griglia.spacingMm) = *mm;
    }
    return {};
}

// --spazio-codice (centimetres) or --posizione-codice into `a`: the error, or the empty text.
QString LeggiCodice(Argomenti& a, const QString& arg, const QString& valore) {
    if (arg == QLatin1String("--spazio-codice")) {
        const std::optional<double> cm = layoutwriter::parseDecimal(valore);
        if (!cm || *cm < 0) {
            return QStringLiteral("--spazio-codice accetta un'altezza in centimetri, zero o "
                                  "positiva (es. 0,7): '%1'")
                .arg(valore);
        }
        a.codice.heightMm = *cm * 10;
        return {};
    }
    const QString posizione = valore.trimmed().toLower();
    if (posizione == QLatin1String("sopra")) {
        a.codice.side = layoutwriter::CaptionSide::Above;
    } else if (posizione == QLatin1String("sotto")) {
        a.codice.side = layoutwriter::CaptionSide::Below;
    } else {
        return QStringLiteral("--posizione-codice accetta sopra oppure sotto: '%1'").arg(valore);
    }
    return {};
}

// The options given, by the command they belong to.
struct OpzioniDate {
    QStringList griglia, etichette, codice;
};

// Why the options do not make a griglia or etichette command, or the empty text.
QString ControllaComando(const Argomenti& a, const OpzioniDate& opzioni,
                         const QStringList& posizionali) {
    const bool griglia = a.comando == Comando::Griglia;
    const QStringList& estranee = griglia ? opzioni.etichette : opzioni.griglia;
    if (!estranee.isEmpty()) {
        return QStringLiteral("L'opzione %1 non vale per %2")
            .arg(estranee.first(),
                 griglia ? QStringLiteral("griglia") : QStringLiteral("etichette"));
    }
    if (opzioni.codice.contains(QStringLiteral("--posizione-codice")) &&
        !opzioni.codice.contains(QStringLiteral("--spazio-codice"))) {
        return QStringLiteral("--posizione-codice vale solo con --spazio-codice");
    }
    if (griglia && (!opzioni.griglia.contains(QStringLiteral("--righe")) ||
                    !opzioni.griglia.contains(QStringLiteral("--colonne")))) {
        return QStringLiteral("Specificare il numero di righe e di colonne con --righe e "
                              "--colonne");
    }
    if (!griglia && a.foglio.isEmpty()) {
        return QStringLiteral("Specificare il foglio di etichette con --foglio "
                              "(l'elenco con --elenco)");
    }
    if (posizionali.isEmpty()) {
        return QStringLiteral("Specificare il file da scrivere (FILE.pub)");
    }
    if (posizionali.size() > 1) {
        return QStringLiteral("Un solo file da scrivere: '%1' è di troppo").arg(posizionali[1]);
    }
    return {};
}

} // namespace

QString TestoAiuto() {
    return QStringLiteral(
        "Uso: lumetra-layout griglia [--pagina FORMATO] [--orizzontale] --righe R --colonne C\n"
        "                    [--margini MM] [--spazio MM] [--titolo TESTO]\n"
        "                    [--spazio-codice CM [--posizione-codice sopra|sotto]]\n"
        "                    [--sovrascrivi] FILE.pub\n"
        "     lumetra-layout etichette --foglio NOME\n"
        "                    [--spazio-codice CM [--posizione-codice sopra|sotto]]\n"
        "                    [--sovrascrivi] FILE.pub\n"
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
        "griglia ed etichette: lo spazio per il codice articolo accanto a ogni rettangolo.\n"
        "  --spazio-codice CM altezza del codice (e del codice a barre) in centimetri,\n"
        "                     es. 0,7 (0: nessuno spazio); nella griglia i rettangoli\n"
        "                     diventano più bassi, in un'etichetta il rettangolo lascia lo\n"
        "                     spazio e 1,5 mm per lato; i rettangoli restano alti almeno 5 mm\n"
        "  --posizione-codice sopra|sotto\n"
        "                     lo spazio sopra o sotto ogni rettangolo (sotto)\n"
        "\n"
        "  --sovrascrivi      sostituisce FILE.pub se esiste già\n"
        "  --help             mostra questo aiuto\n"
        "\n"
        "I fogli di etichette vengono dai modelli del pacchetto glabels-data (oppure dalla\n"
        "cartella indicata nella variabile LUMETRA_ETICHETTE). Le etichette rotonde, i CD/DVD e\n"
        "le etichette ellittiche diventano il rettangolo che le contiene: per le rotonde, il\n"
        "quadrato circoscritto; con --spazio-codice, il rettangolo inscritto.\n"
        "Il file viene scritto per intero in un file temporaneo e poi rinominato; un file\n"
        "esistente non viene mai sostituito senza --sovrascrivi, e un collegamento simbolico\n"
        "non viene mai seguito.\n"
        "Codice di uscita: 0 layout scritto, 1 nessun layout scritto, 2 argomenti non validi.\n");
}

EsitoArgomenti LeggiArgomenti(const QStringList& lista) {
    Argomenti a;
    std::optional<Comando> comando;
    QStringList posizionali;
    OpzioniDate opzioni;
    const rigadicomando::RigaLetta riga = rigadicomando::LeggiRiga(
        lista,
        {QStringLiteral("--elenco"), QStringLiteral("--sovrascrivi"),
         QStringLiteral("--orizzontale")},
        {QStringLiteral("--pagina"), QStringLiteral("--righe"), QStringLiteral("--colonne"),
         QStringLiteral("--margini"), QStringLiteral("--spazio"), QStringLiteral("--titolo"),
         QStringLiteral("--foglio"), QStringLiteral("--spazio-codice"),
         QStringLiteral("--posizione-codice")});
    if (riga.aiuto) {
        EsitoArgomenti esito;
        esito.aiuto = true;
        return esito;
    }
    if (!riga.errore.isEmpty()) {
        return Errore(riga.errore);
    }
    for (const auto& [arg, valore] : riga.parole) {
        QString errore;
        if (arg.isEmpty()) {
            posizionali.append(valore);
        } else if (arg == QLatin1String("--elenco")) {
            comando = Comando::Elenco;
        } else if (arg == QLatin1String("--sovrascrivi")) {
            a.sovrascrivi = true;
        } else if (arg == QLatin1String("--orizzontale")) {
            a.griglia.landscape = true;
            opzioni.griglia.append(arg);
        } else if (arg == QLatin1String("--foglio")) {
            a.foglio = valore.trimmed();
            opzioni.etichette.append(arg);
        } else if (arg.endsWith(QLatin1String("-codice"))) {
            errore = LeggiCodice(a, arg, valore);
            opzioni.codice.append(arg);
        } else {
            errore = LeggiGriglia(a, arg, valore);
            opzioni.griglia.append(arg);
        }
        if (!errore.isEmpty()) {
            return Errore(errore);
        }
    }
    a.griglia.caption = a.codice;

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
        if (!opzioni.griglia.isEmpty() || !opzioni.etichette.isEmpty() ||
            !opzioni.codice.isEmpty() || a.sovrascrivi) {
            return Errore(QStringLiteral("--elenco non accetta altre opzioni"));
        }
        a.filtro = posizionali.join(QLatin1Char(' '));
        EsitoArgomenti esito;
        esito.argomenti = a;
        return esito;
    }
    if (const QString errore = ControllaComando(a, opzioni, posizionali); !errore.isEmpty()) {
        return Errore(errore);
    }
    a.uscita = posizionali.first();
    EsitoArgomenti esito;
    esito.argomenti = a;
    return esito;
}

} // namespace lumetra::layout

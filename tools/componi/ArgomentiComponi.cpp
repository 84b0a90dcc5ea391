#include "ArgomentiComponi.h"

#include "AltezzaCodice.h"
#include "RigaDiComando.h"

#include <limits>

namespace lumetra::componi {
using rigadicomando::Intero;

bool AltezzaValida(const QString& testo) {
    // The same reading and limits as the window's print command.
    const std::optional<double> valore = printjob::ConvertiAltezza(testo);
    return valore && *valore >= printjob::AltezzaMinima && *valore <= printjob::AltezzaMassima;
}

QString TestoAiuto() {
    return QStringLiteral(
        "Uso: lumetra-componi --layout LAYOUT.pub --cartella CARTELLA [opzioni]\n"
        "                     (--pdf FILE.pdf | --stampante | --controlla) [--] FILE...\n"
        "\n"
        "Riempie i rettangoli della prima pagina del layout con le immagini FILE (nomi di file\n"
        "nella CARTELLA, nell'ordine dato), aggiunge i codici articolo e stampa il documento\n"
        "sulla stampante predefinita oppure lo scrive in un file PDF.\n"
        "\n"
        "Opzioni:\n"
        "  --layout FILE      il layout di Publisher (*.pub)\n"
        "  --cartella DIR     la cartella delle immagini\n"
        "  --esterno N        codice articolo esterno: 0 nessuno, 1 sopra, 2 sotto (0)\n"
        "  --interno N        codice articolo interno: 0 nessuno, 1 sinistra, 2 destra (0)\n"
        "  --altezza H        altezza del codice articolo in centimetri, da 0,3 a 9,0 (0,7)\n"
        "  --font NOME        carattere del codice articolo (Times New Roman)\n"
        "  --grassetto        carattere grassetto\n"
        "  --corsivo          carattere corsivo\n"
        "  --copie N          numero di copie fascicolate, da 1 a 999 (1)\n"
        "  --adattamento MODO come le immagini riempiono i rettangoli (deforma):\n"
        "                     deforma  tutto il rettangolo, senza mantenere le proporzioni\n"
        "                     adatta   tutta l'immagine, centrata, con il bianco intorno\n"
        "                     riempi   tutto il rettangolo, con i bordi dell'immagine tagliati\n"
        "  --ppi-minimo N     risoluzione minima di stampa, in pixel per pollice (150)\n"
        "  --pdf FILE         scrive il documento in un file PDF invece di stamparlo\n"
        "  --stampante        stampa sulla stampante predefinita\n"
        "  --controlla        esegue solo il controllo prima della stampa: non stampa e non\n"
        "                     scrive nulla (--pdf e --stampante vengono ignorate)\n"
        "  --includi-danneggiate\n"
        "                     inserisce anche le immagini danneggiate (la parte leggibile)\n"
        "                     invece di saltarle\n"
        "  --dettagli         mostra anche l'avanzamento del lavoro\n"
        "  --help             mostra questo aiuto\n"
        "  --                 fine delle opzioni: le parole che seguono sono tutte nomi di file\n"
        "                     (anche quelle che cominciano con \"-\")\n"
        "\n"
        "Le opzioni possono stare in qualunque punto della riga, anche dopo i FILE.\n"
        "Le immagini che non si trovano o non si possono inserire vengono saltate e segnalate.\n"
        "\n"
        "Prima di stampare, il documento composto viene controllato: immagini danneggiate,\n"
        "risoluzione sotto il minimo, immagini deformate, codici articolo ripetuti, didascalie\n"
        "illeggibili, rettangoli fuori dalla pagina. Ogni problema è segnalato su una riga:\n"
        "    avviso: TIPO: 'FILE': descrizione\n"
        "dove TIPO è danneggiata, risoluzione, deformata, duplicato, didascalia o pagina;\n"
        "segue il riepilogo del lavoro (\"Riepilogo: ...\"). Le immagini danneggiate vengono\n"
        "saltate, salvo con --includi-danneggiate; gli altri problemi non fermano la stampa.\n"
        "\n"
        "Codice di uscita: 0 documento stampato, 1 nessuna stampa, 2 argomenti non validi.\n"
        "Con --controlla: 0 nessun problema, 3 problemi segnalati, 1 controllo non eseguito\n"
        "(il lavoro non si può comporre), 2 argomenti non validi.\n");
}

namespace {

// The ways of --adattamento, as the window's choice names them.
std::optional<int> Adattamento(const QString& testo) {
    if (testo == QLatin1String("deforma")) {
        return Publisher::lmPictureFitStretch;
    }
    if (testo == QLatin1String("adatta")) {
        return Publisher::lmPictureFitContain;
    }
    if (testo == QLatin1String("riempi")) {
        return Publisher::lmPictureFitCover;
    }
    return std::nullopt;
}

// Stores the value of an option that is checked; gives why it is refused, or nothing.
QString LeggiValore(Argomenti& a, const QString& arg, const QString& valore) {
    if (arg == QLatin1String("--altezza")) {
        if (!AltezzaValida(valore)) {
            return QStringLiteral("L'altezza del codice articolo deve essere compresa tra 0,3 e "
                                  "9,0 centimetri: '%1'")
                .arg(valore);
        }
        a.altezza = valore;
    } else if (arg == QLatin1String("--copie")) {
        const auto copie = Intero(valore, 1, 999);
        if (!copie) {
            return QStringLiteral("Il numero di copie deve essere tra 1 e 999: '%1'").arg(valore);
        }
        a.copie = *copie;
    } else if (arg == QLatin1String("--adattamento")) {
        const auto adattamento = Adattamento(valore);
        if (!adattamento) {
            return QStringLiteral("--adattamento accetta deforma, adatta o riempi: '%1'")
                .arg(valore);
        }
        a.adattamento = *adattamento;
    } else if (arg == QLatin1String("--ppi-minimo")) {
        const auto ppi = Intero(valore, 1, std::numeric_limits<int>::max());
        if (!ppi) {
            return QStringLiteral("La risoluzione minima deve essere un numero intero di pixel "
                                  "per pollice, almeno 1: '%1'")
                .arg(valore);
        }
        a.ppiMinimo = *ppi;
    } else {
        const auto posizione = Intero(valore, 0, 2);
        if (!posizione) {
            return QStringLiteral("%1 accetta 0, 1 o 2: '%2'").arg(arg, valore);
        }
        (arg == QLatin1String("--esterno") ? a.esterno : a.interno) = *posizione;
    }
    return {};
}

} // namespace

EsitoArgomenti LeggiArgomenti(const QStringList& lista) {
    Argomenti a;
    bool stampante = false;
    auto errore = [](const QString& testo) {
        EsitoArgomenti esito;
        esito.errore = testo;
        return esito;
    };
    const rigadicomando::RigaLetta riga = rigadicomando::LeggiRiga(
        lista,
        {QStringLiteral("--grassetto"), QStringLiteral("--corsivo"), QStringLiteral("--stampante"),
         QStringLiteral("--dettagli"), QStringLiteral("--controlla"),
         QStringLiteral("--includi-danneggiate")},
        {QStringLiteral("--layout"), QStringLiteral("--cartella"), QStringLiteral("--esterno"),
         QStringLiteral("--interno"), QStringLiteral("--altezza"), QStringLiteral("--font"),
         QStringLiteral("--copie"), QStringLiteral("--pdf"), QStringLiteral("--adattamento"),
         QStringLiteral("--ppi-minimo")});
    if (riga.aiuto) {
        EsitoArgomenti esito;
        esito.aiuto = true;
        return esito;
    }
    if (!riga.errore.isEmpty()) {
        return errore(riga.errore);
    }
    for (const auto& [arg, valore] : riga.parole) {
        if (arg.isEmpty()) {
            a.file.append(valore);
        } else if (arg == QLatin1String("--grassetto")) {
            a.grassetto = true;
        } else if (arg == QLatin1String("--corsivo")) {
            a.corsivo = true;
        } else if (arg == QLatin1String("--stampante")) {
            stampante = true;
        } else if (arg == QLatin1String("--dettagli")) {
            a.dettagli = true;
        } else if (arg == QLatin1String("--controlla")) {
            a.controlla = true;
        } else if (arg == QLatin1String("--includi-danneggiate")) {
            a.includiDanneggiate = true;
        } else if (arg == QLatin1String("--layout")) {
            a.layout = valore;
        } else if (arg == QLatin1String("--cartella")) {
            a.cartella = valore;
        } else if (arg == QLatin1String("--font")) {
            a.font = valore;
        } else if (arg == QLatin1String("--pdf")) {
            a.pdf = valore;
        } else if (const QString rifiuto = LeggiValore(a, arg, valore); !rifiuto.isEmpty()) {
            return errore(rifiuto);
        }
    }
    if (a.layout.isEmpty()) {
        return errore(QStringLiteral("Specificare il layout con --layout"));
    }
    if (a.cartella.isEmpty()) {
        return errore(QStringLiteral("Specificare la cartella delle immagini con --cartella"));
    }
    if (a.controlla) {
        a.pdf.clear(); // the check alone: no destination is used
    } else if (stampante == !a.pdf.isEmpty()) {
        return errore(QStringLiteral("Specificare una sola destinazione: --pdf FILE oppure "
                                     "--stampante"));
    }
    if (a.file.isEmpty()) {
        return errore(QStringLiteral("Specificare almeno un file immagine"));
    }
    EsitoArgomenti esito;
    esito.argomenti = a;
    return esito;
}

} // namespace lumetra::componi

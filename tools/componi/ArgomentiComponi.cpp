#include "ArgomentiComponi.h"

#include "AltezzaCodice.h"
#include "Error.h"
#include "LavoroComponi.h"
#include "RigaDiComando.h"

#include <QFileInfo>

#include <limits>
#include <utility>

namespace lumetra::componi {
using rigadicomando::Intero;
using rigadicomando::Parola;

bool AltezzaValida(const QString& testo) {
    // The same reading and limits as the window's print command.
    const std::optional<double> valore = printjob::ConvertiAltezza(testo);
    return valore && *valore >= printjob::AltezzaMinima && *valore <= printjob::AltezzaMassima;
}

namespace {

// The ways of --adattamento, as the window's choice names them, by their Publisher value.
const QStringList Adattamenti = {QStringLiteral("deforma"), QStringLiteral("adatta"),
                                 QStringLiteral("riempi")};
static_assert(Publisher::lmPictureFitStretch == 0 && Publisher::lmPictureFitContain == 1 &&
              Publisher::lmPictureFitCover == 2);

// The options taken as they stand, and the flags.
const std::pair<const char*, QString Argomenti::*> Testi[] = {
    {"--layout", &Argomenti::layout},
    {"--cartella", &Argomenti::cartella},
    {"--font", &Argomenti::font},
    {"--pdf", &Argomenti::pdf},
    {"--listino", &Argomenti::listino},
    {"--chiave", &Argomenti::chiave},
    {"--testo-esterno", &Argomenti::modelloEsterno},
    {"--testo-interno", &Argomenti::modelloInterno},
    {"--lavoro", &Argomenti::lavoro},
    {"--salva-lavoro", &Argomenti::salvaLavoro},
};
const std::pair<const char*, bool Argomenti::*> Interruttori[] = {
    {"--grassetto", &Argomenti::grassetto},
    {"--corsivo", &Argomenti::corsivo},
    {"--stampante", &Argomenti::stampante},
    {"--dettagli", &Argomenti::dettagli},
    {"--controlla", &Argomenti::controlla},
    {"--includi-danneggiate", &Argomenti::includiDanneggiate},
};
// The options whose value is checked (LeggiValore).
const char* const Controllate[] = {"--esterno", "--interno",         "--altezza",
                                   "--copie",   "--adattamento",     "--ppi-minimo",
                                   "--barre",   "--barre-posizione", "--barre-altezza"};

constexpr double AltezzaMinimaBarre = 0.5;
constexpr double AltezzaMassimaBarre = 9.0;

// The barcode's options: what it encodes, where, how high.
QString LeggiBarre(Argomenti& a, const QString& arg, const QString& valore) {
    if (arg == QLatin1String("--barre")) {
        if (valore.trimmed() == QLatin1String("nessuno")) {
            a.barre.tipo = composition::TipoBarre::Nessuno;
        } else if (!composition::LeggiTipoBarre(valore, a.barre)) {
            return QStringLiteral("--barre accetta code128, ean13:COLONNA o nessuno: '%1'")
                .arg(valore);
        }
    } else if (arg == QLatin1String("--barre-posizione")) {
        const qsizetype posizione =
            QStringList{QStringLiteral("sopra"), QStringLiteral("sotto")}.indexOf(valore);
        if (posizione < 0) {
            return QStringLiteral("--barre-posizione accetta sopra o sotto: '%1'").arg(valore);
        }
        a.barre.posizione = static_cast<int>(posizione) + 1;
    } else {
        const std::optional<double> cm = printjob::ConvertiAltezza(valore);
        if (!cm || *cm < AltezzaMinimaBarre || *cm > AltezzaMassimaBarre) {
            return QStringLiteral("L'altezza del codice a barre deve essere compresa tra 0,5 e "
                                  "9,0 centimetri: '%1'")
                .arg(valore);
        }
        a.barre.altezza = valore;
    }
    return {};
}

// Stores the value of an option that is checked; gives why it is refused, or nothing.
QString LeggiValore(Argomenti& a, const QString& arg, const QString& valore) {
    if (arg.startsWith(QLatin1String("--barre"))) {
        return LeggiBarre(a, arg, valore);
    }
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
        const qsizetype adattamento = Adattamenti.indexOf(valore);
        if (adattamento < 0) {
            return QStringLiteral("--adattamento accetta deforma, adatta o riempi: '%1'")
                .arg(valore);
        }
        a.adattamento = static_cast<int>(adattamento);
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

// Stores an option; gives why it is refused, or nothing.
QString Leggi(Argomenti& a, const Parola& parola) {
    for (const auto& [nome, campo] : Testi) {
        if (parola.opzione == QLatin1String(nome)) {
            a.*campo = parola.valore;
            return {};
        }
    }
    for (const auto& [nome, campo] : Interruttori) {
        if (parola.opzione == QLatin1String(nome)) {
            a.*campo = true;
            return {};
        }
    }
    return LeggiValore(a, parola.opzione, parola.valore);
}

// The saved job's settings and queue, but for the options in `date`; why it cannot be used, or
// nothing.
QString DalLavoro(Argomenti& a, const QStringList& date) {
    composition::LavoroSalvato lavoro;
    try {
        lavoro = composition::ApriLavoro(a.lavoro);
    } catch (const runtime::Error& e) {
        return e.Description();
    }
    a.file = lavoro.coda;
    for (const Parola& parola : ParoleDelLavoro(lavoro)) {
        if (date.contains(parola.opzione)) {
            continue;
        }
        if (const QString rifiuto = Leggi(a, parola); !rifiuto.isEmpty()) {
            return QStringLiteral("Lavoro '%1': %2").arg(QFileInfo(a.lavoro).fileName(), rifiuto);
        }
    }
    return {};
}

// Why the settings make no job, or nothing.
QString Incompleto(Argomenti& a) {
    if (a.layout.isEmpty()) {
        return QStringLiteral("Specificare il layout con --layout");
    }
    if (a.cartella.isEmpty()) {
        return QStringLiteral("Specificare la cartella delle immagini con --cartella");
    }
    if (!a.chiave.isEmpty() && a.listino.isEmpty()) {
        return QStringLiteral("--chiave richiede un listino: specificarlo con --listino");
    }
    if (a.controlla || !a.salvaLavoro.isEmpty()) {
        a.pdf.clear(); // the check alone, or the job saved: no destination is used
        a.stampante = false;
    } else if (a.stampante == !a.pdf.isEmpty()) {
        return QStringLiteral("Specificare una sola destinazione: --pdf FILE oppure --stampante");
    }
    if (a.file.isEmpty()) {
        return QStringLiteral("Specificare almeno un file immagine");
    }
    return {};
}

EsitoArgomenti Errore(const QString& testo, int uscita = 2) {
    EsitoArgomenti esito;
    esito.errore = testo;
    esito.uscita = uscita;
    return esito;
}

} // namespace

QString NomeAdattamento(int adattamento) {
    return Adattamenti.value(adattamento, Adattamenti.first());
}

EsitoArgomenti LeggiArgomenti(const QStringList& lista) {
    QStringList interruttori;
    QStringList conValore;
    for (const auto& voce : Interruttori) {
        interruttori.append(QLatin1String(voce.first));
    }
    for (const auto& voce : Testi) {
        conValore.append(QLatin1String(voce.first));
    }
    for (const char* nome : Controllate) {
        conValore.append(QLatin1String(nome));
    }
    const rigadicomando::RigaLetta riga = rigadicomando::LeggiRiga(lista, interruttori, conValore);
    if (riga.aiuto) {
        EsitoArgomenti esito;
        esito.aiuto = true;
        return esito;
    }
    if (!riga.errore.isEmpty()) {
        return Errore(riga.errore);
    }
    Argomenti a;
    QStringList date;
    QStringList file;
    for (const auto& [opzione, valore] : riga.parole) {
        if (opzione.isEmpty()) {
            file.append(valore);
        } else {
            date.append(opzione);
        }
        if (opzione == QLatin1String("--lavoro")) {
            a.lavoro = valore;
        }
    }
    if (!a.lavoro.isEmpty()) {
        if (const QString rifiuto = DalLavoro(a, date); !rifiuto.isEmpty()) {
            return Errore(rifiuto, 1);
        }
    }
    for (const Parola& parola : riga.parole) {
        if (parola.opzione.isEmpty()) {
            continue;
        }
        if (const QString rifiuto = Leggi(a, parola); !rifiuto.isEmpty()) {
            return Errore(rifiuto);
        }
    }
    if (!file.isEmpty()) {
        a.file = file;
    }
    if (const QString rifiuto = Incompleto(a); !rifiuto.isEmpty()) {
        return Errore(rifiuto);
    }
    EsitoArgomenti esito;
    esito.argomenti = a;
    return esito;
}

} // namespace lumetra::componi

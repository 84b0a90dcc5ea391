#pragma once
// The command line of lumetra-componi.

#include "ControlloStampa.h"
#include "ImpostazioniCatalogo.h"
#include "PublisherApi.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra::componi {

struct Argomenti {
    QString layout;
    QString cartella;
    int esterno = 0;
    int interno = 0;
    QString altezza = QStringLiteral("0,7");
    QString font = QStringLiteral("Times New Roman");
    bool grassetto = false;
    bool corsivo = false;
    int copie = 1;
    QString pdf; // empty: the default printer (and always with controlla)
    bool stampante = false;
    bool anteprima = false; // never set from the command line: headless
    bool dettagli = false;  // status texts on stderr too
    int adattamento = Publisher::lmPictureFitStretch;
    int ppiMinimo = composition::PpiMinimoPredefinito;
    bool controlla = false;          // the check before printing only: nothing printed
    bool includiDanneggiate = false; // damaged pictures placed with what they hold
    QString listino;                 // the price list; empty: none
    QString chiave;                  // its key column; empty: the first named like a code
    QString modelloEsterno = QStringLiteral("{codice}");
    QString modelloInterno = QStringLiteral("{codice}");
    composition::ImpostazioniBarre barre;
    QString lavoro;      // the saved job whose settings come first
    QString salvaLavoro; // the job is saved there instead of being run
    QStringList file;
};

struct EsitoArgomenti {
    std::optional<Argomenti> argomenti; // empty with an error or after --help
    QString errore;                     // Italian; empty for --help
    bool aiuto = false;
    int uscita = 2; // with an error: 2 for the command line, 1 for a saved job that cannot be used
};

// Parses argv without the program name. With --lavoro the saved job is read first: its settings
// and queue, each replaced by what the command line gives.
EsitoArgomenti LeggiArgomenti(const QStringList& argomenti);

// The text of --help (AiutoComponi.cpp).
QString TestoAiuto();

// The word of --adattamento for a Publisher::PictureFormat::Fit value.
QString NomeAdattamento(int adattamento);

// The caption height as the window validates it: a number (decimal comma or point) from 0,3 to
// 9,0.
bool AltezzaValida(const QString& testo);

} // namespace lumetra::componi

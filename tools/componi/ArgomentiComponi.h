#pragma once
// The command line of lumetra-componi.

#include "ControlloStampa.h"
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
    QString pdf;            // empty: the default printer (and always with controlla)
    bool anteprima = false; // never set from the command line: headless
    bool dettagli = false;  // status texts on stderr too
    int adattamento = Publisher::lmPictureFitStretch;
    int ppiMinimo = composition::PpiMinimoPredefinito;
    bool controlla = false;          // the check before printing only: nothing printed
    bool includiDanneggiate = false; // damaged pictures placed with what they hold
    QStringList file;
};

struct EsitoArgomenti {
    std::optional<Argomenti> argomenti; // empty with an error or after --help
    QString errore;                     // Italian; empty for --help
    bool aiuto = false;
};

// Parses argv without the program name.
EsitoArgomenti LeggiArgomenti(const QStringList& argomenti);

// The text of --help.
QString TestoAiuto();

// The caption height as the window validates it: a number (decimal comma or point) from 0,3 to
// 9,0.
bool AltezzaValida(const QString& testo);

} // namespace lumetra::componi

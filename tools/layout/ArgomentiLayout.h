#pragma once
// The command line of lumetra-layout.

#include "GridLayout.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lumetra::layout {

enum class Comando { Griglia, Etichette, Elenco };

struct Argomenti {
    Comando comando = Comando::Griglia;
    layoutwriter::GridOptions griglia; // griglia
    QString foglio;                    // etichette: "Avery L7163"
    layoutwriter::CaptionRoom codice;  // room for the article code (copied into griglia)
    QString filtro;                    // --elenco: words the sheets must contain
    QString uscita;                    // the .pub to write
    bool sovrascrivi = false;
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

} // namespace lumetra::layout

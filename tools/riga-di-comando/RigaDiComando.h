#pragma once
// The command-line grammar the tools share: options start with "--", flags stand alone, the
// others take the next word as their value; "--" ends the options; every other word is
// positional. Options stand anywhere, before or after the positional words. The words keep the
// order they were given in.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lumetra::rigadicomando {

struct Parola {
    QString opzione; // "--pdf", ...; empty for a positional word
    QString valore;  // the option's value, or the positional word
};

struct RigaLetta {
    std::vector<Parola> parole;
    bool aiuto = false; // --help was given: nothing else was read
    QString errore;     // Italian: an unknown option, a value missing
};

// Reads `lista` (argv without the program name); `interruttori` are the flags, `conValore` the
// options with a value.
RigaLetta LeggiRiga(const QStringList& lista, const QStringList& interruttori,
                    const QStringList& conValore);

// argv without the program name, each word carried as runtime::nativeName describes: a file name
// that is not UTF-8 opens again by the same bytes.
QStringList ParoleDi(int argc, char** argv);

// `testo` as a whole number from `minimo` to `massimo`, or nothing.
std::optional<int> Intero(const QString& testo, int minimo, int massimo);

} // namespace lumetra::rigadicomando

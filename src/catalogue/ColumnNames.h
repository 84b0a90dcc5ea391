#pragma once
// Column names and article codes as users type them: compared with case and accents aside,
// spaces at either end trimmed ("Descrizione " is "descrizione", "Qualità" is "qualita").

#include <QString>
#include <QStringList>

namespace lumetra::catalogue {

QString foldedName(const QString& name);

// Whether one of the words of a column name (letters and digits, folded) is among `words`.
bool nameHasWord(const QString& name, const QStringList& words);

// Whether a column name reads like an article code's: a word codice, cod, articolo, art, code
// or sku in it ("Codice", "Cod. articolo", "Item code").
bool looksLikeCodeColumn(const QString& name);

} // namespace lumetra::catalogue

#pragma once
// Column names and article codes as users type them: compared with case and accents aside,
// spaces at either end trimmed ("Descrizione " is "descrizione", "Qualità" is "qualita").

#include <QString>

namespace lumetra::catalogue {

QString foldedName(const QString& name);

// Whether a column name reads like an article code's: a word codice, cod, articolo, art, code
// or sku in it ("Codice", "Cod. articolo", "Item code").
bool looksLikeCodeColumn(const QString& name);

} // namespace lumetra::catalogue

#pragma once
// A CSV price list: fields separated by ';', ',' or a tab, told from the first lines (counted
// outside quotes); fields in double quotes may hold the separator, line breaks and doubled
// quotes. Blank lines are skipped, yet counted in the row numbers of messages.

#include "Table.h"

#include <QString>

namespace lumetra::catalogue {

// Throws runtime::Error (priceListError, naming path) for a bad or too large table.
Table readCsv(const QString& text, const QString& path);

// The separator the first lines of text use: the one found the same number of times on each
// of them, the most often; ';' when none is.
QChar detectSeparator(const QString& text);

} // namespace lumetra::catalogue

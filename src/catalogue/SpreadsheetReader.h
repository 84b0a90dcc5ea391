#pragma once
// An XLSX or ODS price list, read by liborcus: the first sheet, text cells as written (leading
// zeros kept), numbers as NumberText.h writes them. Cells right of the last column name are
// left out, as are empty rows.

#include "Table.h"

#include <QByteArray>
#include <QString>

namespace lumetra::catalogue {

// Throws runtime::Error (priceListError, naming path) for a file that is no XLSX or ODS,
// damaged, or too large.
Table readSpreadsheet(const QByteArray& bytes, const QString& path);

} // namespace lumetra::catalogue

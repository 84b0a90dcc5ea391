#pragma once
// An XLSX or ODS price list, read by liborcus: the first sheet, text cells as written (leading
// zeros kept), numbers as NumberText.h writes them (currency and percentage ones of ODS too,
// see OdsContent.h), formulas by their saved results. Cells right of the last column name are
// left out, as are empty rows. liborcus only gets a file whose zip directory keeps its parts
// within MaxUnpackedBytes, and says nothing on the terminal.

#include "Table.h"

#include <QByteArray>
#include <QString>

namespace lumetra::catalogue {

// Throws runtime::Error (priceListError, naming path) for a file that is no XLSX or ODS (an
// Excel 97-2003 one told apart), damaged, or too large, naming the first row beyond Table.h's
// limits.
Table readSpreadsheet(const QByteArray& bytes, const QString& path);

} // namespace lumetra::catalogue

#pragma once
// An ODS file's content.xml made fit for liborcus 0.17, which reads ODS cells only in part: it
// gives no value for currency, percentage, boolean and time cells, nor the saved text of a
// formula; takes a cell's last paragraph only; drops spaces written as <text:s/>, tabs and line
// breaks; skips merged-over cells, so the cells right of them move left; and walks every column
// a cell repeats one by one, for ever past 2^31. So before it reads the file:
// - currency and percentage cells become numbers (their office:value), boolean and time cells
//   text (as the file shows them), and formulas go, leaving the results saved with them;
// - a cell's paragraphs become one, a line each; <text:s/>, tabs and line breaks characters;
// - merged-over cells become empty cells;
// - the columns repeated by the whole file are added up, and a file repeating more than any
//   sheet needs is refused.
// Everything else is left byte for byte as it is.

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace lumetra::catalogue {

// Nothing when the file repeats cells beyond measure, or the rewriting would grow past
// MaxUnpackedBytes.
std::optional<QByteArray> odsContentForOrcus(QByteArrayView xml);

} // namespace lumetra::catalogue

#pragma once
// How a laid-out text (a QTextDocument in text units) fills the columns of its frame: where each
// column starts, how much of it fits, and how far a frame set in substitute fonts is condensed
// so that the words its author fitted stay in it.

#include <QTextDocument>

#include <vector>

namespace lumetra::drawing {

// Condensing never goes below this share of the width.
inline constexpr double MinimumStretch = 0.75;

// Where each column after the first starts (document y), breaking between lines.
std::vector<double> columnStarts(QTextDocument& doc, double columnHeight, int columns);

// The characters of the lines of `doc` (laid out) that end by document y `bottom`.
int charactersAbove(const QTextDocument& doc, double bottom);

// The height (from `from`) down to the bottom of the last line that ends by `from + limit`.
double fittingHeight(QTextDocument& doc, double from, double limit);

// The horizontal scale (MinimumStretch to 1) at which `doc`, laid out `columnWidth` / scale wide
// and drawn that much narrower, fits `columns` columns of `columnHeight`; `doc` is left laid out
// for it. 1 (and `doc` as it was) when the text fits, or when more than a tenth of it overflows:
// a frame that held so much less in the layout program overflowed there too.
double condensedStretch(QTextDocument& doc, double columnWidth, double columnHeight, int columns);

} // namespace lumetra::drawing

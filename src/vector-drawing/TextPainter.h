#pragma once
// Text boxes and tables of a recorded page, laid out with QTextDocument and painted in the
// page's inch coordinates (the painter maps one unit to one inch).

#include "DisplayList.h"

#include <QTextDocument>

#include <memory>

class QPainter;

namespace lumetra::drawing {

// Text is laid out in units of 1/TextUnitsPerInch inch, fine enough that the layout does
// not depend on the resolution it is painted at.
inline constexpr double TextUnitsPerInch = 1200.0;

// The paragraphs as a document of the given width (inches), in text units.
std::unique_ptr<QTextDocument> layoutParagraphs(const std::vector<TextParagraph>& paragraphs,
                                                double widthInches);

// The text of a text box as laid out in one column of `columnWidthInches`, without the
// characters earlier linked frames show.
std::unique_ptr<QTextDocument> textDocument(const TextItem& text, double columnWidthInches);

void paintText(QPainter& painter, const TextItem& text);
void paintTable(QPainter& painter, const TableItem& table);

} // namespace lumetra::drawing

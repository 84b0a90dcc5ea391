#pragma once
// The page sizes the layout maker offers by name, and the reading of a page size as typed:
// a name ("A4", "letter") or width x height in millimetres ("210x297", "100,5 x 150").

#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace lumetra::layoutwriter {

struct PaperSize {
    QString name;       // as shown: "A4", "Letter"
    QSizeF millimetres; // portrait
};

// A4, A3, A5, Letter, in that order.
const std::vector<PaperSize>& paperSizes();

// The size in millimetres (portrait as named; custom sizes as typed), or nothing when the text
// is neither a known name nor two positive lengths separated by "x".
std::optional<QSizeF> parsePaperSize(const QString& text);

} // namespace lumetra::layoutwriter

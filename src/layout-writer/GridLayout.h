#pragma once
// Catalogue grids: rows x columns of equal rectangles filling a page inside its margins, with
// an optional title above them and optional room for a caption next to every rectangle.

#include "CaptionRoom.h"
#include "LayoutPlan.h"

#include <QSizeF>
#include <QString>

namespace lumetra::layoutwriter {

struct GridOptions {
    QSizeF pageMm = QSizeF(210, 297); // portrait, as named
    bool landscape = false;           // width and height swapped when the page is portrait
    int rows = 1;
    int columns = 1;
    double marginMm = 10; // on every side
    double spacingMm = 5; // between rectangles, and between the title and the rectangles
    QString title;        // empty: no title; otherwise a band of TitleHeightMm at the top
    // Kept between each rectangle and the spacing above or below it: the rectangles are lower.
    CaptionRoom caption;
};

inline constexpr double TitleHeightMm = 12;
inline constexpr int MaxRowsOrColumns = 100;
inline constexpr double MinRectangleMm = 1;

using GridResult = PlanResult;

// The grid's plan, or why these options give none (rows or columns out of 1..100, negative
// margins, rectangles under 1 mm a side, a page larger than a layout can be, a caption's room
// that leaves rectangles lower than MinPictureHeightMm).
GridResult planGrid(const GridOptions& options);

} // namespace lumetra::layoutwriter

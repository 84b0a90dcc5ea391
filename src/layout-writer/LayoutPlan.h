#pragma once
// A new layout as the layout maker writes it: one page of a given size holding picture
// rectangles in fill order and, optionally, a title in a text box.

#include "AtomicFile.h"

#include <QByteArray>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

namespace lumetra::layoutwriter {

struct LayoutPlan {
    double pageWidth = 0;  // points
    double pageHeight = 0; // points
    // Picture rectangles in points from the page's top-left corner, in the order the pictures
    // fill them: row by row from the top, left to right within a row.
    std::vector<QRectF> rectangles;
    QString title; // empty: no title
    QRectF titleBox;
    // Where the captions go, one band for each rectangle, in the same order; empty when no room
    // was kept. Shown by drawings of the plan, not written: the captions are Lumetra's to add.
    std::vector<QRectF> captionBands;
};

// A plan, or why the choices give none.
struct PlanResult {
    std::optional<LayoutPlan> plan;
    QString error; // Italian; empty with a plan
    // The error is about the room kept for captions: too large for the rectangles.
    bool captionRoomTooLarge = false;
};

// Puts rectangles in fill order: by their top edge, then by their left edge (edges are compared
// rounded to hundredths of a point, so a row computed with rounding stays one row).
void sortInFillOrder(std::vector<QRectF>& rectangles);

// The Publisher 2002 file: the rectangles as page 1's first shapes, in fill order (their order in
// the page's collection), then the title's text box.
QByteArray layoutBytes(const LayoutPlan& plan);

// Writes the file atomically; see AtomicFile.h.
runtime::FileWriteResult writeLayout(const LayoutPlan& plan, const QString& path,
                                     runtime::Replace replace);

} // namespace lumetra::layoutwriter

#include "LabelSheet.h"

#include "Measures.h"

#include <QStringList>

#include <cmath>

namespace lumetra::layoutwriter {
namespace {

// Adds a rectangle for each of the grid's labels: `inLabel` placed from each label's corner.
void placeInLabels(const LabelGrid& grid, const QRectF& inLabel, std::vector<QRectF>& rectangles) {
    for (int row = 0; row < grid.down; ++row) {
        for (int column = 0; column < grid.across; ++column) {
            rectangles.emplace_back(grid.left + column * grid.stepX + inLabel.left(),
                                    grid.top + row * grid.stepY + inLabel.top(), inLabel.width(),
                                    inLabel.height());
        }
    }
}

// The part of a label that a picture and its caption may use, from the label's corner: all of
// it, or the rectangle inscribed in a round or elliptical label (its sides over the square root
// of two, centred).
QRectF usablePart(const LabelGrid& grid) {
    if (grid.shape == LabelGrid::Shape::Rectangle) {
        return {0, 0, grid.width, grid.height};
    }
    const double width = grid.width / std::sqrt(2.0);
    const double height = grid.height / std::sqrt(2.0);
    return {(grid.width - width) / 2, (grid.height - height) / 2, width, height};
}

} // namespace

int LabelSheet::labelCount() const {
    int count = 0;
    for (const LabelGrid& grid : grids) {
        count += grid.across * grid.down;
    }
    return count;
}

bool LabelSheet::hasRoundLabels() const {
    for (const LabelGrid& grid : grids) {
        if (grid.shape != LabelGrid::Shape::Rectangle) {
            return true;
        }
    }
    return false;
}

LayoutPlan LabelSheet::plan() const {
    LayoutPlan plan;
    plan.pageWidth = pageWidth;
    plan.pageHeight = pageHeight;
    for (const LabelGrid& grid : grids) {
        placeInLabels(grid, QRectF(0, 0, grid.width, grid.height), plan.rectangles);
    }
    sortInFillOrder(plan.rectangles);
    return plan;
}

PlanResult LabelSheet::plan(const CaptionRoom& room) const {
    PlanResult result;
    if (!std::isfinite(room.heightMm) || room.heightMm < 0) {
        result.error = QStringLiteral("Lo spazio per il codice non può essere negativo.");
        return result;
    }
    if (room.heightMm == 0) {
        result.plan = plan();
        return result;
    }
    const double margin = mmToPoints(LabelMarginMm);
    const double band = mmToPoints(room.heightMm);
    const double lowest = mmToPoints(MinPictureHeightMm);
    LayoutPlan made;
    made.pageWidth = pageWidth;
    made.pageHeight = pageHeight;
    for (const LabelGrid& grid : grids) {
        const QRectF usable = usablePart(grid).adjusted(margin, margin, -margin, -margin);
        if (usable.width() < lowest || usable.height() - band < lowest) {
            const double largest =
                usable.width() < lowest ? -1 : pointsToMm(usable.height()) - MinPictureHeightMm;
            result.error = captionRoomTooLarge(
                room.heightMm,
                QStringLiteral(" nelle etichette di %1 x %2 mm")
                    .arg(formatMm(pointsToMm(grid.width)), formatMm(pointsToMm(grid.height))),
                largest, QStringLiteral("le etichette sono troppo piccole per il codice."));
            result.captionRoomTooLarge = true;
            return result;
        }
        const double above = room.side == CaptionSide::Above ? band : 0;
        placeInLabels(
            grid,
            QRectF(usable.left(), usable.top() + above, usable.width(), usable.height() - band),
            made.rectangles);
    }
    sortInFillOrder(made.rectangles);
    addCaptionBands(made, room);
    result.plan = std::move(made);
    return result;
}

QString LabelSheet::summary() const {
    QStringList sizes;
    QStringList layouts;
    for (const LabelGrid& grid : grids) {
        QString size =
            QStringLiteral("%1 x %2 mm")
                .arg(formatMm(pointsToMm(grid.width)), formatMm(pointsToMm(grid.height)));
        if (grid.shape == LabelGrid::Shape::Round || grid.shape == LabelGrid::Shape::Disc) {
            size = QStringLiteral("rotonde %1 mm").arg(formatMm(pointsToMm(grid.width)));
            if (grid.width != grid.height) {
                size =
                    QStringLiteral("rotonde %1 x %2 mm")
                        .arg(formatMm(pointsToMm(grid.width)), formatMm(pointsToMm(grid.height)));
            }
        } else if (grid.shape == LabelGrid::Shape::Ellipse) {
            size = QStringLiteral("ellittiche ") + size;
        }
        if (!sizes.contains(size)) {
            sizes.append(size);
        }
        layouts.append(QStringLiteral("%1 x %2").arg(grid.across).arg(grid.down));
    }
    const QString paperName = paper.isEmpty() ? QStringLiteral("%1 x %2 mm")
                                                    .arg(formatMm(pointsToMm(pageWidth)),
                                                         formatMm(pointsToMm(pageHeight)))
                                              : paper;
    return QStringLiteral("etichette %1, %2 per foglio (%3), %4")
        .arg(sizes.join(QStringLiteral(" + ")))
        .arg(labelCount())
        .arg(layouts.join(QStringLiteral(" + ")), paperName);
}

} // namespace lumetra::layoutwriter

#include "LabelSheet.h"

#include "Measures.h"

#include <QStringList>

namespace lumetra::layoutwriter {

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
        for (int row = 0; row < grid.down; ++row) {
            for (int column = 0; column < grid.across; ++column) {
                plan.rectangles.emplace_back(grid.left + column * grid.stepX,
                                             grid.top + row * grid.stepY, grid.width, grid.height);
            }
        }
    }
    sortInFillOrder(plan.rectangles);
    return plan;
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

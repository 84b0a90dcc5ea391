#include "GridLayout.h"

#include "Length.h"

#include "Measures.h"

#include <cmath>
#include <utility>

namespace lumetra::layoutwriter {
namespace {

constexpr double MaxPageMm = 241 * runtime::MillimetresPerInch; // Publisher's largest page

GridResult refuse(const QString& why) {
    GridResult result;
    result.error = why;
    return result;
}

// Why the rows, columns, margins, spacing or caption's room give no grid, or the empty text.
QString badChoice(const GridOptions& o) {
    if (o.rows < 1 || o.rows > MaxRowsOrColumns || o.columns < 1 || o.columns > MaxRowsOrColumns) {
        return QStringLiteral("Il numero di righe e di colonne deve essere tra 1 e %1.")
            .arg(MaxRowsOrColumns);
    }
    if (!std::isfinite(o.marginMm) || !std::isfinite(o.spacingMm) || o.marginMm < 0 ||
        o.spacingMm < 0) {
        return QStringLiteral("Margini e spazio non possono essere negativi.");
    }
    if (!std::isfinite(o.caption.heightMm) || o.caption.heightMm < 0) {
        return QStringLiteral("Lo spazio per il codice non può essere negativo.");
    }
    return {};
}

} // namespace

GridResult planGrid(const GridOptions& o) {
    double width = o.pageMm.width();
    double height = o.pageMm.height();
    if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0 ||
        width > MaxPageMm || height > MaxPageMm) {
        return refuse(QStringLiteral("Le dimensioni della pagina devono essere comprese tra 0 e "
                                     "%1 mm.")
                          .arg(formatMm(MaxPageMm)));
    }
    if (o.landscape && width < height) {
        std::swap(width, height);
    }
    if (const QString why = badChoice(o); !why.isEmpty()) {
        return refuse(why);
    }
    const bool titled = !o.title.trimmed().isEmpty();
    const double top = o.marginMm + (titled ? TitleHeightMm + o.spacingMm : 0);
    const double cellWidth = (width - 2 * o.marginMm - (o.columns - 1) * o.spacingMm) / o.columns;
    // A row: its rectangles and the caption's room above or below them.
    const double rowHeight = (height - top - o.marginMm - (o.rows - 1) * o.spacingMm) / o.rows;
    const double room = o.caption.heightMm;
    const double cellHeight = rowHeight - room;
    if (cellWidth < MinRectangleMm || rowHeight < MinRectangleMm) {
        return refuse(QStringLiteral("Con questi margini e spazi i rettangoli non entrano nella "
                                     "pagina di %1 x %2 mm: ridurre righe, colonne, margini o "
                                     "spazio.")
                          .arg(formatMm(width), formatMm(height)));
    }
    if (room > 0 && cellHeight < MinPictureHeightMm) {
        GridResult result =
            refuse(captionRoomTooLarge(room, QString(), rowHeight - MinPictureHeightMm,
                                       QStringLiteral("ridurre righe, margini o spazio.")));
        result.captionRoomTooLarge = true;
        return result;
    }

    const double roomAbove = o.caption.side == CaptionSide::Above ? room : 0;
    LayoutPlan plan;
    plan.pageWidth = mmToPoints(width);
    plan.pageHeight = mmToPoints(height);
    for (int r = 0; r < o.rows; ++r) {
        for (int c = 0; c < o.columns; ++c) {
            const double left = o.marginMm + c * (cellWidth + o.spacingMm);
            const double upper = top + r * (rowHeight + o.spacingMm) + roomAbove;
            plan.rectangles.emplace_back(mmToPoints(left), mmToPoints(upper), mmToPoints(cellWidth),
                                         mmToPoints(cellHeight));
        }
    }
    addCaptionBands(plan, o.caption);
    if (titled) {
        plan.title = o.title.trimmed();
        plan.titleBox = QRectF(mmToPoints(o.marginMm), mmToPoints(o.marginMm),
                               mmToPoints(width - 2 * o.marginMm), mmToPoints(TitleHeightMm));
    }
    GridResult result;
    result.plan = std::move(plan);
    return result;
}

} // namespace lumetra::layoutwriter

#include "CaptionRoom.h"

#include "Measures.h"

#include <cmath>

namespace lumetra::layoutwriter {

QRectF captionBand(const QRectF& picture, const CaptionRoom& room) {
    const double height = mmToPoints(room.heightMm);
    const double top = room.side == CaptionSide::Above ? picture.top() - height : picture.bottom();
    return {picture.left(), top, picture.width(), height};
}

void addCaptionBands(LayoutPlan& plan, const CaptionRoom& room) {
    plan.captionBands.clear();
    if (room.heightMm <= 0) {
        return;
    }
    for (const QRectF& picture : plan.rectangles) {
        plan.captionBands.push_back(captionBand(picture, room));
    }
}

QString captionRoomTooLarge(double roomMm, const QString& where, double largestMm,
                            const QString& noRoom) {
    QString text = QStringLiteral("Lo spazio per il codice di %1 cm lascia rettangoli alti meno di "
                                  "%2 mm%3: ")
                       .arg(formatCm(roomMm), formatMm(MinPictureHeightMm), where);
    // Rounded down to the tenth of a millimetre that still fits.
    const double largest = std::floor(largestMm * 10) / 10;
    if (largest < 0.1) {
        return text + noRoom;
    }
    return text + QStringLiteral("al massimo %1 cm.").arg(formatCm(largest));
}

} // namespace lumetra::layoutwriter

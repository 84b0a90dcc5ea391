#include "PictureFit.h"

#include "PublisherApi.h"

namespace lumetra::engine {

QRectF fittedRect(const QRectF& box, QSizeF picture, int fit) {
    if (fit != Publisher::lmPictureFitContain && fit != Publisher::lmPictureFitCover) {
        return box;
    }
    if (!(picture.width() > 0 && picture.height() > 0 && box.width() > 0 && box.height() > 0)) {
        return box;
    }
    // The side that sets the scale keeps the box's own length, exactly.
    const double across = box.width() / picture.width();
    const double down = box.height() / picture.height();
    const bool byWidth = fit == Publisher::lmPictureFitContain ? across <= down : across >= down;
    const QSizeF size = byWidth ? QSizeF(box.width(), picture.height() * across)
                                : QSizeF(picture.width() * down, box.height());
    return QRectF(box.left() + (box.width() - size.width()) / 2,
                  box.top() + (box.height() - size.height()) / 2, size.width(), size.height());
}

} // namespace lumetra::engine

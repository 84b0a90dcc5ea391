#include "RasterPicture.h"

#include "ColourConversion.h"

#include <QPainter>

namespace lumetra::pictures {

RasterPicture::RasterPicture(QImage image, const QByteArray& iccProfile, Background background)
    : image_(toSrgb(std::move(image), iccProfile, background)) {}

void RasterPicture::draw(QPainter& painter, const QRectF& box) const {
    painter.drawImage(box, image_);
}

} // namespace lumetra::pictures

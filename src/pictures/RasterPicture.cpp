#include "RasterPicture.h"

#include "ColourConversion.h"

#include <QPainter>

namespace lumetra::pictures {

RasterPicture::RasterPicture(QImage image, const QByteArray& iccProfile)
    : image_(toOpaqueSrgb(std::move(image), iccProfile)) {}

void RasterPicture::draw(QPainter& painter, const QRectF& box) const {
    painter.drawImage(box, image_);
}

} // namespace lumetra::pictures

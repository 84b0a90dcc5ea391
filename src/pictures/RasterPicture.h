#pragma once
// A decoded raster picture, ready to draw: sRGB, opaque (transparency over white) unless its
// transparency is kept.

#include "ImportedPicture.h"

namespace lumetra::pictures {

class RasterPicture final : public ImportedPicture {
public:
    // `image` in any format and colour space (its own, or the ICC profile `iccProfile`): it is
    // turned to sRGB here, on white or keeping its transparency.
    explicit RasterPicture(QImage image, const QByteArray& iccProfile = {},
                           Background background = Background::White);

    void draw(QPainter& painter, const QRectF& box) const override;
    QImage image() const override { return image_; }

private:
    QImage image_;
};

} // namespace lumetra::pictures

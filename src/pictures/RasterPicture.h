#pragma once
// A decoded raster picture, ready to draw: sRGB, opaque (transparency already over white).

#include "ImportedPicture.h"

namespace lumetra::pictures {

class RasterPicture final : public ImportedPicture {
public:
    // `image` in any format and colour space (its own, or the ICC profile `iccProfile`): it is
    // turned to opaque sRGB here.
    explicit RasterPicture(QImage image, const QByteArray& iccProfile = {});

    void draw(QPainter& painter, const QRectF& box) const override;
    QImage image() const override { return image_; }

private:
    QImage image_;
};

} // namespace lumetra::pictures

#pragma once
// A drawing held as SVG (what the metafile converters write), drawn as vectors: in a PDF it
// stays paths and text, on a printer it is sharp at any size.

#include "ImportedPicture.h"

#include <QByteArray>

namespace lumetra::pictures {

class SvgPicture final : public ImportedPicture {
public:
    // Throws PictureError when `svg` cannot be drawn.
    explicit SvgPicture(QByteArray svg);

    // The renderer is made here, on the painter's thread, from the kept bytes: nothing of Qt's
    // object model is shared between threads.
    void draw(QPainter& painter, const QRectF& box) const override;

private:
    QByteArray svg_;
};

} // namespace lumetra::pictures

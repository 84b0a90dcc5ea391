#include "SvgPicture.h"

#include "PictureError.h"

#include <QPainter>
#include <QSvgRenderer>

namespace lumetra::pictures {

SvgPicture::SvgPicture(QByteArray svg) : svg_(std::move(svg)) {
    // Parsed once on the loading thread to refuse it now; the renderer goes with this scope.
    const QSvgRenderer renderer(svg_);
    if (!renderer.isValid()) {
        refuse(QStringLiteral("il disegno convertito non è leggibile"));
    }
}

void SvgPicture::draw(QPainter& painter, const QRectF& box) const {
    QSvgRenderer renderer(svg_);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    renderer.render(&painter, box);
    painter.restore();
}

} // namespace lumetra::pictures

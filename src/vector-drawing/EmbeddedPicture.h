#pragma once
// The pictures a drawing embeds (a bitmap or metafile in a layout, in a CorelDRAW or WordPerfect
// graphic): the recorder keeps them as the layer that reads pictures made them, and the painter
// asks each to draw itself as vectors, or else for its pixels at the size it is drawn. This
// library reads no picture itself.

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <memory>

class QPainter;

namespace lumetra::drawing {

class EmbeddedPicture {
public:
    virtual ~EmbeddedPicture() = default;
    // The picture for a box of about `devicePixels`; a null image when it cannot be decoded.
    // Safe from any thread.
    virtual QImage imageFor(QSize devicePixels) const = 0;
    // A drawing (a metafile) draws itself as vectors into `box` and returns true, so that it
    // stays sharp and reaches a PDF as paths; pixels, or a picture that cannot be read, return
    // false and draw nothing. Safe from any thread.
    virtual bool draw(QPainter& painter, const QRectF& box) const {
        (void)painter;
        (void)box;
        return false;
    }
};

// Makes the picture of embedded data, given its MIME type as the drawing names it.
class EmbeddedPictures {
public:
    virtual ~EmbeddedPictures() = default;
    virtual std::shared_ptr<const EmbeddedPicture> get(const QByteArray& data,
                                                       const QString& mimeType) = 0;
};

} // namespace lumetra::drawing

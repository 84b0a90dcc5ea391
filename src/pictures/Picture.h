#pragma once
// A picture embedded in a layout or a drawing (PNG, JPEG, BMP, TIFF, WMF, EMF), decoded when
// first drawn.

#include "EmbeddedPicture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <mutex>

namespace lumetra::pictures {

class Picture final : public drawing::EmbeddedPicture {
public:
    Picture(QByteArray data, QString mimeType);

    const QByteArray& data() const { return data_; }
    const QString& mimeType() const { return mime_; }
    bool isMetafile() const;

    // The picture for drawing into a box of about `devicePixels`: raster pictures at their own
    // size, metafiles rasterised at that size (kept while larger requests do not come); either
    // reduced to that size when more than twice as large (Qt's own scaling while drawing
    // samples without filtering when it shrinks a lot). A null image when the data cannot be
    // decoded.
    QImage imageFor(QSize devicePixels) const override;

private:
    QByteArray data_;
    QString mime_;
    mutable std::mutex mutex_;
    mutable QImage image_;
    mutable QImage reduced_; // the last reduction of image_
    mutable bool failed_ = false;

    QImage reducedFor(QSize devicePixels) const;
};

} // namespace lumetra::pictures

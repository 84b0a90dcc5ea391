#include "Picture.h"

#include "MetafileRasterizer.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace lumetra::pictures {

namespace {

constexpr int MaxMetafileSide = 4000; // ImageMagick reads at most 16 megapixels (MagickPixels)

// A DIB ("image/bmp") arrives without its 14-byte file header; add it so readers accept it.
QByteArray withBitmapFileHeader(const QByteArray& dib) {
    if (dib.startsWith("BM") || dib.size() < 40)
        return dib;
    auto u32 = [&](int at) {
        return quint32(quint8(dib[at])) | quint32(quint8(dib[at + 1])) << 8 |
               quint32(quint8(dib[at + 2])) << 16 | quint32(quint8(dib[at + 3])) << 24;
    };
    const quint32 headerSize = u32(0);
    const quint16 bitCount = quint16(quint8(dib[14]) | quint8(dib[15]) << 8);
    quint32 colours = dib.size() >= 36 ? u32(32) : 0;
    if (colours == 0 && bitCount <= 8)
        colours = 1u << bitCount;
    const quint32 offset = 14 + headerSize + colours * 4;
    const quint32 total = 14 + quint32(dib.size());
    QByteArray out("BM");
    for (quint32 v : {total, 0u, offset})
        for (int i = 0; i < 4; ++i)
            out.append(char((v >> (8 * i)) & 0xFF));
    return out + dib;
}

QImage decodeRaster(const QByteArray& bytes, const QString& mime) {
    QByteArray data = mime == QLatin1String("image/bmp") ? withBitmapFileHeader(bytes) : bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (!image.isNull())
        return image;
    // Formats Qt lacks (TIFF, PICT) go through ImageMagick at their own size.
    const char* format = mime == QLatin1String("image/tiff")   ? "TIFF"
                         : mime == QLatin1String("image/pict") ? "PICT"
                                                               : nullptr;
    return format ? rasterizeMetafile(bytes, format, QSize()) : QImage();
}

} // namespace

Picture::Picture(QByteArray data, QString mimeType)
    : data_(std::move(data)), mime_(std::move(mimeType)) {}

bool Picture::isMetafile() const {
    return mime_ == QLatin1String("image/wmf") || mime_ == QLatin1String("image/emf");
}

QImage Picture::imageFor(QSize devicePixels) const {
    std::lock_guard lock(mutex_);
    if (failed_)
        return {};
    if (!isMetafile()) {
        if (image_.isNull()) {
            image_ = decodeRaster(data_, mime_);
            failed_ = image_.isNull();
        }
        return reducedFor(devicePixels);
    }
    const QSize wanted(std::clamp(devicePixels.width(), 16, MaxMetafileSide),
                       std::clamp(devicePixels.height(), 16, MaxMetafileSide));
    const bool enough = !image_.isNull() && image_.width() * 5 >= wanted.width() * 4 &&
                        image_.height() * 5 >= wanted.height() * 4;
    if (!enough) {
        const char* format = mime_ == QLatin1String("image/wmf") ? "WMF" : "EMF";
        QImage image = rasterizeMetafile(data_, format, wanted);
        if (image.isNull()) {
            failed_ = image_.isNull();
            return reducedFor(devicePixels);
        }
        image_ = image;
        reduced_ = QImage();
    }
    return reducedFor(devicePixels);
}

QImage Picture::reducedFor(QSize devicePixels) const {
    if (image_.isNull() || devicePixels.isEmpty() || image_.width() <= 2 * devicePixels.width() ||
        image_.height() <= 2 * devicePixels.height())
        return image_;
    if (reduced_.size() != devicePixels)
        reduced_ = image_.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return reduced_;
}

} // namespace lumetra::pictures

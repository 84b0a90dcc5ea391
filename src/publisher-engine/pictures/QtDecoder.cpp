#include "QtDecoder.h"

#include "GifDecoder.h"
#include "JpegDecoder.h"
#include "PictureData.h"
#include "PictureError.h"
#include "PngDecoder.h"
#include "RasterPicture.h"
#include "TiffDecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QTransform>

#include <mutex>

namespace lumetra::pictures {

namespace {

constexpr int AllocationLimitMb = 640;

// A reader over the mapped bytes (no copy). The allocation limit is one setting for the whole
// process: set once, before any reader runs, since pictures are decoded on several threads.
struct Reader {
    QByteArray bytes;
    QBuffer buffer;
    QImageReader reader;

    explicit Reader(const PictureData& data)
        : bytes(QByteArray::fromRawData(data.bytes().data(), data.bytes().size())) {
        static std::once_flag limitSet;
        std::call_once(limitSet, [] { QImageReader::setAllocationLimit(AllocationLimitMb); });
        buffer.setBuffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
        reader.setDecideFormatFromContent(true);
        reader.setAutoTransform(false); // applied here, after decoding at the reduced size
    }
};

QSize checkedSize(const QImageReader& reader) {
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty()) {
        refuse(QStringLiteral("il file non è un'immagine leggibile"));
    }
    if (qint64(stored.width()) * stored.height() > MaxPicturePixels) {
        refuseTooLarge(stored.width(), stored.height());
    }
    return stored;
}

// GIF pictures of more pixels than this are read line by line (Qt's reader holds them whole).
constexpr qint64 LargeGifPixels = 4'000'000;

bool readByLines(const QByteArray& format, QSize stored) {
    return format == "jpeg" || format == "png" ||
           (format == "gif" && qint64(stored.width()) * stored.height() > LargeGifPixels);
}

bool turned(QImageIOHandler::Transformations transformation) {
    return transformation & QImageIOHandler::TransformationRotate90;
}

// Applies an EXIF orientation as Qt's reader does: mirror and flip first, then the quarter turn.
QImage oriented(QImage image, QImageIOHandler::Transformations transformation) {
    if (transformation == QImageIOHandler::TransformationNone) {
        return image;
    }
    if (transformation == QImageIOHandler::TransformationRotate270) {
        return image.transformed(QTransform().rotate(270));
    }
    image = image.mirrored(transformation & QImageIOHandler::TransformationMirror,
                           transformation & QImageIOHandler::TransformationFlip);
    if (transformation & QImageIOHandler::TransformationRotate90) {
        image = image.transformed(QTransform().rotate(90));
    }
    return image;
}

// Qt's GIF reader allocates the whole logical screen of the file, which the header may declare
// far larger than the picture it holds.
void checkGifScreen(const PictureData& data) {
    const QByteArrayView b = data.bytes();
    if (b.size() < 10 || !b.startsWith("GIF")) {
        return;
    }
    const qint64 width = quint8(b[6]) | quint8(b[7]) << 8;
    const qint64 height = quint8(b[8]) | quint8(b[9]) << 8;
    if (width * height > MaxPicturePixels) {
        refuseTooLarge(width, height);
    }
}

PictureInfo probe(const PictureData& data) {
    Reader r(data);
    if (!r.reader.canRead()) {
        refuse(QStringLiteral("il file non è un'immagine leggibile"));
    }
    checkGifScreen(data);
    const QSize stored = checkedSize(r.reader);
    const QByteArray format = r.reader.format();
    PictureInfo info{turned(r.reader.transformation()) ? stored.transposed() : stored,
                     format.toUpper(), false};
    if (format == "jpeg") {
        info.damage = jpegDamage(data.bytes());
    } else if (format == "png") {
        info.damage = pngDamage(data.bytes());
    } else if (format == "tiff") {
        info.damage = tiffDamage(data.bytes());
    }
    const bool cmykTiff = format == "tiff" && isCmykTiff(data.bytes());
    const qint64 strips = format == "tiff" && !cmykTiff ? tiffStripBytes(data.bytes()) : -1;
    if (strips >= 0) {
        info.workBytes = strips;
    } else if (!readByLines(format, stored) && !cmykTiff) {
        info.workBytes = 4 * qint64(stored.width()) * stored.height(); // read whole, then reduced
    }
    return info;
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize devicePixels) {
    Reader r(data);
    checkGifScreen(data);
    const QSize stored = checkedSize(r.reader);
    const QImageIOHandler::Transformations transformation = r.reader.transformation();
    // The size asked for is as shown: turn it back to the stored orientation.
    const QSize wanted = (turned(transformation) ? devicePixels.transposed() : devicePixels)
                             .boundedTo(stored)
                             .expandedTo(QSize(1, 1));
    const QByteArray format = r.reader.format();
    std::shared_ptr<RasterPicture> picture;
    QString damage;
    if (format == "jpeg") {
        DecodedJpeg jpeg = decodeJpeg(data.bytes(), wanted);
        picture = std::make_shared<RasterPicture>(oriented(std::move(jpeg.image), transformation),
                                                  jpeg.icc);
        damage = jpeg.damage;
    } else if (format == "png") {
        DecodedPng png = decodePng(data.bytes(), wanted);
        picture = std::make_shared<RasterPicture>(oriented(std::move(png.image), transformation),
                                                  png.icc);
        damage = png.damage;
    } else if (readByLines(format, stored)) {
        QImage image = decodeGif(data.bytes(), wanted, &damage);
        picture = std::make_shared<RasterPicture>(oriented(std::move(image), transformation));
    } else if (format == "tiff" && isCmykTiff(data.bytes())) {
        QImage image = decodeCmykTiff(data.bytes(), wanted, &damage);
        picture = std::make_shared<RasterPicture>(oriented(std::move(image), transformation));
    } else if (format == "tiff" && tiffStripBytes(data.bytes()) >= 0) {
        QByteArray icc;
        QImage image = decodeTiffStrips(data.bytes(), wanted, &damage, &icc);
        picture = std::make_shared<RasterPicture>(oriented(std::move(image), transformation), icc);
    } else {
        if (wanted != stored) {
            r.reader.setScaledSize(wanted);
        }
        QImage image = r.reader.read();
        if (image.isNull()) {
            refuse(QStringLiteral("immagine non decodificabile (%1)").arg(r.reader.errorString()));
        }
        if (image.size() != wanted) {
            image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        picture = std::make_shared<RasterPicture>(oriented(std::move(image), transformation));
    }
    if (picture->image().isNull()) {
        refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
    }
    picture->setDamage(damage);
    return picture;
}

} // namespace

const Decoder qtDecoder{probe, load};

} // namespace lumetra::pictures

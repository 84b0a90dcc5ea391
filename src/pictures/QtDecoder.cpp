#include "QtDecoder.h"

#include "BmpDecoder.h"
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

// The formats read through their own library, line by line, reduced while they come in.
bool readByLines(const QByteArray& format) {
    return format == "jpeg" || format == "png" || format == "gif";
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

// What a cheap look at the file finds damaged, through the library that reads its format;
// throws PictureError for what the load could not draw.
QString damageOf(const QByteArray& format, const PictureData& data) {
    const QByteArrayView bytes = data.bytes();
    if (format == "jpeg") {
        return jpegDamage(bytes);
    }
    if (format == "png") {
        return pngDamage(bytes);
    }
    if (format == "gif") {
        return gifDamage(bytes);
    }
    if (format == "bmp") {
        return bmpDamage(bytes);
    }
    if (format != "tiff") {
        return {};
    }
    QString damage = tiffDamage(bytes);
    // Qt's TIFF reader gives nothing at all when part of the picture cannot be read.
    if (!damage.isEmpty() && !isCmykTiff(bytes) && tiffRgbaBytes(bytes) < 0) {
        refuse(damage);
    }
    return damage;
}

// The picture's stored size, as Qt's reader reads it, and its damage (see damageOf). A PNG file
// is looked at first, so that Qt's PNG reader never reads a damaged header; other formats after
// Qt's reader took their size, which refuses a file that is no picture with its own words.
struct Look {
    QSize stored;
    QString damage;
};

Look look(QImageReader& reader, const QByteArray& format, const PictureData& data) {
    const QString png = format == "png" ? damageOf(format, data) : QString();
    const QSize stored = checkedSize(reader);
    return {stored, format == "png" ? png : damageOf(format, data)};
}

PictureInfo probe(const PictureData& data) {
    Reader r(data);
    if (!r.reader.canRead()) {
        refuse(QStringLiteral("il file non è un'immagine leggibile"));
    }
    checkGifScreen(data);
    const QByteArray format = r.reader.format();
    const auto [stored, damage] = look(r.reader, format, data);
    PictureInfo info{turned(r.reader.transformation()) ? stored.transposed() : stored,
                     format.toUpper(), false};
    info.damage = damage;
    const bool cmykTiff = format == "tiff" && isCmykTiff(data.bytes());
    const qint64 rgbaTiff = format == "tiff" && !cmykTiff ? tiffRgbaBytes(data.bytes()) : -1;
    if (rgbaTiff >= 0) {
        info.workBytes = rgbaTiff;
    } else if (!readByLines(format) && !cmykTiff) {
        info.workBytes = 4 * qint64(stored.width()) * stored.height(); // read whole, then reduced
    }
    return info;
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize devicePixels,
                                            Background background) {
    Reader r(data);
    checkGifScreen(data);
    const QByteArray format = r.reader.format();
    const auto [stored, told] = look(r.reader, format, data); // the decoder's findings go first
    const QImageIOHandler::Transformations transformation = r.reader.transformation();
    // The size asked for is as shown: turn it back to the stored orientation.
    const QSize wanted = (turned(transformation) ? devicePixels.transposed() : devicePixels)
                             .boundedTo(stored)
                             .expandedTo(QSize(1, 1));
    std::shared_ptr<RasterPicture> picture;
    QString found;
    if (format == "jpeg") {
        DecodedJpeg jpeg = decodeJpeg(data.bytes(), wanted);
        picture = std::make_shared<RasterPicture>(oriented(std::move(jpeg.image), transformation),
                                                  jpeg.icc);
        found = jpeg.damage;
    } else if (format == "png") {
        DecodedPng png = decodePng(data.bytes(), wanted, background);
        picture = std::make_shared<RasterPicture>(oriented(std::move(png.image), transformation),
                                                  png.icc, background);
        found = png.damage;
    } else if (format == "gif") {
        QImage image = decodeGif(data.bytes(), wanted, &found, background);
        picture = std::make_shared<RasterPicture>(oriented(std::move(image), transformation),
                                                  QByteArray(), background);
    } else if (format == "tiff" && isCmykTiff(data.bytes())) {
        QImage image = decodeCmykTiff(data.bytes(), wanted, &found);
        picture = std::make_shared<RasterPicture>(oriented(std::move(image), transformation),
                                                  QByteArray(), background);
    } else if (format == "tiff" && tiffRgbaBytes(data.bytes()) >= 0) {
        QByteArray icc;
        QImage image = decodeTiffRgba(data.bytes(), wanted, &found, &icc);
        picture = std::make_shared<RasterPicture>(oriented(std::move(image), transformation), icc,
                                                  background);
    } else {
        // A BMP cut short is read whole, its missing rows painted, and then reduced.
        const bool missingRows = format == "bmp" && !told.isEmpty();
        if (wanted != stored && !missingRows) {
            r.reader.setScaledSize(wanted);
        }
        QImage image = r.reader.read();
        if (image.isNull()) {
            refuse(QStringLiteral("immagine non decodificabile (%1)").arg(r.reader.errorString()));
        }
        if (missingRows) {
            greyMissingBmpRows(data.bytes(), image);
        }
        if (image.size() != wanted) {
            image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        picture = std::make_shared<RasterPicture>(oriented(std::move(image), transformation),
                                                  QByteArray(), background);
    }
    if (picture->image().isNull()) {
        refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
    }
    picture->setDamage(found.isEmpty() ? told : found);
    return picture;
}

} // namespace

const Decoder qtDecoder{probe, load};

} // namespace lumetra::pictures

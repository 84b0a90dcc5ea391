#include "PictureImport.h"

#include "EpsDecoder.h"
#include "Gunzip.h"
#include "HeifDecoder.h"
#include "JpegDecoder.h"
#include "JxlDecoder.h"
#include "MagickDecoder.h"
#include "MetafileDecoder.h"
#include "PictureData.h"
#include "PictureFormat.h"
#include "QtDecoder.h"
#include "RevengeDecoder.h"
#include "SvgDecoder.h"
#include "WebpDecoder.h"

#include <algorithm>
#include <cmath>

namespace lumetra::pictures {

namespace {

const Decoder& decoderFor(const PictureData& data) {
    const PictureFormat format = detectFormat(data);
    switch (format) {
    case PictureFormat::Jpeg:
    case PictureFormat::Png:
    case PictureFormat::Bmp:
    case PictureFormat::Gif:
    case PictureFormat::Tiff:
        return qtDecoder;
    case PictureFormat::Eps:
        return epsDecoder;
    case PictureFormat::Wmf:
    case PictureFormat::Emf:
        return metafileDecoder;
    case PictureFormat::Cdr:
    case PictureFormat::Wpg:
        return revengeDecoder;
    case PictureFormat::Pcx:
    case PictureFormat::Pict:
    case PictureFormat::Pcd:
    case PictureFormat::UtahRle:
        return magickDecoder;
    case PictureFormat::Svg:
        return svgDecoder;
    case PictureFormat::Heif:
    case PictureFormat::Avif:
        return heifDecoder;
    case PictureFormat::WebP:
        return webpDecoder;
    case PictureFormat::Jxl:
        return jxlDecoder;
    case PictureFormat::Cgm:
    case PictureFormat::Compound:
        refuse(QStringLiteral("formato %1 non supportato")
                   .arg(QString::fromLatin1(formatName(format, data))));
    case PictureFormat::Gzip:
    case PictureFormat::Unknown:
        break;
    }
    refuse(QStringLiteral("il file non è un'immagine di un formato conosciuto"));
}

// A gzip'd picture is read as the picture it holds (once: a gzip'd gzip is refused).
PictureData unpacked(const PictureData& data) {
    if (detectFormat(data) != PictureFormat::Gzip) {
        return data;
    }
    PictureData inner = gunzip(data);
    if (detectFormat(inner) == PictureFormat::Gzip) {
        refuse(QStringLiteral("il file compresso contiene un altro file compresso"));
    }
    return inner;
}

// `devicePixels` reduced, keeping its shape, to at most MaxDecodedPixels.
QSize decodedSize(QSize devicePixels) {
    const double area = double(devicePixels.width()) * devicePixels.height();
    if (area <= MaxDecodedPixels) {
        return devicePixels;
    }
    const double scale = std::sqrt(MaxDecodedPixels / area);
    return QSize(std::max(1, int(devicePixels.width() * scale)),
                 std::max(1, int(devicePixels.height() * scale)));
}

} // namespace

PictureInfo probePicture(const PictureData& data) {
    const PictureData picture = unpacked(data);
    const Decoder& decoder = decoderFor(picture);
    const bool drawing =
        &decoder == &metafileDecoder || &decoder == &revengeDecoder || &decoder == &svgDecoder;
    const qint64 bytes = picture.bytes().size();
    if (drawing && bytes > MaxDrawingFileBytes) {
        refuse(QStringLiteral("il disegno è troppo grande (%1 MB)").arg(bytes >> 20));
    }
    PictureInfo info = decoder.probe(picture);
    info.workBytes += data.bytes().size(); // the file's bytes, read whole to be decoded
    if (detectFormat(picture) == PictureFormat::Jpeg) {
        info.workBytes += jpegWorkBytes(picture.bytes());
    }
    if (drawing) {
        info.workBytes += 8 * bytes; // the copy the library reads and what it makes of it
    }
    if (picture.bytes().data() != data.bytes().data()) {
        info.workBytes += bytes; // unpacked from a gzip'd file
    }
    if (info.workBytes > MaxWorkBytes) {
        refuseTooLarge(info.size.width(), info.size.height());
    }
    if (!info.size.isValid() || info.size.isEmpty()) {
        refuse(QStringLiteral("l'immagine non ha dimensioni valide"));
    }
    if (!info.vector && qint64(info.size.width()) * info.size.height() > MaxPicturePixels) {
        refuseTooLarge(info.size.width(), info.size.height());
    }
    return info;
}

qint64 decodingBytes(const PictureInfo& info, QSize devicePixels) {
    const QSize drawn = info.vector ? QSize(0, 0) : decodedSize(devicePixels).boundedTo(info.size);
    return info.workBytes + 4 * qint64(std::max(drawn.width(), 0)) * std::max(drawn.height(), 0);
}

PictureInfo probePicture(const QString& path) {
    return probePicture(PictureData::read(path));
}

std::shared_ptr<const ImportedPicture> loadPicture(const PictureData& data, QSize devicePixels,
                                                   Background background) {
    const PictureData picture = unpacked(data);
    return decoderFor(picture).load(picture, decodedSize(devicePixels.expandedTo(QSize(1, 1))),
                                    background);
}

std::shared_ptr<const ImportedPicture> loadPicture(const QString& path, QSize devicePixels) {
    return loadPicture(PictureData::read(path), devicePixels);
}

} // namespace lumetra::pictures

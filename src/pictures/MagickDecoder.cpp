#include "MagickDecoder.h"

#include "LibraryDiagnostics.h"
#include "MagickSession.h"

#include "PictureData.h"
#include "PictureError.h"
#include "PictureFormat.h"
#include "RasterPicture.h"

#include <Magick++.h>

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <vector>

namespace lumetra::pictures {

namespace {

// The file's bytes are handed to it in memory: files above this are refused.
constexpr qint64 MagickFileBytes = 64ll * 1024 * 1024;
// Its PICT reader also takes a buffer of about 128 KiB for every row of the picture, and some
// 20 bytes a pixel in all (measured with ImageMagick 6.9), 7 more for the 8-bit copies on the
// way out: what a picture may need at most (MaxWorkBytes) bounds PICT pictures by this.
constexpr qint64 PictRowBytes = 128ll * 1024;
constexpr qint64 PictBytesPerPixel = 20 + 7;

// The coder for the format, named so ImageMagick never guesses from the content on its own
// (each reads from memory: ImageMagick writes no file for it).
const char* coder(PictureFormat format) {
    switch (format) {
    case PictureFormat::Pcx:
        return "PCX";
    case PictureFormat::Pict:
        return "PICT";
    case PictureFormat::Pcd:
        return "PCD";
    case PictureFormat::UtahRle:
        return "RLE";
    default:
        return nullptr;
    }
}

Magick::Image prepared(PictureFormat format) {
    startMagick();
    Magick::Image image;
    image.quiet(true); // warnings are not exceptions, and nothing is printed
    image.magick(coder(format));
    return image;
}

QString failure(PictureFormat format, const PictureData& data) {
    return QStringLiteral("file %1 danneggiato o non leggibile")
        .arg(QString::fromLatin1(formatName(format, data)));
}

PictureInfo probe(const PictureData& data) {
    const PictureFormat format = detectFormat(data);
    if (data.bytes().size() > MagickFileBytes) {
        refuse(QStringLiteral("il file %1 è troppo grande (%2 MB)")
                   .arg(QString::fromLatin1(formatName(format, data)))
                   .arg(data.bytes().size() >> 20));
    }
    PictureInfo info{QSize(), formatName(format, data), false};
    if (format == PictureFormat::Pict) {
        // Pinging a PICT file costs ImageMagick as much memory as reading it: its frame says.
        info.size = pictFrameSize(data);
        if (info.size.isEmpty()) {
            refuse(failure(format, data));
        }
    } else {
        try {
            const std::lock_guard lock(magickMutex());
            Magick::Image image = prepared(format);
            image.ping(Magick::Blob(data.bytes().data(), static_cast<size_t>(data.bytes().size())));
            info.size = QSize(static_cast<int>(image.columns()), static_cast<int>(image.rows()));
        } catch (const std::exception&) {
            refuse(failure(format, data));
        }
    }
    const qint64 pixels = qint64(info.size.width()) * info.size.height();
    const qint64 pictBytes = format == PictureFormat::Pict
                                 ? info.size.height() * PictRowBytes + pixels * PictBytesPerPixel
                                 : 0;
    if (pixels > MagickPixels) {
        refuseTooLarge(info.size.width(), info.size.height());
    }
    // The file's copy, the picture whole in ImageMagick and as 8-bit RGB on the way out.
    info.workBytes = data.bytes().size() + std::max(pixels * (MagickBytesPerPixel + 3), pictBytes);
    // ImageMagick reads nothing of a PICT cut short (told once its size is known to fit).
    if (format == PictureFormat::Pict && info.workBytes <= MaxWorkBytes && !pictComplete(data)) {
        refuse(QStringLiteral("file PICT troncato"));
    }
    return info;
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize devicePixels,
                                            Background background) {
    const PictureFormat format = detectFormat(data);
    QImage decoded;
    QByteArray icc;
    QString damage;
    try {
        const std::lock_guard lock(magickMutex());
        Magick::Image image = prepared(format);
        try {
            image.read(Magick::Blob(data.bytes().data(), static_cast<size_t>(data.bytes().size())));
        } catch (const Magick::Error&) {
            // A reader that met the file's end keeps what it read (PCX): drawn, saying so.
            if (!image.isValid()) {
                throw;
            }
            damage = QStringLiteral("file %1 danneggiato o troncato: l'immagine è incompleta")
                         .arg(QString::fromLatin1(formatName(format, data)));
        }
        const QSize own(static_cast<int>(image.columns()), static_cast<int>(image.rows()));
        const QSize wanted = devicePixels.boundedTo(own).expandedTo(QSize(1, 1));
        if (wanted != own) {
            Magick::Geometry geometry(static_cast<size_t>(wanted.width()),
                                      static_cast<size_t>(wanted.height()));
            geometry.aspect(true);
            image.filterType(Magick::LanczosFilter);
            image.resize(geometry);
        }
        const Magick::Blob profile = image.iccColorProfile();
        if (profile.length() > 0) {
            icc = QByteArray(static_cast<const char*>(profile.data()),
                             static_cast<qsizetype>(profile.length()));
        }
        image.colorSpace(Magick::sRGBColorspace);
        // ARGB32 is blue, green, red, alpha in memory. Pictures without transparency are taken
        // as opaque whatever their alpha channel holds (the Utah RLE reader leaves it unset).
        const bool alpha = image.matte();
        decoded = QImage(static_cast<int>(image.columns()), static_cast<int>(image.rows()),
                         alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        if (decoded.isNull()) {
            refuse(QStringLiteral("memoria insufficiente per decodificare l'immagine"));
        }
        if (alpha) {
            image.write(0, 0, image.columns(), image.rows(), "BGRA", Magick::CharPixel,
                        decoded.bits());
        } else {
            // Three bytes a pixel come out: spread them into the 32-bit rows.
            std::vector<uchar> rgb(image.columns() * image.rows() * 3);
            image.write(0, 0, image.columns(), image.rows(), "RGB", Magick::CharPixel, rgb.data());
            for (int y = 0; y < decoded.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(decoded.scanLine(y));
                const uchar* in = rgb.data() + std::size_t(y) * image.columns() * 3;
                for (int x = 0; x < decoded.width(); ++x) {
                    const uchar* px = in + 3 * std::ptrdiff_t{x};
                    line[x] = qRgb(px[0], px[1], px[2]);
                }
            }
        }
    } catch (const PictureError&) {
        throw;
    } catch (const std::exception&) {
        refuse(failure(format, data));
    }
    auto picture = std::make_shared<RasterPicture>(std::move(decoded), icc, background);
    picture->setDamage(damage);
    return picture;
}

} // namespace

const Decoder magickDecoder{probe, load};

} // namespace lumetra::pictures

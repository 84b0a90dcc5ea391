#pragma once
// The picture import of the engine: every picture file goes through here, whatever its format.
//
//   const PictureInfo info = probePicture(path);        // when the picture is added: cheap
//   auto picture = loadPicture(path, QSize(800, 600));  // when drawn, at the device size
//   picture->draw(painter, box);
//
// The format is told from the content, never from the name. Raster pictures come out in sRGB
// (embedded colour profiles and CMYK converted), EXIF orientation applied, transparency over
// white unless asked to keep it; drawings stay drawings. Both functions are safe on several threads
// at once.

#include "ImportedPicture.h"
#include "PictureError.h"

#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>

namespace lumetra::pictures {

class PictureData;

// Pictures above this many pixels are refused (a 150 MP picture is 600 MB decoded).
inline constexpr qint64 MaxPicturePixels = 150'000'000;

// Pictures whose decoding would take more memory than this on the way are refused: the file's
// bytes, read whole, and what the library holds before the picture is reduced (Qt's BMP reader
// and tiled TIFF read the whole picture, libjpeg a progressive JPEG's coefficients).
inline constexpr qint64 MaxWorkBytes = 160ll * 1024 * 1024;
// Pictures are decoded at no more than this many pixels (128 MB), however large the box they are
// drawn into: so one picture never takes more than about 300 MB. Larger boxes are drawn from
// the picture stretched.
inline constexpr qint64 MaxDecodedPixels = 32'000'000;
// Drawings read by libraries that hold the file and what they make of it in memory (WMF, EMF,
// CorelDRAW, WordPerfect graphics) are refused above this size.
inline constexpr qint64 MaxDrawingFileBytes = 32ll * 1024 * 1024;

struct PictureInfo {
    PictureInfo() = default;
    PictureInfo(QSize pixels, QByteArray contentFormat, bool isVector)
        : size(pixels), format(std::move(contentFormat)), vector(isVector) {}

    QSize size;        // pixels as shown (EXIF orientation applied); a drawing's own size at 72 dpi
    QByteArray format; // "JPEG", "TIFF", "WMF", ... as read from the content
    bool vector = false; // a drawing rather than pixels
    // Set when the file is damaged but can still be drawn (a photo cut short): an Italian
    // description, from what a cheap look at the file found.
    QString damage;
    // Memory the decoding takes beyond the picture it gives (a full-size picture decoded before
    // it is reduced, the file's bytes copied for a library), in bytes.
    qint64 workBytes = 0;
};

// The memory, in bytes, decoding the picture for `devicePixels` takes at its peak: the picture
// given (at most MaxDecodedPixels) plus the work on the way.
qint64 decodingBytes(const PictureInfo& info, QSize devicePixels);

// Reads as little of the file as tells what it is and how large. Throws PictureError with an
// Italian description: not a picture, damaged, too large, or a format that cannot be read
// here ("formato CGM non supportato").
PictureInfo probePicture(const QString& path);
PictureInfo probePicture(const PictureData& data);

// Decodes the picture for drawing over `devicePixels` device pixels: a raster picture never
// larger than itself nor, on either side, than that size, nor of more than MaxDecodedPixels.
// Throws PictureError.
std::shared_ptr<const ImportedPicture> loadPicture(const QString& path, QSize devicePixels);
std::shared_ptr<const ImportedPicture> loadPicture(const PictureData& data, QSize devicePixels,
                                                   Background background = Background::White);

} // namespace lumetra::pictures

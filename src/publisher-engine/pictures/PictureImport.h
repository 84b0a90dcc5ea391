#pragma once
// The picture import of the engine: every picture file goes through here, whatever its format.
//
//   const PictureInfo info = probePicture(path);        // when the picture is added: cheap
//   auto picture = loadPicture(path, QSize(800, 600));  // when drawn, at the device size
//   picture->draw(painter, box);
//
// The format is told from the content, never from the name. Raster pictures come out in sRGB
// (embedded colour profiles and CMYK converted), EXIF orientation applied, transparency over
// white; drawings stay drawings. Both functions are safe on several threads at once.

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

struct PictureInfo {
    QSize size;        // pixels as shown (EXIF orientation applied); a drawing's own size at 72 dpi
    QByteArray format; // "JPEG", "TIFF", "WMF", ... as read from the content
    bool vector = false; // a drawing rather than pixels
};

// Reads as little of the file as tells what it is and how large. Throws PictureError with an
// Italian description: not a picture, damaged, too large, or a format that cannot be read
// here ("formato CGM non supportato").
PictureInfo probePicture(const QString& path);
PictureInfo probePicture(const PictureData& data);

// Decodes the picture for drawing over `devicePixels` device pixels: a raster picture never
// larger than itself nor, on either side, than that size. Throws PictureError.
std::shared_ptr<const ImportedPicture> loadPicture(const QString& path, QSize devicePixels);
std::shared_ptr<const ImportedPicture> loadPicture(const PictureData& data, QSize devicePixels);

} // namespace lumetra::pictures

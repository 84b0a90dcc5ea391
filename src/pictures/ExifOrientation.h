#pragma once
// The orientation an EXIF block gives a picture (tag 0x0112 of its first directory), for the
// formats whose library leaves it to the reader (WebP).

#include <QByteArrayView>
#include <QImage>

namespace lumetra::pictures {

// 1 to 8 as EXIF numbers them; 1 (as stored) when the block has none or cannot be read. The
// block may start with "Exif\0\0".
int exifOrientation(QByteArrayView exif);

// Whether the orientation turns the picture a quarter (its width and height swap).
inline bool quarterTurned(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// `image` as the orientation shows it.
QImage oriented(QImage image, int orientation);

} // namespace lumetra::pictures

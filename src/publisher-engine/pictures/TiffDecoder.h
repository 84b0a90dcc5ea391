#pragma once
// CMYK TIFF pictures through libtiff, converted to sRGB through their embedded ICC profile (or
// the default CMYK profile). Other TIFF pictures are read by Qt's TIFF reader.

#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

namespace lumetra::pictures {

// Empty when the first picture's data lies whole inside the file; else what is wrong with it
// (cheap: only the directory is read).
QString tiffDamage(QByteArrayView data);

// For a stripped TIFF the strip reader serves (top-left orientation, a layout libtiff converts
// to RGBA): the bytes one strip takes decoded; else -1.
qint64 tiffStripBytes(QByteArrayView data);

// The first picture, strip after strip, reduced to `wanted` while its rows are read, on white,
// in its colour space (its embedded profile in `icc`). Rows after a damaged strip are grey.
// Throws PictureError.
QImage decodeTiffStrips(QByteArrayView data, QSize wanted, QString* damage, QByteArray* icc);

// True when the first picture of the file holds CMYK separations this reader converts.
bool isCmykTiff(QByteArrayView data);

// The first picture in sRGB, reduced to `wanted` (stored orientation) while its rows are read,
// so no more than the reduced picture is ever held. Throws PictureError.
QImage decodeCmykTiff(QByteArrayView data, QSize wanted, QString* damage);

} // namespace lumetra::pictures

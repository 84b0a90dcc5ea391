#pragma once
// TIFF pictures through libtiff, read a band at a time and reduced while they come in; CMYK ones
// converted to sRGB through their embedded ICC profile (or the default CMYK profile). Layouts
// neither reader serves (other orientations) are left to Qt's TIFF reader.

#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

namespace lumetra::pictures {

// What a cheap look at the file's directories finds wrong with it (empty: nothing): a strip or
// tile beyond the file's end or far too short for its rows, a value the directories point to
// beyond it. Throws PictureError when not even the first strip or tile is there.
QString tiffDamage(QByteArrayView data);

// For a TIFF the RGBA reader serves (top-left orientation, a layout libtiff converts to RGBA),
// in strips or in tiles: the bytes it takes on the way; else -1.
qint64 tiffRgbaBytes(QByteArrayView data);

// The first picture, a band of strips or tiles after another, reduced to `wanted` while its rows
// are read, on white, in its colour space (its embedded profile in `icc`). A strip or tile that
// cannot be read is grey and `damage` says so. Throws PictureError when none can be read.
QImage decodeTiffRgba(QByteArrayView data, QSize wanted, QString* damage, QByteArray* icc);

// True when the first picture of the file holds CMYK separations this reader converts.
bool isCmykTiff(QByteArrayView data);

// The first picture in sRGB, reduced to `wanted` (stored orientation) while its rows are read,
// so no more than the reduced picture is ever held; rows that cannot be read are told in
// `damage`. Throws PictureError.
QImage decodeCmykTiff(QByteArrayView data, QSize wanted, QString* damage);

} // namespace lumetra::pictures

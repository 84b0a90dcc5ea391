#pragma once
// CMYK TIFF pictures through libtiff, converted to sRGB through their embedded ICC profile (or
// the default CMYK profile). Other TIFF pictures are read by Qt's TIFF reader.

#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

namespace lumetra::pictures {

// True when the first picture of the file holds CMYK separations this reader converts.
bool isCmykTiff(QByteArrayView data);

// The first picture in sRGB, reduced to `wanted` (stored orientation) while its rows are read,
// so no more than the reduced picture is ever held. Throws PictureError.
QImage decodeCmykTiff(QByteArrayView data, QSize wanted, QString* damage);

} // namespace lumetra::pictures

#pragma once
// JPEG pictures through libjpeg-turbo, decoded at a reduced size where the picture is drawn
// smaller (libjpeg scales while decoding: 1/2, 1/4, 1/8, so a 12 MP photo drawn 700 pixels wide
// decodes a quarter of its size), then scaled smoothly to the size asked for. RGB and grey
// pictures come with their embedded ICC profile; CMYK and YCCK ones (Adobe's inverted CMYK
// included) are converted to sRGB through theirs.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

namespace lumetra::pictures {

struct DecodedJpeg {
    QImage image;   // `wanted` pixels, stored orientation (no EXIF turn applied)
    QByteArray icc; // the embedded profile still to apply (RGB and grey pictures)
    QString damage; // set when the data was cut short or damaged but pixels came out
};

// Empty when the file looks complete; else the damage a decoding at an eighth of the size
// found. Throws PictureError when nothing can be decoded.
QString jpegDamage(QByteArrayView data);

// The memory libjpeg holds whatever the size decoded at: the coefficients of the whole picture
// for a progressive JPEG (or any of several scans), next to nothing for a sequential one.
// Throws PictureError when the header cannot be read.
qint64 jpegWorkBytes(QByteArrayView data);

// `wanted` is in stored orientation. Throws PictureError when nothing can be decoded, or when
// libjpeg would need more memory than a picture may take (MaxWorkBytes).
DecodedJpeg decodeJpeg(QByteArrayView data, QSize wanted);

} // namespace lumetra::pictures

#pragma once
// PNG pictures through libpng, row by row, reduced to the size asked for while the rows come
// in (a 12000 x 12000 picture drawn 800 pixels wide never exists at full size). A picture cut
// short keeps the rows it holds and says it is damaged. Interlaced pictures are read from
// their last pass (every other row, complete). libpng's messages go to the diagnostics.

#include "ImportedPicture.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

namespace lumetra::pictures {

struct DecodedPng {
    QImage image;   // `wanted` pixels: RGB32 on white, or ARGB32_Premultiplied kept transparent
    QByteArray icc; // the embedded profile still to apply
    QString damage; // set when the data was cut short or damaged but rows came out
};

// Empty when the file ends as a PNG ends (cheap: its header and its end are looked at; a file
// cut short is decoded at the least size to tell which rows it lacks). Throws PictureError when
// the header cannot be read (this keeps a damaged header away from Qt's PNG reader, whose libpng
// prints its errors) or when no row of a cut picture can be decoded.
QString pngDamage(QByteArrayView data);

// Throws PictureError when nothing can be decoded.
DecodedPng decodePng(QByteArrayView data, QSize wanted, Background background = Background::White);

} // namespace lumetra::pictures

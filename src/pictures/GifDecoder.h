#pragma once
// GIF pictures through giflib, line by line, reduced to the size asked for while the
// lines come in (Qt's reader holds the whole logical screen at 32 bits a pixel). The first
// picture of the file, on white where it is transparent or leaves the screen uncovered;
// interlaced pictures are read from their last pass (every other line, complete).

#include "ImportedPicture.h"

#include <QByteArrayView>
#include <QImage>
#include <QSize>
#include <QString>

namespace lumetra::pictures {

// Empty when every picture of the file is there (cheap: the data blocks are walked, not
// decoded; a first picture cut short is decoded at the least size); else what is missing.
// Throws PictureError when the file holds no picture, or none of the first one's lines.
QString gifDamage(QByteArrayView data);

// `wanted` pixels: RGB32, or ARGB32_Premultiplied where the transparency is kept. Throws
// PictureError when nothing can be decoded; `damage` is set when the data ends early.
QImage decodeGif(QByteArrayView data, QSize wanted, QString* damage,
                 Background background = Background::White);

} // namespace lumetra::pictures

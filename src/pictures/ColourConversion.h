#pragma once
// Colours of decoded pictures into the output's colour space, sRGB: embedded ICC profiles
// honoured through littleCMS, CMYK converted through its profile (or a default press profile
// when the file has none), transparency laid over white as on paper.

#include "ImportedPicture.h"

#include <QByteArray>
#include <QImage>

namespace lumetra::pictures {

// `image` in sRGB, converted from its colour space (QImage::colorSpace(), or `iccProfile` when
// given): opaque (Format_RGB32, alpha composited over white) or, keeping its transparency,
// premultiplied (Format_ARGB32_Premultiplied) when it has any.
QImage toSrgb(QImage image, const QByteArray& iccProfile, Background background);

struct CmykPixels {
    const uchar* data = nullptr; // C, M, Y, K bytes per pixel
    int width = 0;
    int height = 0;
    qsizetype bytesPerLine = 0;
    bool inverted = false; // Adobe's convention: 0 is full ink
};

// CMYK pixels as sRGB through `iccProfile` (a CMYK profile), or the default CMYK profile when it
// is empty or not a CMYK profile. A null image only when no memory is left.
QImage cmykToSrgb(const CmykPixels& pixels, const QByteArray& iccProfile);

} // namespace lumetra::pictures

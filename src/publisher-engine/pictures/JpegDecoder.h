#pragma once
// Fast decoding of JPEG pictures at a reduced size: libjpeg-turbo scales while decoding (1/2,
// 1/4, 1/8, so a 12 MP photo drawn 700 pixels wide decodes a quarter of its size), then the
// result is scaled smoothly to the size asked for.

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace lumetra::engine {

// `data` holds a whole JPEG file; `wanted` is in stored orientation (no EXIF turn applied).
// Null when libjpeg-turbo cannot decode it (CMYK, damaged headers): the caller falls back to
// Qt's reader. A picture cut short decodes to what it holds.
QImage decodeJpegScaled(const QByteArray& data, QSize wanted);

} // namespace lumetra::engine

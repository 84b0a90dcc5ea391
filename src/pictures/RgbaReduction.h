#pragma once
// A picture a library gives whole, as R, G, B, A bytes (straight alpha), reduced to the size
// asked for through the row reducer: transparency premultiplied first, so that averaging keeps
// transparent pixels from darkening their neighbours.

#include <QImage>
#include <QSize>

#include <cstdint>

namespace lumetra::pictures {

// `wanted` is kept within `source`. A null image only when no memory is left.
QImage reducedRgba(const std::uint8_t* pixels, qsizetype bytesPerLine, QSize source, QSize wanted);

} // namespace lumetra::pictures

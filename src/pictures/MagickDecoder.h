#pragma once
// PCX, PICT, Photo CD, Utah RLE through ImageMagick, with its resource limits set.

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder magickDecoder;

} // namespace lumetra::pictures

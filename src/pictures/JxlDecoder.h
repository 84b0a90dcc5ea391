#pragma once
// JPEG XL pictures through libjxl: the first frame, its orientation applied by libjxl, in the
// colour space libjxl gives it (its ICC profile honoured), reduced to the size asked for. The
// probe reads the header alone. A container cut short is refused by its boxes; a bare
// codestream cut short is told only by decoding it, so it is drawn as far as it goes, the rest
// grey, and said to be damaged.

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder jxlDecoder;

} // namespace lumetra::pictures

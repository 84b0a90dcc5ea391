#pragma once
// JPEG XL pictures through libjxl: the first frame, its orientation applied by libjxl, in the
// colour space libjxl gives it (its ICC profile honoured), reduced to the size asked for. A file
// cut short is refused: the probe decodes it, throwing the pixels away.

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder jxlDecoder;

} // namespace lumetra::pictures

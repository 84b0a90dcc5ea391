#pragma once
// JPEG, PNG, BMP, GIF and TIFF through Qt's readers (JPEG through libjpeg-turbo).

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder qtDecoder;

} // namespace lumetra::pictures

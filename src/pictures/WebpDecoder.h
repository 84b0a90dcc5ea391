#pragma once
// WebP pictures through libwebp: the first frame, decoded straight at the size asked for
// (libwebp's own scaling), its ICC profile honoured and its EXIF orientation applied. A file
// cut short is refused (its RIFF size tells).

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder webpDecoder;

} // namespace lumetra::pictures

#pragma once
// HEIF (phone photos, HEVC) and AVIF (AV1) pictures through libheif: the primary image, its
// rotation and mirroring (irot, imir) applied by libheif, its ICC profile honoured. A file
// whose boxes are cut short is refused: libheif cannot draw part of a picture.

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder heifDecoder;

} // namespace lumetra::pictures

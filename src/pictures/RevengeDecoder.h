#pragma once
// CorelDRAW and WordPerfect graphics through libcdr and libwpg, drawn as vectors.

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder revengeDecoder;

} // namespace lumetra::pictures

#pragma once
// Encapsulated PostScript through Ghostscript, rendered at the drawing's resolution.

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder epsDecoder;

} // namespace lumetra::pictures

#pragma once
// SVG drawings, drawn as vectors by Qt SVG. Only self-contained ones: a drawing that refers to
// anything outside itself (a linked image, an external entity) is refused, so that a file
// named like a photo cannot bring another file of the disk onto the page.

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder svgDecoder;

} // namespace lumetra::pictures

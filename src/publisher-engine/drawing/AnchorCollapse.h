#pragma once
// Making a shape of a 2002+ layout draw nothing while libmspub still counts it as the page's:
// its anchor becomes an empty box (libmspub draws no outline, fill, picture or text for a shape
// without width and height). Used when every shape of a page is hidden, because libmspub does
// not emit a page that has no shapes left, and the page's master content would go with it.

#include "StreamPatch.h"

#include <cstdint>
#include <vector>

namespace lumetra::drawing {

inline constexpr const char* EscherStream = "Escher/EscherStm";

// Patches that empty the anchors of the shape containers of "Escher/EscherStm" (`escher`)
// holding the bytes at `offsets` (for example the offsets of a shape's hide patches). Offsets
// outside any shape container are ignored.
std::vector<pub::StreamPatch> collapseAnchors(const std::vector<std::uint8_t>& escher,
                                              const std::vector<std::uint64_t>& offsets);

} // namespace lumetra::drawing

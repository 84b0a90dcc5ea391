#pragma once
// Reader of the Publisher 2002-2019 format: the chunk directory of "Contents" (document, pages,
// chunk types) and the OfficeArt records of "Escher/EscherStm" (shape types, anchors, links).

#include "RawLayout.h"

#include <cstdint>
#include <vector>

namespace lumetra::pub::detail {

// Throws Damaged.
RawLayout read2002(const std::vector<std::uint8_t>& contents,
                   const std::vector<std::uint8_t>& escher);

} // namespace lumetra::pub::detail

#pragma once
// Reader of the Publisher 98/2000 and 95/97 formats: the chunk table of "Contents", where each
// shape is a chunk whose parent is its page (or its group).

#include "RawLayout.h"

#include <cstdint>
#include <vector>

namespace lumetra::pub::detail {

// `version` is Publisher2000 or Publisher97. Throws Damaged.
RawLayout read2000(const std::vector<std::uint8_t>& contents, Version version);

} // namespace lumetra::pub::detail

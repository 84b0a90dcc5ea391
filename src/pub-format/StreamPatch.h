#pragma once
// A change to one stream of a layout's compound file, applied by whoever hands the file to
// libmspub: the bytes at `offset` of the stream named `stream` are replaced by `bytes`.
//
// Stream names are the compound-file paths librevenge uses ("Contents", "Escher/EscherStm").
// Patches never change a stream's length. The layout reader produces them (Layout::hidePatches)
// to make libmspub skip chosen shapes.

#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::pub {

struct StreamPatch {
    std::string stream;
    std::uint64_t offset = 0;
    std::vector<std::uint8_t> bytes;

    bool operator==(const StreamPatch&) const = default;
};

} // namespace lumetra::pub

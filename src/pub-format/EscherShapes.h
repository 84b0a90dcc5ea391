#pragma once
// The shapes of the 2002-format "Escher/EscherStm" stream: one OfficeArt drawing per page, each
// a tree of shape containers and group containers.

#include "ByteView.h"
#include "Shape.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumetra::pub::detail {

// One entry of the Contents chunk directory, indexed by seqnum.
struct ChunkRef {
    int type = -1; // -1: the entry references no chunk
    std::uint32_t offset = 0;
};

// A top-level shape or group of a drawing, linked to Contents by its seqnum (ClientData).
struct EscherElement {
    std::uint32_t seqnum = 0;
    Shape shape;
    std::vector<std::size_t> seqnumOffsets; // where the seqnum is stored in the stream
};

// Every drawing's top-level elements in drawing order (back to front). Positions are in points
// from the page's top-left corner. Throws Damaged.
std::vector<EscherElement> readEscherShapes(const ByteView& escher, double pageWidthEmu,
                                            double pageHeightEmu,
                                            const std::vector<ChunkRef>& directory);

} // namespace lumetra::pub::detail

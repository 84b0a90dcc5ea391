#pragma once
// The blocks of the 2002-format "Contents" stream: U8 id, U8 type, then data whose size the type
// gives (variable types start with a U32 length that counts itself).

#include "ByteView.h"

#include <cstddef>
#include <cstdint>

namespace lumetra::pub::detail {

// One block: `dataOffset` is where its data (or length) starts, `end` where the block ends;
// `value` holds the data of 2- and 4-byte blocks.
struct Block {
    std::uint8_t id = 0;
    std::uint8_t type = 0;
    std::size_t dataOffset = 0;
    std::size_t end = 0;
    std::uint32_t value = 0;
    bool variable = false;
};

// The block at `pos`, which must end by `limit`. Throws Damaged.
Block readBlock(const ByteView& b, std::size_t pos, std::size_t limit);

// The sub-blocks of a variable-length block.
template <typename F> void forEachSubBlock(const ByteView& b, const Block& parent, F&& f) {
    std::size_t pos = parent.dataOffset + 4;
    while (pos < parent.end) {
        const Block k = readBlock(b, pos, parent.end);
        f(k);
        pos = k.end;
    }
}

// The blocks of the chunk at `offset`: a U32 length counting itself, then blocks.
template <typename F> void forEachChunkBlock(const ByteView& b, std::uint32_t offset, F&& f) {
    b.require(offset, 4, "riferimento a un blocco oltre la fine del flusso Contents");
    const std::uint32_t length = b.u32(offset);
    if (length < 4 || !b.has(offset, length)) {
        throw Damaged{"lunghezza di blocco non valida nel flusso Contents"};
    }
    const std::size_t end = std::size_t{offset} + length;
    std::size_t pos = std::size_t{offset} + 4;
    while (pos < end) {
        const Block k = readBlock(b, pos, end);
        f(k);
        pos = k.end;
    }
}

} // namespace lumetra::pub::detail

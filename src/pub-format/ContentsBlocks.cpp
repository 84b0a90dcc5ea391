#include "ContentsBlocks.h"

namespace lumetra::pub::detail {

namespace {

int fixedBlockLength(std::uint8_t type) {
    switch (type) {
    case 0x07:
    case 0x10:
    case 0x12:
    case 0x18:
    case 0x1A:
        return 2;
    case 0x20:
    case 0x22:
    case 0x58:
    case 0x68:
    case 0x70:
    case 0xB8:
        return 4;
    case 0x28:
        return 8;
    case 0x38:
        return 16;
    case 0x48:
        return 24;
    case 0x80:
    case 0x82:
    case 0x88:
    case 0x8A:
    case 0x90:
    case 0x98:
    case 0xA0:
    case 0xC0:
        return -1;
    default: // 0x78, 0x05, 0x08, 0x0A and unknown types carry no data
        return 0;
    }
}

} // namespace

Block readBlock(const ByteView& b, std::size_t pos, std::size_t limit) {
    if (pos > limit || limit - pos < 2) {
        throw Damaged{"blocco troncato nel flusso Contents"};
    }
    Block k;
    k.id = b.u8(pos);
    k.type = b.u8(pos + 1);
    k.dataOffset = pos + 2;
    const int length = fixedBlockLength(k.type);
    if (length < 0) {
        if (limit - k.dataOffset < 4) {
            throw Damaged{"blocco troncato nel flusso Contents"};
        }
        const std::uint32_t total = b.u32(k.dataOffset);
        if (total < 4 || total > limit - k.dataOffset) {
            throw Damaged{"lunghezza di blocco non valida nel flusso Contents"};
        }
        k.variable = true;
        k.end = k.dataOffset + total;
    } else {
        if (static_cast<std::size_t>(length) > limit - k.dataOffset) {
            throw Damaged{"blocco troncato nel flusso Contents"};
        }
        k.end = k.dataOffset + static_cast<std::size_t>(length);
        if (length == 2) {
            k.value = b.u16(k.dataOffset);
        } else if (length == 4) {
            k.value = b.u32(k.dataOffset);
        }
    }
    return k;
}

} // namespace lumetra::pub::detail

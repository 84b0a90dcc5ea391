#include "CompoundFile.h"

#include "ByteView.h"

#include <librevenge-stream/librevenge-stream.h>

#include <memory>

namespace lumetra::pub::detail {

bool isCompoundFile(librevenge::RVNGInputStream& input) {
    input.seek(0, librevenge::RVNG_SEEK_SET);
    return input.isStructured();
}

std::optional<std::vector<std::uint8_t>> readSubStream(librevenge::RVNGInputStream& input,
                                                       const std::string& name) {
    if (!input.existsSubStream(name.c_str())) {
        return std::nullopt;
    }
    std::unique_ptr<librevenge::RVNGInputStream> stream(input.getSubStreamByName(name.c_str()));
    if (!stream) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    stream->seek(0, librevenge::RVNG_SEEK_SET);
    constexpr unsigned long block = 64ul * 1024;
    while (!stream->isEnd()) {
        unsigned long got = 0;
        const unsigned char* data = stream->read(block, got);
        if (!data || got == 0) {
            break;
        }
        if (bytes.size() + got > MaxStreamSize) {
            throw Damaged{"flusso interno troppo grande"};
        }
        bytes.insert(bytes.end(), data, data + got);
    }
    return bytes;
}

} // namespace lumetra::pub::detail

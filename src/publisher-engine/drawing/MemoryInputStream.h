#pragma once
// A plain (not compound) librevenge input stream over bytes it owns.

#include <librevenge-stream/librevenge-stream.h>

#include <cstdint>
#include <vector>

namespace lumetra::drawing {

class MemoryInputStream final : public librevenge::RVNGInputStream {
public:
    explicit MemoryInputStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    bool isStructured() override { return false; }
    unsigned subStreamCount() override { return 0; }
    const char* subStreamName(unsigned) override { return nullptr; }
    bool existsSubStream(const char*) override { return false; }
    librevenge::RVNGInputStream* getSubStreamByName(const char*) override { return nullptr; }
    librevenge::RVNGInputStream* getSubStreamById(unsigned) override { return nullptr; }

    const unsigned char* read(unsigned long numBytes, unsigned long& numBytesRead) override;
    int seek(long offset, librevenge::RVNG_SEEK_TYPE seekType) override;
    long tell() override { return long(position_); }
    bool isEnd() override { return position_ >= bytes_.size(); }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

} // namespace lumetra::drawing

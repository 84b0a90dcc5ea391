#pragma once
// Bounds-checked little-endian reads over one stream of a layout. Every read outside the stream
// throws Damaged, which the reader turns into a runtime::Error at its edge.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumetra::pub::detail {

// A layout that cannot be read. `reason` is an Italian phrase completing "file danneggiato: ...".
struct Damaged {
    const char* reason;
};

// A layout of a Publisher version the reader does not take. `reason` completes
// "Impossibile caricare il layout: ...".
struct Unsupported {
    const char* reason;
};

class ByteView {
public:
    ByteView() = default;
    explicit ByteView(const std::vector<std::uint8_t>& bytes)
        : data_(bytes.data()), size_(bytes.size()) {}

    std::size_t size() const { return size_; }
    bool has(std::size_t offset, std::size_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }
    void require(std::size_t offset, std::size_t length, const char* reason) const {
        if (!has(offset, length)) {
            throw Damaged{reason};
        }
    }

    std::uint8_t u8(std::size_t offset) const {
        require(offset, 1, "lettura oltre la fine di un flusso");
        return data_[offset];
    }
    std::uint16_t u16(std::size_t offset) const {
        require(offset, 2, "lettura oltre la fine di un flusso");
        return static_cast<std::uint16_t>(data_[offset] | data_[offset + 1] << 8);
    }
    std::uint32_t u32(std::size_t offset) const {
        require(offset, 4, "lettura oltre la fine di un flusso");
        return static_cast<std::uint32_t>(data_[offset]) |
               static_cast<std::uint32_t>(data_[offset + 1]) << 8 |
               static_cast<std::uint32_t>(data_[offset + 2]) << 16 |
               static_cast<std::uint32_t>(data_[offset + 3]) << 24;
    }
    std::int32_t s32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace lumetra::pub::detail

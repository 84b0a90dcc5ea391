#include "MemoryInputStream.h"

#include <algorithm>

namespace lumetra::drawing {

const unsigned char* MemoryInputStream::read(unsigned long numBytes, unsigned long& numBytesRead) {
    numBytesRead = 0;
    if (numBytes == 0 || position_ >= bytes_.size()) {
        return nullptr;
    }
    numBytesRead = std::min<unsigned long>(numBytes, bytes_.size() - position_);
    const unsigned char* data = bytes_.data() + position_;
    position_ += numBytesRead;
    return data;
}

int MemoryInputStream::seek(long offset, librevenge::RVNG_SEEK_TYPE seekType) {
    long base = 0;
    if (seekType == librevenge::RVNG_SEEK_CUR) {
        base = long(position_);
    } else if (seekType == librevenge::RVNG_SEEK_END) {
        base = long(bytes_.size());
    }
    const long target = base + offset;
    if (target < 0) {
        position_ = 0;
        return -1;
    }
    if (std::size_t(target) > bytes_.size()) {
        position_ = bytes_.size();
        return -1;
    }
    position_ = std::size_t(target);
    return 0;
}

} // namespace lumetra::drawing

#include "MemoryInputStream.h"

#include <algorithm>

namespace lumetra::drawing {

const unsigned char* MemoryInputStream::read(unsigned long numBytes, unsigned long& numBytesRead) {
    numBytesRead = 0;
    if (numBytes == 0 || m_position >= m_bytes.size())
        return nullptr;
    numBytesRead = std::min<unsigned long>(numBytes, m_bytes.size() - m_position);
    const unsigned char* data = m_bytes.data() + m_position;
    m_position += numBytesRead;
    return data;
}

int MemoryInputStream::seek(long offset, librevenge::RVNG_SEEK_TYPE seekType) {
    long base = 0;
    if (seekType == librevenge::RVNG_SEEK_CUR)
        base = long(m_position);
    else if (seekType == librevenge::RVNG_SEEK_END)
        base = long(m_bytes.size());
    const long target = base + offset;
    if (target < 0) {
        m_position = 0;
        return -1;
    }
    if (std::size_t(target) > m_bytes.size()) {
        m_position = m_bytes.size();
        return -1;
    }
    m_position = std::size_t(target);
    return 0;
}

} // namespace lumetra::drawing

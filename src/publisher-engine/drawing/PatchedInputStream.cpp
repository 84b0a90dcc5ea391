#include "PatchedInputStream.h"

#include "MemoryInputStream.h"

#include <algorithm>

namespace lumetra::drawing {

namespace {

constexpr std::size_t kMaxStreamSize = 256u * 1024 * 1024;

// Stream names as librevenge matches them: without a leading "/" and without control
// characters (it lists "\x05SummaryInformation" as "SummaryInformation" and finds it by both).
std::string normalised(const char* name) {
    std::string s;
    for (const char* c = name; c && *c; ++c)
        if (static_cast<unsigned char>(*c) >= 0x20)
            s += *c;
    while (!s.empty() && s.front() == '/')
        s.erase(s.begin());
    return s;
}

std::vector<std::uint8_t> readAll(librevenge::RVNGInputStream& stream) {
    std::vector<std::uint8_t> bytes;
    if (stream.seek(0, librevenge::RVNG_SEEK_SET) != 0)
        return bytes;
    while (!stream.isEnd() && bytes.size() < kMaxStreamSize) {
        unsigned long got = 0;
        const unsigned char* data = stream.read(64 * 1024, got);
        if (!data || got == 0)
            break;
        bytes.insert(bytes.end(), data, data + got);
    }
    return bytes;
}

} // namespace

std::vector<std::uint8_t> readWholeStream(librevenge::RVNGInputStream& compound,
                                          const std::string& name) {
    if (!compound.isStructured())
        return {};
    std::unique_ptr<librevenge::RVNGInputStream> sub(compound.getSubStreamByName(name.c_str()));
    return sub ? readAll(*sub) : std::vector<std::uint8_t>();
}

PatchedInputStream::PatchedInputStream(std::unique_ptr<librevenge::RVNGInputStream> inner,
                                       std::vector<pub::StreamPatch> patches)
    : m_inner(std::move(inner)), m_patches(std::move(patches)) {}

bool PatchedInputStream::isHiddenStream(const std::string& name) {
    const std::string n = normalised(name.c_str());
    return n == "SummaryInformation" || n == "DocumentSummaryInformation";
}

bool PatchedInputStream::isStructured() {
    return m_inner && m_inner->isStructured();
}

const std::vector<unsigned>& PatchedInputStream::visibleIds() {
    if (!m_idsKnown && m_inner) {
        m_idsKnown = true;
        const unsigned count = m_inner->subStreamCount();
        for (unsigned id = 0; id < count; ++id)
            if (!isHiddenStream(m_inner->subStreamName(id) ? m_inner->subStreamName(id) : ""))
                m_visibleIds.push_back(id);
    }
    return m_visibleIds;
}

unsigned PatchedInputStream::subStreamCount() {
    return isStructured() ? unsigned(visibleIds().size()) : 0;
}

const char* PatchedInputStream::subStreamName(unsigned id) {
    if (!isStructured() || id >= visibleIds().size())
        return nullptr;
    return m_inner->subStreamName(visibleIds()[id]);
}

bool PatchedInputStream::existsSubStream(const char* name) {
    if (!m_inner || !name || isHiddenStream(name))
        return false;
    return m_inner->existsSubStream(name);
}

librevenge::RVNGInputStream* PatchedInputStream::getSubStreamByName(const char* name) {
    if (!m_inner || !name)
        return nullptr;
    const std::string wanted = normalised(name);
    if (isHiddenStream(wanted))
        return nullptr;
    std::unique_ptr<librevenge::RVNGInputStream> sub(m_inner->getSubStreamByName(name));
    if (!sub)
        return nullptr;
    const bool patched =
        std::any_of(m_patches.begin(), m_patches.end(), [&](const pub::StreamPatch& p) {
            return normalised(p.stream.c_str()) == wanted;
        });
    if (!patched)
        return sub.release();
    std::vector<std::uint8_t> bytes = readAll(*sub);
    for (const pub::StreamPatch& p : m_patches) {
        if (normalised(p.stream.c_str()) != wanted || p.offset >= bytes.size())
            continue;
        const std::size_t n = std::min<std::size_t>(p.bytes.size(), bytes.size() - p.offset);
        std::copy_n(p.bytes.begin(), n, bytes.begin() + std::ptrdiff_t(p.offset));
    }
    return new MemoryInputStream(std::move(bytes));
}

librevenge::RVNGInputStream* PatchedInputStream::getSubStreamById(unsigned id) {
    const char* name = subStreamName(id);
    return name ? getSubStreamByName(name) : nullptr;
}

const unsigned char* PatchedInputStream::read(unsigned long numBytes, unsigned long& numBytesRead) {
    numBytesRead = 0;
    return m_inner ? m_inner->read(numBytes, numBytesRead) : nullptr;
}

int PatchedInputStream::seek(long offset, librevenge::RVNG_SEEK_TYPE seekType) {
    return m_inner ? m_inner->seek(offset, seekType) : -1;
}

long PatchedInputStream::tell() {
    return m_inner ? m_inner->tell() : 0;
}

bool PatchedInputStream::isEnd() {
    return !m_inner || m_inner->isEnd();
}

} // namespace lumetra::drawing

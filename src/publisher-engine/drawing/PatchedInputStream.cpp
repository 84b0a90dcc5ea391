#include "PatchedInputStream.h"

#include "MemoryInputStream.h"

#include <algorithm>

namespace lumetra::drawing {

namespace {

constexpr std::size_t MaxStreamSize = std::size_t{256} * 1024 * 1024;

// Stream names as librevenge matches them: without a leading "/" and without control
// characters (it lists "\x05SummaryInformation" as "SummaryInformation" and finds it by both).
std::string normalised(const char* name) {
    std::string s;
    for (const char* c = name; c && *c; ++c) {
        if (static_cast<unsigned char>(*c) >= 0x20) {
            s += *c;
        }
    }
    while (!s.empty() && s.front() == '/') {
        s.erase(s.begin());
    }
    return s;
}

std::vector<std::uint8_t> readAll(librevenge::RVNGInputStream& stream) {
    std::vector<std::uint8_t> bytes;
    if (stream.seek(0, librevenge::RVNG_SEEK_SET) != 0) {
        return bytes;
    }
    while (!stream.isEnd() && bytes.size() < MaxStreamSize) {
        unsigned long got = 0;
        const unsigned char* data = stream.read(64ul * 1024, got);
        if (!data || got == 0) {
            break;
        }
        bytes.insert(bytes.end(), data, data + got);
    }
    return bytes;
}

} // namespace

std::vector<std::uint8_t> readWholeStream(librevenge::RVNGInputStream& compound,
                                          const std::string& name) {
    if (!compound.isStructured()) {
        return {};
    }
    std::unique_ptr<librevenge::RVNGInputStream> sub(compound.getSubStreamByName(name.c_str()));
    return sub ? readAll(*sub) : std::vector<std::uint8_t>();
}

PatchedInputStream::PatchedInputStream(std::unique_ptr<librevenge::RVNGInputStream> inner,
                                       std::vector<pub::StreamPatch> patches)
    : inner_(std::move(inner)), patches_(std::move(patches)) {}

bool PatchedInputStream::isHiddenStream(const std::string& name) {
    const std::string n = normalised(name.c_str());
    return n == "SummaryInformation" || n == "DocumentSummaryInformation";
}

bool PatchedInputStream::isStructured() {
    return inner_ && inner_->isStructured();
}

const std::vector<unsigned>& PatchedInputStream::visibleIds() {
    if (!idsKnown_ && inner_) {
        idsKnown_ = true;
        const unsigned count = inner_->subStreamCount();
        for (unsigned id = 0; id < count; ++id) {
            if (!isHiddenStream(inner_->subStreamName(id) ? inner_->subStreamName(id) : "")) {
                visibleIds_.push_back(id);
            }
        }
    }
    return visibleIds_;
}

unsigned PatchedInputStream::subStreamCount() {
    return isStructured() ? unsigned(visibleIds().size()) : 0;
}

const char* PatchedInputStream::subStreamName(unsigned id) {
    if (!isStructured() || id >= visibleIds().size()) {
        return nullptr;
    }
    return inner_->subStreamName(visibleIds()[id]);
}

bool PatchedInputStream::existsSubStream(const char* name) {
    if (!inner_ || !name || isHiddenStream(name)) {
        return false;
    }
    return inner_->existsSubStream(name);
}

librevenge::RVNGInputStream* PatchedInputStream::getSubStreamByName(const char* name) {
    if (!inner_ || !name) {
        return nullptr;
    }
    const std::string wanted = normalised(name);
    if (isHiddenStream(wanted)) {
        return nullptr;
    }
    std::unique_ptr<librevenge::RVNGInputStream> sub(inner_->getSubStreamByName(name));
    if (!sub) {
        return nullptr;
    }
    const bool patched =
        std::any_of(patches_.begin(), patches_.end(), [&](const pub::StreamPatch& p) {
            return normalised(p.stream.c_str()) == wanted;
        });
    if (!patched) {
        return sub.release();
    }
    std::vector<std::uint8_t> bytes = readAll(*sub);
    for (const pub::StreamPatch& p : patches_) {
        if (normalised(p.stream.c_str()) != wanted || p.offset >= bytes.size()) {
            continue;
        }
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
    return inner_ ? inner_->read(numBytes, numBytesRead) : nullptr;
}

int PatchedInputStream::seek(long offset, librevenge::RVNG_SEEK_TYPE seekType) {
    return inner_ ? inner_->seek(offset, seekType) : -1;
}

long PatchedInputStream::tell() {
    return inner_ ? inner_->tell() : 0;
}

bool PatchedInputStream::isEnd() {
    return !inner_ || inner_->isEnd();
}

} // namespace lumetra::drawing

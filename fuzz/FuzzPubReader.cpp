// libFuzzer target of the layout reader. The first byte picks what the rest is:
//   0: a whole file, read as a compound file through librevenge-stream;
//   1: a 2002-format "Contents" and "Escher/EscherStm" (U32 length of Contents, then both);
//   2: a 98/2000-format "Contents";  3: a 95/97-format "Contents".
// Every input must end in a layout or one of the reader's errors: no crash, hang or runaway
// memory.

#include "ByteView.h"
#include "Layout.h"
#include "RawLayout.h"
#include "Reader2000.h"
#include "Reader2002.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

void checkLayout(const lumetra::pub::Layout& layout) {
    // Exercise the queries the engine and the drawer make.
    (void)layout.pictureSlots();
    for (int p = 0; p < static_cast<int>(layout.pages().size()); ++p) {
        std::vector<int> all;
        for (int s = 0; s < static_cast<int>(layout.pages()[p].shapes.size()); ++s) {
            all.push_back(s);
        }
        (void)layout.hidePatches(p, all);
        (void)layout.drawnPosition(p, {{p, all}});
    }
}

void readStreams(const std::vector<std::uint8_t>& contents, const std::vector<std::uint8_t>& escher,
                 int mode) {
    using namespace lumetra::pub;
    try {
        detail::RawLayout raw = mode == 1
                                    ? detail::read2002(contents, escher)
                                    : detail::read2000(contents, mode == 2 ? Version::Publisher2000
                                                                           : Version::Publisher97);
        checkLayout(detail::LayoutAccess::build(std::move(raw)));
    } catch (const detail::Damaged&) {
    } catch (const detail::Unsupported&) {
    } catch (const lumetra::runtime::Error&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int mode = data[0] % 4;
    ++data;
    --size;
    if (mode == 0) {
        try {
            checkLayout(lumetra::pub::Layout::readBytes(data, size));
        } catch (const lumetra::runtime::Error&) {
        }
        return 0;
    }
    std::vector<std::uint8_t> contents, escher;
    if (mode == 1) {
        if (size < 4) {
            return 0;
        }
        std::size_t split = data[0] | data[1] << 8 | data[2] << 16 | std::size_t{data[3]} << 24;
        data += 4;
        size -= 4;
        split = split > size ? size : split;
        contents.assign(data, data + split);
        escher.assign(data + split, data + size);
    } else {
        contents.assign(data, data + size);
    }
    readStreams(contents, escher, mode);
    return 0;
}

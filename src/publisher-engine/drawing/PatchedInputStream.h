#pragma once
// The compound file of a layout as libmspub sees it: the document-information streams hidden
// (libmspub does not survive damaged ones) and chosen streams patched (to hide shapes).

#include "StreamPatch.h"

#include <librevenge-stream/librevenge-stream.h>

#include <memory>
#include <string>
#include <vector>

namespace lumetra::drawing {

class PatchedInputStream final : public librevenge::RVNGInputStream {
public:
    // Forwards to `inner` (an RVNGFileStream, an RVNGStringStream, ...), which it owns.
    PatchedInputStream(std::unique_ptr<librevenge::RVNGInputStream> inner,
                       std::vector<pub::StreamPatch> patches);

    // True for the streams libmspub must not see ("\x05SummaryInformation" and
    // "\x05DocumentSummaryInformation", however librevenge spells them).
    static bool isHiddenStream(const std::string& name);

    bool isStructured() override;
    unsigned subStreamCount() override;
    const char* subStreamName(unsigned id) override;
    bool existsSubStream(const char* name) override;
    librevenge::RVNGInputStream* getSubStreamByName(const char* name) override;
    librevenge::RVNGInputStream* getSubStreamById(unsigned id) override;

    const unsigned char* read(unsigned long numBytes, unsigned long& numBytesRead) override;
    int seek(long offset, librevenge::RVNG_SEEK_TYPE seekType) override;
    long tell() override;
    bool isEnd() override;

private:
    const std::vector<unsigned>& visibleIds();

    std::unique_ptr<librevenge::RVNGInputStream> inner_;
    std::vector<pub::StreamPatch> patches_;
    bool idsKnown_ = false;
    std::vector<unsigned> visibleIds_;
};

// The whole stream `name` of a compound file, or an empty vector when it has none.
std::vector<std::uint8_t> readWholeStream(librevenge::RVNGInputStream& compound,
                                          const std::string& name);

} // namespace lumetra::drawing

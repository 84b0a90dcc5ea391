#pragma once
// The streams of a layout's compound file, read whole into memory through librevenge-stream.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace librevenge {
class RVNGInputStream;
}

namespace lumetra::pub::detail {

// Largest stream the reader takes; real layouts stay far below.
inline constexpr std::size_t MaxStreamSize = std::size_t{256} * 1024 * 1024;

// True when the input is a compound (OLE2) file.
bool isCompoundFile(librevenge::RVNGInputStream& input);

// The whole stream `name` ("Contents", "Escher/EscherStm", ...), or nothing when the file has no
// such stream. Throws Damaged when the stream is larger than MaxStreamSize.
std::optional<std::vector<std::uint8_t>> readSubStream(librevenge::RVNGInputStream& input,
                                                       const std::string& name);

} // namespace lumetra::pub::detail

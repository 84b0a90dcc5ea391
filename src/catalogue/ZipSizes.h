#pragma once
// The sizes a zip archive (an XLSX or ODS file) declares for its parts, read from its central
// directory before liborcus opens it: liborcus sizes its buffers by these very numbers, the
// 32-bit ones (it knows no Zip64), and inflates a part into the buffer its size declares. So a
// file whose declared sizes are within the limits cannot make liborcus unpack more.

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace lumetra::catalogue {

struct ZipSizes {
    std::uint64_t unpacked = 0;      // all parts together
    std::uint64_t largestPacked = 0; // the largest part as stored
};

// The largest sizes any end-of-directory record in zip leads to (liborcus takes the last one it
// finds, a crafted file may hold more); nothing when no record leads to a directory, or when
// the file holds so many records that it can only be crafted.
std::optional<ZipSizes> zipDeclaredSizes(const QByteArray& zip);

} // namespace lumetra::catalogue

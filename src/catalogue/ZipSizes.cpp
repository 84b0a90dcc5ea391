#include "ZipSizes.h"

#include <QByteArrayView>

#include <algorithm>

namespace lumetra::catalogue {
namespace {

constexpr qsizetype EndRecordBytes = 22;
constexpr qsizetype DirectoryEntryBytes = 46;
constexpr int MaxEndRecords = 16; // a signature found this often is no chance

std::uint32_t littleEndian(const QByteArray& bytes, qsizetype at, int width) {
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

// The entries of the directory the end record at `at` points to, walked as liborcus walks
// them: one after the other while each starts with its signature.
std::optional<ZipSizes> directorySizes(const QByteArray& zip, qsizetype at) {
    if (at + EndRecordBytes > zip.size()) {
        return std::nullopt;
    }
    ZipSizes sizes;
    qsizetype entry = littleEndian(zip, at + 16, 4);
    while (entry + DirectoryEntryBytes <= zip.size() &&
           QByteArrayView(zip).sliced(entry, 4) == QByteArrayView("PK\x01\x02", 4)) {
        sizes.largestPacked =
            std::max<std::uint64_t>(sizes.largestPacked, littleEndian(zip, entry + 20, 4));
        sizes.unpacked += littleEndian(zip, entry + 24, 4);
        entry += DirectoryEntryBytes + littleEndian(zip, entry + 28, 2) +
                 littleEndian(zip, entry + 30, 2) + littleEndian(zip, entry + 32, 2);
    }
    return sizes;
}

} // namespace

std::optional<ZipSizes> zipDeclaredSizes(const QByteArray& zip) {
    const QByteArrayView endRecord("PK\x05\x06", 4);
    std::optional<ZipSizes> largest;
    int records = 0;
    for (qsizetype at = zip.lastIndexOf(endRecord); at >= 0;
         at = at > 0 ? zip.lastIndexOf(endRecord, at - 1) : -1) {
        if (++records > MaxEndRecords) {
            return std::nullopt;
        }
        if (const auto sizes = directorySizes(zip, at)) {
            largest =
                ZipSizes{std::max(sizes->unpacked, largest ? largest->unpacked : 0),
                         std::max(sizes->largestPacked, largest ? largest->largestPacked : 0)};
        }
    }
    return largest;
}

} // namespace lumetra::catalogue

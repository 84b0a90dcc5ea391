#include "StoredZip.h"

#include <zlib.h>

#include <cstdint>

namespace lumetra::catalogue {
namespace {

void put16(QByteArray& out, std::uint32_t value) {
    out.append(static_cast<char>(value & 0xFF)).append(static_cast<char>((value >> 8) & 0xFF));
}

void put32(QByteArray& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// What the local header and the directory entry both say of the part: version 2.0, no flags,
// stored, 1 January 1980, its checksum and sizes, its name's length, no extra field.
void putPartFields(QByteArray& out, QByteArrayView name, QByteArrayView data) {
    const auto crc =
        ::crc32_z(::crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef*>(data.data()),
                  static_cast<z_size_t>(data.size()));
    const auto size = static_cast<std::uint32_t>(data.size());
    put16(out, 20);
    put16(out, 0);
    put16(out, 0);
    put16(out, 0);
    put16(out, (1 << 5) | 1);
    put32(out, static_cast<std::uint32_t>(crc));
    put32(out, size);
    put32(out, size);
    put16(out, static_cast<std::uint32_t>(name.size()));
    put16(out, 0);
}

} // namespace

QByteArray storedZip(QByteArrayView name, QByteArrayView data) {
    QByteArray zip;
    zip.reserve(data.size() + 2 * name.size() + 128);
    put32(zip, 0x04034b50); // local header
    putPartFields(zip, name, data);
    zip.append(name).append(data);

    const auto directory = static_cast<std::uint32_t>(zip.size());
    put32(zip, 0x02014b50);
    put16(zip, 20); // made by
    putPartFields(zip, name, data);
    put16(zip, 0); // comment
    put16(zip, 0); // disk
    put16(zip, 0); // internal attributes
    put32(zip, 0); // external attributes
    put32(zip, 0); // where the local header is
    zip.append(name);

    const auto directorySize = static_cast<std::uint32_t>(zip.size()) - directory;
    put32(zip, 0x06054b50); // end of the directory
    put16(zip, 0);
    put16(zip, 0);
    put16(zip, 1);
    put16(zip, 1);
    put32(zip, directorySize);
    put32(zip, directory);
    put16(zip, 0);
    return zip;
}

} // namespace lumetra::catalogue

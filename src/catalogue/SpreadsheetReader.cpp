#include "SpreadsheetReader.h"

#include "OdsContent.h"
#include "PriceListError.h"
#include "QuietOrcus.h"
#include "SheetCollector.h"
#include "StoredZip.h"
#include "ZipSizes.h"

#include <orcus/format_detection.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <cstdint>
#include <exception>
#include <optional>
#include <vector>

namespace lumetra::catalogue {
namespace {

using Cells = std::map<int, std::map<int, QString>>;

runtime::Error damaged(const QString& path) {
    return priceListError(path, 0, QStringLiteral("il foglio di calcolo è danneggiato"));
}

// No part may unpack beyond MaxUnpackedBytes, nor claim more bytes than the file has: liborcus
// would set the memory aside before finding out.
void checkDeclaredSizes(const QByteArray& bytes, const QString& path) {
    const std::optional<ZipSizes> sizes = zipDeclaredSizes(bytes);
    if (!sizes || sizes->largestPacked > static_cast<std::uint64_t>(bytes.size())) {
        throw damaged(path);
    }
    if (sizes->unpacked > static_cast<std::uint64_t>(MaxUnpackedBytes)) {
        throw priceListError(path, 0,
                             QStringLiteral("il foglio di calcolo si espande oltre %1 MB")
                                 .arg(MaxUnpackedBytes / Megabyte));
    }
}

// The ODS file as liborcus can read it: its content.xml rewritten as OdsContent.h tells, alone
// in a zip of its own.
QByteArray odsForOrcus(const QByteArray& bytes, const QString& path) {
    orcus::zip_archive_stream_blob stream(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                          static_cast<std::size_t>(bytes.size()));
    orcus::zip_archive archive(&stream);
    archive.load();
    std::vector<unsigned char> content;
    if (!archive.read_file_entry("content.xml", content) || content.empty()) {
        throw damaged(path);
    }
    const std::optional<QByteArray> xml =
        odsContentForOrcus(QByteArrayView(content.data(), static_cast<qsizetype>(content.size())));
    if (!xml) {
        throw priceListError(path, 0, QStringLiteral("il foglio ODS ripete le celle oltre misura"));
    }
    return storedZip("content.xml", *xml);
}

Cells readCells(const QByteArray& bytes, const QString& path) {
    const std::string_view stream(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    const auto format = orcus::detect(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                      static_cast<std::size_t>(bytes.size()));
    CollectorFactory factory(format == orcus::format_t::ods);
    if (format == orcus::format_t::xlsx) {
        orcus::orcus_xlsx(&factory).read_stream(stream);
        return factory.cells();
    }
    if (format == orcus::format_t::ods) {
        const QByteArray ods = odsForOrcus(bytes, path);
        orcus::orcus_ods(&factory).read_stream(
            std::string_view(ods.constData(), static_cast<std::size_t>(ods.size())));
        return factory.cells();
    }
    throw priceListError(path, 0, QStringLiteral("il file non è un foglio XLSX né ODS"));
}

Cells parse(const QByteArray& bytes, const QString& path) {
    if (bytes.startsWith("\xD0\xCF\x11\xE0")) {
        throw priceListError(path, 0,
                             QStringLiteral("i fogli XLS di Excel 97-2003 non sono letti: "
                                            "salvarlo come XLSX o ODS"));
    }
    if (!bytes.startsWith("PK\x03\x04")) {
        throw priceListError(path, 0, QStringLiteral("il file non è un foglio XLSX né ODS"));
    }
    checkDeclaredSizes(bytes, path);
    const QuietOrcus quiet;
    try {
        return readCells(bytes, path);
    } catch (const runtime::Error&) {
        throw;
    } catch (const SheetOverflow& overflow) {
        throw priceListError(path, overflow.row(), overflow.problem());
    } catch (const std::exception&) {
        throw damaged(path);
    }
}

} // namespace

Table readSpreadsheet(const QByteArray& bytes, const QString& path) {
    const Cells cells = parse(bytes, path);
    const auto header = cells.find(0);
    if (header == cells.end()) {
        throw priceListError(path, 1, QStringLiteral("nessun nome di colonna"));
    }
    Table table;
    const int columns = header->second.rbegin()->first + 1;
    for (int c = 0; c < columns; ++c) {
        const auto name = header->second.find(c);
        table.columns.append(name == header->second.end() ? QString() : name->second);
    }
    for (const auto& [row, rowCells] : cells) {
        if (row == 0) {
            continue;
        }
        TableRow tableRow{row + 1, QStringList(columns)};
        bool empty = true;
        for (const auto& [column, text] : rowCells) {
            if (column < columns) {
                tableRow.cells[column] = text;
                empty = false;
            }
        }
        if (!empty) {
            table.rows.push_back(std::move(tableRow));
        }
    }
    return table;
}

} // namespace lumetra::catalogue

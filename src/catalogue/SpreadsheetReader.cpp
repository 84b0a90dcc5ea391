#include "SpreadsheetReader.h"

#include "PriceListError.h"
#include "SheetCollector.h"

#include <orcus/format_detection.hpp>
#include <orcus/orcus_xlsx.hpp>

#include <exception>

namespace lumetra::catalogue {
namespace {

void parse(const QByteArray& bytes, const QString& path, CollectorFactory& factory) {
    const std::string_view stream(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    try {
        const auto format = orcus::detect(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                          static_cast<std::size_t>(bytes.size()));
        if (format == orcus::format_t::xlsx) {
            orcus::orcus_xlsx(&factory).read_stream(stream);
        } else if (format == orcus::format_t::ods) {
            // liborcus 0.17 reads ODS only through interfaces this collector does not give yet.
            throw priceListError(path, 0, QStringLiteral("i fogli ODS non sono ancora letti"));
        } else {
            throw priceListError(path, 0, QStringLiteral("il file non è un foglio XLSX né ODS"));
        }
    } catch (const runtime::Error&) {
        throw;
    } catch (const std::exception&) {
        throw priceListError(path, 0, QStringLiteral("il foglio di calcolo è danneggiato"));
    }
}

} // namespace

Table readSpreadsheet(const QByteArray& bytes, const QString& path) {
    CollectorFactory factory;
    parse(bytes, path, factory);
    if (factory.overflowed()) {
        throw priceListError(
            path, 0, QStringLiteral("più di %1 righe o %2 colonne").arg(MaxRows).arg(MaxColumns));
    }
    const auto cells = factory.cells();
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

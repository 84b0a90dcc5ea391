#pragma once
// A price list as read from its file, before any meaning is given to it: the first row's column
// names and the rows below, every cell as text, each row with the number a spreadsheet shows it
// under (the first row is 1). Also the limits every reader keeps.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace lumetra::catalogue {

inline constexpr std::int64_t Megabyte = std::int64_t{1024} * 1024;
inline constexpr std::int64_t MaxFileBytes = 64 * Megabyte;
inline constexpr std::int64_t MaxUnpackedBytes = 512 * Megabyte; // a spreadsheet's parts
inline constexpr int MaxRows = 200000;
inline constexpr int MaxColumns = 256;
inline constexpr std::int64_t MaxCells = 4000000;

struct TableRow {
    int number = 0; // as a spreadsheet shows it: the column names are on row 1
    QStringList cells;
};

struct Table {
    QStringList columns;
    std::vector<TableRow> rows;
};

} // namespace lumetra::catalogue

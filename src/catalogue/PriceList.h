#pragma once
// A shop's price list: a CSV, XLSX or ODS file whose first row names the columns, one row per
// article, found by its code in the key column. Codes are compared as the folder's pictures
// give them, trimmed and with case aside; column names with case and accents aside. Every cell
// is kept as text, as the file shows it.

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

#include "Table.h"

namespace lumetra::catalogue {

class PriceList {
public:
    // Reads path; keyColumn empty takes the first column named like an article code.
    // Throws runtime::Error: the input file's own numbers when it cannot be read,
    // ErrListinoNonValido with the file and row for a bad one.
    static PriceList read(const QString& path, const QString& keyColumn = {});
    // The same from a table already read (path only names it in messages).
    PriceList(Table table, const QString& path, const QString& keyColumn);

    const QStringList& columns() const { return table_.columns; }
    // The key column's name as the file writes it.
    const QString& keyColumn() const { return table_.columns[keyIndex_]; }
    qsizetype rowCount() const { return static_cast<qsizetype>(table_.rows.size()); }

    // The index in columns() of the column called name, or -1.
    int columnIndex(const QString& name) const;
    // The cells of the row whose key is code (the first such row), or nullptr.
    const QStringList* find(const QString& code) const;
    // A row's field by its column's name; nothing when the code or the column is missing.
    std::optional<QString> field(const QString& code, const QString& column) const;

private:
    Table table_;
    int keyIndex_ = 0;
    QHash<QString, int> columnIndex_; // folded name to column
    QHash<QString, int> rowIndex_;    // folded code to row
};

} // namespace lumetra::catalogue

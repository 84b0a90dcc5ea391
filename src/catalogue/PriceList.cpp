#include "PriceList.h"

#include "ColumnNames.h"
#include "CsvReader.h"
#include "ErrorNumbers.h"
#include "InputFile.h"
#include "PriceListError.h"
#include "SpreadsheetReader.h"
#include "TextDecoding.h"

#include <QFileInfo>

namespace lumetra::catalogue {
namespace {

// A zip (XLSX, ODS) or an Excel 97-2003 file, or one named as a spreadsheet whatever it holds.
bool isSpreadsheet(const QByteArray& bytes, const QString& path) {
    static const QStringList suffixes{QStringLiteral("xlsx"), QStringLiteral("xlsm"),
                                      QStringLiteral("ods")};
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("\xD0\xCF\x11\xE0") ||
           suffixes.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

Table readTable(const QString& path) {
    const runtime::InputFileCheck check = runtime::checkInputFile(path);
    if (check.problem != 0) {
        const runtime::Error refused =
            priceListError(path, 0,
                           check.problem == runtime::ErrFileNonTrovato
                               ? QStringLiteral("il file non esiste")
                               : QStringLiteral("il file non si può leggere"));
        throw runtime::Error(check.problem, refused.Description());
    }
    const std::optional<QByteArray> bytes = runtime::readInputFile(path, MaxFileBytes);
    if (!bytes) {
        throw priceListError(path, 0, QStringLiteral("il file non si può leggere"));
    }
    if (bytes->size() > MaxFileBytes) {
        throw priceListError(path, 0,
                             QStringLiteral("il file supera %1 MB").arg(MaxFileBytes / Megabyte));
    }
    if (isSpreadsheet(*bytes, path)) {
        return readSpreadsheet(*bytes, path);
    }
    return readCsv(decodeText(*bytes), path);
}

// Codes as the folder's file names give them, trimmed, with case aside.
QString codeKey(const QString& code) {
    return code.trimmed().toCaseFolded();
}

int keyColumnIndex(const Table& table, const QString& path, const QString& keyColumn) {
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        const QString& name = table.columns[i];
        if (keyColumn.isEmpty() ? looksLikeCodeColumn(name)
                                : foldedName(name) == foldedName(keyColumn)) {
            return static_cast<int>(i);
        }
    }
    if (keyColumn.isEmpty()) {
        return -1;
    }
    throw priceListError(path, 1,
                         QStringLiteral("nessuna colonna '%1' (colonne: %2)")
                             .arg(keyColumn, table.columns.join(QStringLiteral(", "))));
}

} // namespace

PriceList PriceList::read(const QString& path, const QString& keyColumn) {
    return PriceList(readTable(path), path, keyColumn);
}

PriceList::PriceList(Table table, const QString& path, const QString& keyColumn)
    : table_(std::move(table)) {
    const int key = keyColumnIndex(table_, path, keyColumn);
    if (key < 0) {
        throw priceListError(
            path, 1,
            QStringLiteral("nessuna colonna del codice articolo (codice, articolo, code); "
                           "indicare la colonna chiave tra: %1")
                .arg(table_.columns.join(QStringLiteral(", "))));
    }
    keyIndex_ = key;
    for (qsizetype i = 0; i < table_.columns.size(); ++i) {
        const QString name = foldedName(table_.columns[i]);
        if (!columnIndex_.contains(name)) {
            columnIndex_.insert(name, static_cast<int>(i));
        }
    }
    for (auto i = table_.rows.size(); i-- > 0;) {
        const QString code = codeKey(table_.rows[i].cells[keyIndex_]);
        if (!code.isEmpty()) {
            rowIndex_.insert(code, static_cast<int>(i)); // walked backwards: the first wins
        }
    }
}

int PriceList::columnIndex(const QString& name) const {
    return columnIndex_.value(foldedName(name), -1);
}

const QStringList* PriceList::find(const QString& code) const {
    const auto row = rowIndex_.constFind(codeKey(code));
    return row == rowIndex_.cend() ? nullptr : &table_.rows[static_cast<std::size_t>(*row)].cells;
}

std::optional<QString> PriceList::field(const QString& code, const QString& column) const {
    const QStringList* cells = find(code);
    const int index = columnIndex(column);
    if (cells == nullptr || index < 0) {
        return std::nullopt;
    }
    return cells->at(index);
}

} // namespace lumetra::catalogue

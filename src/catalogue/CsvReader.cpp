#include "CsvReader.h"

#include "PriceListError.h"

#include <array>
#include <utility>

namespace lumetra::catalogue {
namespace {

constexpr std::array<char16_t, 3> Separators = {u';', u'\t', u','};
constexpr int LinesForDetection = 10;

// Counts of each separator on each of the first lines, outside quotes.
std::vector<std::array<int, 3>> separatorCounts(const QString& text) {
    std::vector<std::array<int, 3>> lines(1, {0, 0, 0});
    bool quoted = false;
    for (qsizetype i = 0; i < text.size() && lines.size() <= LinesForDetection; ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && (c == u'\n' || c == u'\r')) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
            lines.push_back({0, 0, 0});
        } else if (!quoted) {
            for (std::size_t s = 0; s < Separators.size(); ++s) {
                lines.back()[s] += c == QChar(Separators[s]) ? 1 : 0;
            }
        }
    }
    while (lines.size() > 1 && lines.back() == std::array<int, 3>{0, 0, 0}) {
        lines.pop_back(); // a blank last line, or the end of the file
    }
    return lines;
}

class CsvParser {
public:
    CsvParser(const QString& text, const QString& path, QChar separator)
        : text_(text), path_(path), separator_(separator) {}

    Table parse() {
        Table table;
        QStringList record;
        int recordRow = 0;
        while (nextRecord(record, recordRow)) {
            if (record.size() == 1 && record.front().isEmpty()) {
                continue;
            }
            if (table.columns.isEmpty() && table.rows.empty()) {
                setColumns(table, record, recordRow);
            } else {
                addRow(table, std::move(record), recordRow);
            }
        }
        if (table.columns.isEmpty()) {
            throw priceListError(path_, 0, QStringLiteral("il file è vuoto"));
        }
        return table;
    }

private:
    // The next record into `record`; false at the end of the text.
    bool nextRecord(QStringList& record, int& recordRow) {
        if (pos_ >= text_.size()) {
            return false;
        }
        record.clear();
        recordRow = ++row_;
        QString field;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_++];
            if (c == u'"' && field.isEmpty()) {
                readQuoted(field, recordRow);
            } else if (c == separator_) {
                appendField(record, std::exchange(field, QString()), recordRow);
            } else if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && pos_ < text_.size() && text_[pos_] == u'\n') {
                    ++pos_;
                }
                break;
            } else {
                field += c;
            }
        }
        appendField(record, std::move(field), recordRow);
        return true;
    }

    // A quoted field from just after its opening quote to just after its closing one; what
    // follows the closing quote up to the separator is kept, as spreadsheet programs do.
    void readQuoted(QString& field, int recordRow) {
        for (;;) {
            const qsizetype close = text_.indexOf(u'"', pos_);
            if (close < 0) {
                throw priceListError(path_, recordRow, QStringLiteral("virgolette non chiuse"));
            }
            field += QStringView(text_).sliced(pos_, close - pos_);
            pos_ = close + 1;
            if (pos_ < text_.size() && text_[pos_] == u'"') {
                field += u'"';
                ++pos_;
            } else {
                return;
            }
        }
    }

    void appendField(QStringList& record, QString field, int recordRow) {
        if (record.size() >= MaxColumns) {
            throw priceListError(path_, recordRow,
                                 QStringLiteral("più di %1 colonne").arg(MaxColumns));
        }
        record.append(std::move(field));
    }

    void setColumns(Table& table, QStringList record, int recordRow) {
        while (!record.isEmpty() && record.back().trimmed().isEmpty()) {
            record.removeLast(); // a separator closing every line
        }
        if (record.isEmpty()) {
            throw priceListError(path_, recordRow, QStringLiteral("nessun nome di colonna"));
        }
        table.columns = std::move(record);
    }

    void addRow(Table& table, QStringList record, int recordRow) {
        const auto columns = table.columns.size();
        for (qsizetype i = columns; i < record.size(); ++i) {
            if (!record[i].trimmed().isEmpty()) {
                throw priceListError(path_, recordRow,
                                     QStringLiteral("%1 campi, ma le colonne sono %2")
                                         .arg(record.size())
                                         .arg(columns));
            }
        }
        if (table.rows.size() >= MaxRows ||
            static_cast<std::int64_t>(table.rows.size() + 1) * columns > MaxCells) {
            throw priceListError(path_, recordRow, QStringLiteral("troppe righe"));
        }
        record.resize(columns);
        table.rows.push_back({recordRow, std::move(record)});
    }

    const QString& text_;
    const QString& path_;
    const QChar separator_;
    qsizetype pos_ = 0;
    int row_ = 0;
};

} // namespace

QChar detectSeparator(const QString& text) {
    const auto lines = separatorCounts(text);
    int best = -1;
    int bestCount = 0;
    for (std::size_t s = 0; s < Separators.size(); ++s) {
        const int count = lines.front()[s];
        bool steady = count > 0;
        for (const auto& line : lines) {
            steady = steady && line[s] == count;
        }
        if (steady && count > bestCount) {
            best = static_cast<int>(s);
            bestCount = count;
        }
    }
    if (best < 0) {
        for (std::size_t s = 0; s < Separators.size(); ++s) {
            if (lines.front()[s] > bestCount) {
                best = static_cast<int>(s);
                bestCount = lines.front()[s];
            }
        }
    }
    return QChar(Separators[best < 0 ? 0 : static_cast<std::size_t>(best)]);
}

Table readCsv(const QString& text, const QString& path) {
    return CsvParser(text, path, detectSeparator(text)).parse();
}

} // namespace lumetra::catalogue

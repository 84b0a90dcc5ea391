#include "SheetCollector.h"

#include "NumberText.h"

#include <algorithm>
#include <cctype>

namespace lumetra::catalogue {

// One sheet's cells; every sheet but the first keeps none.
class SheetCollector : public ss::iface::import_sheet, private ss::iface::import_formula {
public:
    SheetCollector(const SharedStrings& strings, bool keep) : strings_(strings), keep_(keep) {}

    ss::iface::import_formula* get_formula() override { return this; }
    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
        put(row, col, QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())));
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t index) override {
        put(row, col, strings_.text(index));
    }
    void set_value(ss::row_t row, ss::col_t col, double value) override {
        put(row, col, numberText(value));
    }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override {
        put(row, col, value ? QStringLiteral("VERO") : QStringLiteral("FALSO"));
    }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int hour,
                       int minute, double second) override {
        QString text = QStringLiteral("%1/%2/%3")
                           .arg(day, 2, 10, QChar(u'0'))
                           .arg(month, 2, 10, QChar(u'0'))
                           .arg(year, 4, 10, QChar(u'0'));
        if (hour != 0 || minute != 0 || second != 0) {
            text += QStringLiteral(" %1:%2")
                        .arg(hour, 2, 10, QChar(u'0'))
                        .arg(minute, 2, 10, QChar(u'0'));
        }
        put(row, col, text);
    }
    void set_format(ss::row_t, ss::col_t, std::size_t) override {}
    void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, std::size_t) override {}
    void fill_down_cells(ss::row_t, ss::col_t, ss::row_t) override {}
    ss::range_size_t get_sheet_size() const override { return {MaxRows + 1, MaxColumns}; }

    // The formula's saved result stands for the formula.
    void set_position(ss::row_t row, ss::col_t col) override { formulaCell_ = {row, col}; }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(std::size_t) override {}
    void set_result_string(std::string_view value) override {
        formulaText_ = QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
    }
    void set_result_value(double value) override { formulaText_ = numberText(value); }
    void set_result_bool(bool value) override {
        formulaText_ = value ? QStringLiteral("VERO") : QStringLiteral("FALSO");
    }
    void set_result_empty() override { formulaText_.clear(); }
    void commit() override {
        put(formulaCell_.first, formulaCell_.second, formulaText_);
        formulaText_.clear();
    }

    const std::map<int, std::map<int, QString>>& cells() const { return cells_; }

private:
    void put(ss::row_t row, ss::col_t col, QString text) {
        if (!keep_ || text.isEmpty()) {
            return;
        }
        if (row < 0 || col < 0) {
            throw SheetOverflow(0, QStringLiteral("il foglio di calcolo è danneggiato"));
        }
        if (row > MaxRows) {
            throw SheetOverflow(row + 1, QStringLiteral("più di %1 righe").arg(MaxRows));
        }
        if (col >= MaxColumns) {
            throw SheetOverflow(row + 1, QStringLiteral("più di %1 colonne").arg(MaxColumns));
        }
        auto& cell = cells_[row][col];
        if (cell.isEmpty() && ++count_ > MaxCells) {
            throw SheetOverflow(row + 1, QStringLiteral("più di %1 celle").arg(MaxCells));
        }
        cell = std::move(text);
    }

    const SharedStrings& strings_;
    const bool keep_;
    std::map<int, std::map<int, QString>> cells_;
    std::int64_t count_ = 0;
    std::pair<ss::row_t, ss::col_t> formulaCell_{0, 0};
    QString formulaText_;
};

std::size_t SharedStrings::append(std::string_view s) {
    strings_.emplace_back(s);
    return strings_.size() - 1;
}

std::size_t SharedStrings::commit_segments() {
    strings_.push_back(std::move(segments_));
    segments_.clear();
    return strings_.size() - 1;
}

QString SharedStrings::text(std::size_t index) const {
    if (index >= strings_.size()) {
        return {};
    }
    const std::string& s = strings_[index];
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

ss::src_address_t A1References::resolve_address(std::string_view address) {
    ss::src_address_t result{0, 0, 0};
    std::size_t i = 0;
    for (; i < address.size() &&
           (address[i] == '$' || std::isalpha(static_cast<unsigned char>(address[i])));
         ++i) {
        if (address[i] != '$' && result.column < MaxColumns * 26) {
            result.column = result.column * 26 +
                            (std::toupper(static_cast<unsigned char>(address[i])) - 'A' + 1);
        }
    }
    for (; i < address.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(address[i])) && result.row < MaxRows * 10) {
            result.row = result.row * 10 + (address[i] - '0');
        }
    }
    result.column = std::max(result.column - 1, 0);
    result.row = std::max(result.row - 1, 0);
    return result;
}

ss::src_range_t A1References::resolve_range(std::string_view range) {
    const auto colon = range.find(':');
    const ss::src_address_t first = resolve_address(range.substr(0, colon));
    return {first,
            colon == std::string_view::npos ? first : resolve_address(range.substr(colon + 1))};
}

CollectorFactory::CollectorFactory(bool ods) : ods_(ods) {}
CollectorFactory::~CollectorFactory() = default;

ss::iface::import_sheet* CollectorFactory::append_sheet(ss::sheet_t, std::string_view name) {
    sheets_.emplace_back(std::string(name),
                         std::make_unique<SheetCollector>(strings_, sheets_.empty()));
    return sheets_.back().second.get();
}

ss::iface::import_sheet* CollectorFactory::get_sheet(std::string_view name) {
    for (auto& sheet : sheets_) {
        if (sheet.first == name) {
            return sheet.second.get();
        }
    }
    return nullptr;
}

ss::iface::import_sheet* CollectorFactory::get_sheet(ss::sheet_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < sheets_.size()
               ? sheets_[static_cast<std::size_t>(index)].second.get()
               : nullptr;
}

std::map<int, std::map<int, QString>> CollectorFactory::cells() const {
    return sheets_.empty() ? std::map<int, std::map<int, QString>>{}
                           : sheets_.front().second->cells();
}

} // namespace lumetra::catalogue

#pragma once
// What liborcus reads of a spreadsheet, gathered for a price list: the cells of the first sheet
// as text (shared strings, numbers, booleans, dates, formulas' saved results), nothing of
// styles, other sheets or formulas themselves. The first cell beyond the limits of Table.h
// stops the reading with SheetOverflow.

#include "NullStyles.h"
#include "Table.h"

#include <orcus/spreadsheet/import_interface.hpp>

#include <QString>

#include <exception>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace lumetra::catalogue {

namespace ss = orcus::spreadsheet;

class SheetCollector;

// Thrown through liborcus from the first cell a price list cannot hold.
class SheetOverflow : public std::exception {
public:
    SheetOverflow(int row, QString problem) : row_(row), problem_(std::move(problem)) {}
    const char* what() const noexcept override { return "sheet overflow"; }
    int row() const { return row_; } // as a spreadsheet shows it; 0 for a position out of range
    const QString& problem() const { return problem_; }

private:
    int row_;
    QString problem_;
};

class SharedStrings : public ss::iface::import_shared_strings {
public:
    std::size_t append(std::string_view s) override;
    std::size_t add(std::string_view s) override { return append(s); }
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                                ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { segments_ += s; }
    std::size_t commit_segments() override;
    QString text(std::size_t index) const;

private:
    std::vector<std::string> strings_;
    std::string segments_;
};

// Cell references in the A1 form XLSX writes them ("B7", "$B$7", "A1:D20").
class A1References : public ss::iface::import_reference_resolver {
public:
    ss::src_address_t resolve_address(std::string_view address) override;
    ss::src_range_t resolve_range(std::string_view range) override;
};

class CollectorFactory : public ss::iface::import_factory {
public:
    // ods: liborcus reads an ODS file's styles through an interface it does not check for null;
    // without one, it leaves an XLSX file's unread.
    explicit CollectorFactory(bool ods);
    ~CollectorFactory() override;
    ss::iface::import_shared_strings* get_shared_strings() override { return &strings_; }
    ss::iface::import_styles* get_styles() override { return ods_ ? &styles_ : nullptr; }
    ss::iface::import_reference_resolver*
    get_reference_resolver(ss::formula_ref_context_t) override {
        return &references_;
    }
    ss::iface::import_sheet* append_sheet(ss::sheet_t index, std::string_view name) override;
    ss::iface::import_sheet* get_sheet(std::string_view name) override;
    ss::iface::import_sheet* get_sheet(ss::sheet_t index) override;
    void finalize() override {}

    // The first sheet's rows, cells as text, row 0 first; empty rows may be missing.
    std::map<int, std::map<int, QString>> cells() const;

private:
    const bool ods_;
    SharedStrings strings_;
    NullStyles styles_;
    A1References references_;
    std::vector<std::pair<std::string, std::unique_ptr<SheetCollector>>> sheets_;
};

} // namespace lumetra::catalogue

#pragma once
// The pages the print dialog's choice covers, from its range, its "from" and "to" and the page
// shown, for a document of `count` pages.

#include <QPrinter>

#include <optional>

namespace lumetra::preview {

struct PageSpan {
    int first = 0; // 0-based, inclusive
    int last = 0;
    bool operator==(const PageSpan&) const = default;
};

// All pages, the page shown (`current`, 1-based), or pages `from`..`to` (1-based, as the dialog
// gives them; `to` beyond the end stops at the last page, 0 means to the end). Nothing when the
// range holds no page of the document.
std::optional<PageSpan> pagesToPrint(QPrinter::PrintRange range, int from, int to, int current,
                                     int count);

} // namespace lumetra::preview

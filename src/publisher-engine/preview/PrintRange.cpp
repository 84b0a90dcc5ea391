#include "PrintRange.h"

#include <algorithm>

namespace lumetra::preview {

std::optional<PageSpan> pagesToPrint(QPrinter::PrintRange range, int from, int to, int current,
                                     int count) {
    if (count <= 0) {
        return std::nullopt;
    }
    PageSpan span{0, count - 1};
    if (range == QPrinter::CurrentPage) {
        span.first = span.last = std::clamp(current, 1, count) - 1;
    } else if (range == QPrinter::PageRange && from > 0) {
        span.first = from - 1;
        span.last = (to <= 0 ? count : std::min(to, count)) - 1;
    }
    if (span.first > span.last || span.first >= count) {
        return std::nullopt;
    }
    return span;
}

} // namespace lumetra::preview

#include "NumberText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace lumetra::catalogue {

QString numberText(double value) {
    if (!std::isfinite(value)) {
        return {};
    }
    if (value == 0) {
        return QStringLiteral("0"); // -0 too
    }
    std::array<char, 400> text{}; // enough for any double in fixed form
    const auto written =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return QString::fromLatin1(text.data(), written.ptr - text.data());
}

} // namespace lumetra::catalogue

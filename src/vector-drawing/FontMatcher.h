#pragma once
// Family names of a layout's fonts (Windows names such as "Times New Roman") mapped to the
// installed families fontconfig offers for them (metric-compatible ones where they exist).

#include <QString>

namespace lumetra::drawing {

// The installed family that stands in for `family`; results are cached. Safe from any thread.
QString matchFontFamily(const QString& family);

} // namespace lumetra::drawing

#pragma once
// The layout inspector's JSON description of a layout.

#include "Layout.h"

#include <QByteArray>

namespace lumetra::pubinfo {

// {"version", "pageWidth", "pageHeight", "pages": [{"shapes": [...]}], "slots": [...]}: points
// with two decimals, pages and shape indices counted from 1.
QByteArray layoutJson(const lumetra::pub::Layout& layout);

} // namespace lumetra::pubinfo

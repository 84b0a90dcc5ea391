#pragma once
// A .pub layout as a LayoutSource: pages and shapes from the layout reader, page content drawn
// by the layout drawer (libmspub), which keeps each (page, hidden shapes) drawing cached.

#include "LayoutSource.h"

#include <memory>

namespace lumetra::engine {

// Reads the layout at `path`. Throws Publisher::Error with the reader's number: 53 missing,
// 70 access refused, 75 not a file, 321 damaged or unsupported.
std::shared_ptr<const LayoutSource> readPubLayout(const QString& path);

} // namespace lumetra::engine

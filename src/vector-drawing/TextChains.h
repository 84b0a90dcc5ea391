#pragma once
// Linked text frames. libmspub hands every frame of a story the whole story; the layout program
// shows in each frame what the frames before it could not hold. Frames of one page with the
// same story and the same width (within a twentieth of an inch) whose first frame cannot hold
// it all are taken as a chain, read left to right and top to bottom, and each later frame
// skips what the earlier ones show.

#include "DisplayList.h"

namespace lumetra::drawing {

void linkTextFrames(RecordedPage& page);

// Characters of `text` (after its skipped ones) that fit in its box; all of them when nothing
// overflows.
int charactersThatFit(const TextItem& text);

} // namespace lumetra::drawing

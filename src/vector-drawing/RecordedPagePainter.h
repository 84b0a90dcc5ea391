#pragma once
// Paints a recorded page with QPainter.

#include "DisplayList.h"

class QPainter;

namespace lumetra::drawing {

// Paints `page` stretched into `target` (painter coordinates), clipped to it. The painter's
// state is left as it was.
void paintRecordedPage(QPainter& painter, const RecordedPage& page, const QRectF& target);

} // namespace lumetra::drawing

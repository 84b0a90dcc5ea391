#pragma once
// Where a picture goes in its box, by the box's fit (Publisher::lmPictureFit...): the whole box
// (Deforma), the largest rectangle of the picture's proportions inside it (Adatta) or the
// smallest covering it (Riempi, cut to the box when drawn), centred on the box.

#include <QRectF>
#include <QSizeF>

namespace lumetra::engine {

// The rectangle a picture whose own size is `picture` (pixels or points: only its proportions
// count) is drawn into for `box` and `fit`. A picture or box without size, or an unknown fit,
// gives the box.
QRectF fittedRect(const QRectF& box, QSizeF picture, int fit);

} // namespace lumetra::engine

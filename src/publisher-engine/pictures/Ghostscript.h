#pragma once
// PostScript rendered by Ghostscript, one rendering at a time, each in a Ghostscript process of
// its own with a time limit, its messages kept away from our standard output and error.

#include <QByteArrayView>
#include <QImage>
#include <QSize>

namespace lumetra::pictures {

// `postScript` (an EPS program) rendered, cropped to its bounding box of `points` (the drawing's
// size in points) and stretched to about `pixels`, on white. A null image when Ghostscript
// reports an error or produces no page.
QImage renderEps(QByteArrayView postScript, QSizeF points, QSize pixels);

} // namespace lumetra::pictures

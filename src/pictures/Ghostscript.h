#pragma once
// PostScript rendered by Ghostscript, one rendering at a time, each in a Ghostscript process of
// its own that can act on nothing but its input and its page: an empty temporary folder of its
// own (removed afterwards), no file it may write to, a page of the size asked for whatever the
// program requests, limits on its memory, processor time and wall-clock time, and no life
// beyond the program's. Its messages are kept away from our standard output and error.

#include <QByteArrayView>
#include <QImage>
#include <QRectF>
#include <QSize>

namespace lumetra::pictures {

// `postScript` (an EPS program) rendered with its bounding box `box` (in points) stretched over
// `pixels`, on white. A null image when Ghostscript reports an error, goes beyond its limits or
// produces no page.
QImage renderEps(QByteArrayView postScript, QRectF box, QSize pixels);

} // namespace lumetra::pictures

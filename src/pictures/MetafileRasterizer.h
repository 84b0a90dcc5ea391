#pragma once
// WMF and EMF pictures rasterised through ImageMagick (with its libwmf delegate).

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace lumetra::pictures {

// Renders the metafile `data` ("WMF" or "EMF") to about `size` pixels with a transparent
// background; an empty `size` keeps its natural size at 72 dpi. A null image when ImageMagick
// cannot read it. Safe from any thread.
QImage rasterizeMetafile(const QByteArray& data, const char* format, QSize size);

} // namespace lumetra::pictures

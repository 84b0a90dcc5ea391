#pragma once
// A WMF made ready for libwmf to play it as Windows plays a metafile into a frame: the window the
// metafile sets is mapped onto the frame (libwmf would map the extent of what is drawn), and the
// colours that name entries of the metafile's palette (palette bitmaps, PALETTEINDEX pens, brushes
// and text colours) are written as the RGB colours they stand for, which libwmf cannot look up.

#include <QByteArray>
#include <QByteArrayView>
#include <QRectF>
#include <QSizeF>

namespace lumetra::pictures {

// libwmf's viewport, in its device units, when the metafile sets none.
inline constexpr double WmfViewportSide = 1024.0;

struct PreparedWmf {
    QByteArray bytes; // the metafile to play; the records as given when nothing needed changing
    // The frame the drawing is mapped by, in libwmf's device units, and its size at 72 dpi when
    // the header does not tell it; empty when the metafile sets no window.
    QRectF frame;
    QSizeF size;
};

// Never throws: records it cannot read are passed on as they are, for libwmf to refuse.
PreparedWmf prepareWmf(QByteArrayView wmf);

} // namespace lumetra::pictures

#pragma once
// Windows metafiles turned to SVG by the libraries that read them: libwmf for WMF, libemf2svg
// for EMF (EMF+ records included). Each library is used by one thread at a time.

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>
#include <QString>

namespace lumetra::pictures {

struct ConvertedMetafile {
    QSize size;     // the drawing's own size at 72 dpi
    QByteArray svg; // empty when only the size was asked for
    QString damage; // set when the file is shorter than its header says, yet converted
};

// Both throw PictureError when the metafile is damaged or cannot be read.
ConvertedMetafile convertWmf(QByteArrayView wmf, bool withDrawing);
ConvertedMetafile convertEmf(QByteArrayView emf);

} // namespace lumetra::pictures

#pragma once
// What a BMP file holds of the rows its header promises (Qt's reader decodes it): a file cut
// short holds only the rows stored first, the bottom ones of most pictures.

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace lumetra::pictures {

// Empty when the file holds every row (cheap: the header and the file's length tell); else
// which rows are missing. Throws PictureError when it holds none, or when a run-length
// compressed picture is cut short (Qt's reader then gives nothing, or rows it never read).
QString bmpDamage(QByteArrayView data);

// Paints grey the rows of `image` (the picture at its own size, as Qt's reader gives it) that
// the file does not hold, where Qt's reader leaves whatever its memory held.
void greyMissingBmpRows(QByteArrayView data, QImage& image);

} // namespace lumetra::pictures

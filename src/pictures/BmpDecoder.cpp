#include "BmpDecoder.h"

#include "PictureError.h"

#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cstdlib>

namespace lumetra::pictures {

namespace {

struct Rows {
    qint64 height = 0; // promised
    qint64 held = 0;   // whole in the file
    bool bottomUp = true;
    bool runLength = false; // held is not known: all or none
};

Rows rowsOf(QByteArrayView b) {
    const auto u16 = [&](qsizetype at) {
        return b.size() < at + 2 ? 0u : quint32(qFromLittleEndian<quint16>(b.data() + at));
    };
    const auto u32 = [&](qsizetype at) {
        return b.size() < at + 4 ? 0u : qFromLittleEndian<quint32>(b.data() + at);
    };
    const qint64 offset = u32(10);
    const bool core = u32(14) == 12; // the OS/2 header: 16-bit sizes, no compression
    const qint64 width = core ? u16(18) : std::abs(qint64(qint32(u32(18))));
    const qint64 height = core ? u16(20) : qint64(qint32(u32(22)));
    const qint64 bits = core ? u16(24) : u16(28);
    const quint32 compression = core ? 0 : u32(30);
    Rows rows{std::abs(height), std::abs(height), height > 0, false};
    const qint64 size = b.size();
    if (compression == 1 || compression == 2) { // RLE8, RLE4: the length of the data is stored
        const qint64 stored = u32(34) ? offset + u32(34) : qint64(u32(2));
        rows.runLength = true;
        rows.held = stored > size || offset >= size ? 0 : rows.height;
    } else if (compression == 0 || compression == 3 || compression == 6) {
        const qint64 stride = (width * bits + 31) / 32 * 4;
        rows.held =
            stride <= 0 || offset >= size ? 0 : std::min(rows.height, (size - offset) / stride);
    }
    return rows;
}

} // namespace

QString bmpDamage(QByteArrayView data) {
    const Rows rows = rowsOf(data);
    if (rows.held == rows.height) {
        return {};
    }
    if (rows.held == 0) {
        refuse(rows.runLength ? QStringLiteral("file BMP compresso troncato")
                              : QStringLiteral("file BMP troncato: non contiene nessuna riga"));
    }
    return QStringLiteral("file BMP troncato: mancano %1 righe su %2, dal lato %3")
        .arg(rows.height - rows.held)
        .arg(rows.height)
        .arg(rows.bottomUp ? QStringLiteral("alto") : QStringLiteral("basso"));
}

void greyMissingBmpRows(QByteArrayView data, QImage& image) {
    const Rows rows = rowsOf(data);
    if (rows.held >= rows.height || rows.height != image.height()) {
        return;
    }
    const int missing = int(rows.height - rows.held);
    // Painted in 32 bits a pixel (a palette picture cannot be painted on).
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                          : QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, rows.bottomUp ? 0 : image.height() - missing, image.width(), missing,
                     QColor(128, 128, 128));
}

} // namespace lumetra::pictures

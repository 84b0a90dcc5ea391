#include "LumetraIcon.h"

#include <QPainter>
#include <QPixmap>

namespace lumetra::mainwindow {

namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const double unit = size / 16.0;
    // The page.
    painter.setPen(QPen(QColor(60, 60, 70), unit));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(2 * unit, 0.5 * unit, 12 * unit, 15 * unit));
    // Four photo slots.
    const QColor slotColours[] = {QColor(33, 118, 199), QColor(46, 160, 67), QColor(219, 124, 38),
                                  QColor(180, 60, 140)};
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const double x = (3.5 + (i % 2) * 5) * unit;
        const double y = (2 + (i / 2) * 6) * unit;
        painter.setBrush(slotColours[i]);
        painter.drawRect(QRectF(x, y, 4 * unit, 3.5 * unit));
        // Its caption.
        painter.setBrush(QColor(60, 60, 70));
        painter.drawRect(QRectF(x + 0.5 * unit, y + 4 * unit, 3 * unit, 0.8 * unit));
    }
    return pixmap;
}

} // namespace

QIcon LumetraIcon() {
    QIcon icon;
    icon.addPixmap(drawIcon(16));
    icon.addPixmap(drawIcon(32));
    return icon;
}

} // namespace lumetra::mainwindow

#include "LineControl.h"

#include <QPainter>

#include <algorithm>

namespace lumetra::mainwindow {

LineControl::LineControl(QPalette::ColorRole colour, QWidget* parent)
    : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineControl::setPoints(float x1, float y1, float x2, float y2,
                            const platform::TwipsScale& scale) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    const QPoint a(scale.toPixelsX(x1), scale.toPixelsY(y1));
    const QPoint b(scale.toPixelsX(x2), scale.toPixelsY(y2));
    const QRect box = QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                            QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    from_ = a - box.topLeft();
    to_ = b - box.topLeft();
    setGeometry(box);
    update();
}

void LineControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(colour_), 1));
    painter.drawLine(from_, to_);
}

} // namespace lumetra::mainwindow

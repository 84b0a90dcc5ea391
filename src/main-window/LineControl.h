#pragma once
// A straight line given by two end points in twips (X1, Y1) - (X2, Y2), drawn one pixel wide in a
// colour of the palette.

#include <QPalette>
#include <QWidget>

#include "Units.h"

namespace lumetra::mainwindow {

class LineControl : public QWidget {
    Q_OBJECT
public:
    LineControl(QPalette::ColorRole colour, QWidget* parent);

    float X1() const { return x1_; }
    float Y1() const { return y1_; }
    float X2() const { return x2_; }
    float Y2() const { return y2_; }
    void setPoints(float x1, float y1, float x2, float y2, const platform::TwipsScale& scale);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPalette::ColorRole colour_;
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    QPoint from_, to_;
};

} // namespace lumetra::mainwindow

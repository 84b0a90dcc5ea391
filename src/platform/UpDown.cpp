#include "UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace lumetra::platform {

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setObjectName(QStringLiteral("su"));
    down_->setObjectName(QStringLiteral("giu"));
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {up_, down_}) {
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(6, 6));
    }
    setFocusPolicy(Qt::StrongFocus);
    connect(up_, &QToolButton::clicked, this, [this] { step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void UpDown::setBuddy(QLineEdit* buddy) {
    buddy_ = buddy;
    if (buddy_ != nullptr) {
        buddy_->setText(QString::number(value_));
    }
}

void UpDown::setRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    setValue(value_);
}

void UpDown::setValue(int value) {
    const int clamped = std::clamp(value, min_, max_);
    const bool changed = clamped != value_;
    value_ = clamped;
    if (buddy_ != nullptr) {
        buddy_->setText(QString::number(value_));
    }
    if (changed) {
        emit valueChanged(value_);
    }
}

void UpDown::step(int direction) {
    setValue(value_ + direction * increment_);
}

void UpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) {
        step(+1);
    } else if (event->key() == Qt::Key_Down) {
        step(-1);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void UpDown::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

} // namespace lumetra::platform

#pragma once
// A borderless pane of the list splitter; tells its owner whenever its size changes.

#include <QWidget>

namespace lumetra::mainwindow {

class ListPane : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    void resized();

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        emit resized();
    }
};

} // namespace lumetra::mainwindow

#pragma once
// Zooming by hand over a view: Ctrl + mouse wheel, a touchpad's pinch (the window system's zoom
// gesture) and a touch screen's pinch. Installed on a scroll area's viewport, it takes those
// events from the view (the wheel without Ctrl still scrolls) and reports each as a factor to
// apply to the zoom around a point of the viewport.

#include <QObject>
#include <QPoint>

class QWidget;

namespace lumetra::preview {

class ZoomInput final : public QObject {
    Q_OBJECT
public:
    // Watches `viewport` (and takes its pinch gestures); owned by it.
    explicit ZoomInput(QWidget* viewport);

signals:
    // Multiply the zoom by `factor`, keeping the point `at` (viewport coordinates) in place.
    void zoomBy(double factor, QPoint at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* viewport_;
};

} // namespace lumetra::preview

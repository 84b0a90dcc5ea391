#include "ZoomInput.h"

#include <QGestureEvent>
#include <QNativeGestureEvent>
#include <QPinchGesture>
#include <QWheelEvent>
#include <QWidget>

#include <cmath>

namespace lumetra::preview {

namespace {
// One notch of the wheel (120 eighths of a degree) zooms as much as the Zoom in button.
constexpr double NotchFactor = 1.25;
constexpr double EighthsPerNotch = 120.0;
} // namespace

ZoomInput::ZoomInput(QWidget* viewport) : QObject(viewport), viewport_(viewport) {
    viewport_->grabGesture(Qt::PinchGesture);
    viewport_->installEventFilter(this);
}

bool ZoomInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != viewport_) {
        return false;
    }
    switch (event->type()) {
    case QEvent::Wheel: {
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (!wheel->modifiers().testFlag(Qt::ControlModifier)) {
            return false;
        }
        const int eighths = wheel->angleDelta().y();
        if (eighths != 0) {
            emit zoomBy(std::pow(NotchFactor, eighths / EighthsPerNotch),
                        wheel->position().toPoint());
        }
        return true; // Ctrl + wheel never scrolls
    }
    case QEvent::NativeGesture: {
        auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() != Qt::ZoomNativeGesture) {
            return false;
        }
        // value(): the change of scale since the last event (0.1 is 10 % larger).
        emit zoomBy(1.0 + gesture->value(), gesture->position().toPoint());
        return true;
    }
    case QEvent::Gesture: {
        auto* gestures = static_cast<QGestureEvent*>(event);
        auto* pinch = static_cast<QPinchGesture*>(gestures->gesture(Qt::PinchGesture));
        if (pinch == nullptr) {
            return false;
        }
        gestures->accept(pinch);
        if (pinch->changeFlags().testFlag(QPinchGesture::ScaleFactorChanged) &&
            pinch->scaleFactor() > 0) {
            emit zoomBy(pinch->scaleFactor(),
                        viewport_->mapFromGlobal(pinch->centerPoint().toPoint()));
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace lumetra::preview

#include "MousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace lumetra::platform {

namespace {
int currentPointer = vbDefault;
}

int Screen::MousePointer() {
    return currentPointer;
}

void Screen::SetMousePointer(int pointer) {
    if (pointer == currentPointer) {
        return;
    }
    // One application-wide override at most: the pointer is a setting, not a stack.
    if (currentPointer != vbDefault) {
        QGuiApplication::restoreOverrideCursor();
    }
    currentPointer = pointer;
    if (pointer == vbArrowHourglass) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    } else if (pointer != vbDefault) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
}

} // namespace lumetra::platform

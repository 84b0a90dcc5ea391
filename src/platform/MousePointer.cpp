#include "MousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace lumetra::platform {

namespace {
int currentPointer = runtime::vbDefault;
}

int Screen::MousePointer() {
    return currentPointer;
}

void Screen::SetMousePointer(int pointer) {
    if (pointer == currentPointer) {
        return;
    }
    // One application-wide override at most: the pointer is a setting, not a stack.
    if (currentPointer != runtime::vbDefault) {
        QGuiApplication::restoreOverrideCursor();
    }
    currentPointer = pointer;
    if (pointer == runtime::vbArrowHourglass) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    } else if (pointer != runtime::vbDefault) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    }
}

} // namespace lumetra::platform

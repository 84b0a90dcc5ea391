#include "objMinMaxInfo.h"

#include "modSubClass.h"

namespace lumetra::geometry {

namespace {
int minWidth = -1;
int minHeight = -1;
int maxWidth = -1;
int maxHeight = -1;
} // namespace

objMinMaxInfo::objMinMaxInfo() {
    minWidth = -1;
    minHeight = -1;
    maxWidth = -1;
    maxHeight = -1;
}

void objMinMaxInfo::setHWnd(QWidget* window) {
    if (!inizializzato_) {
        hWnd_ = window;
    }
}

void objMinMaxInfo::Inizializza() {
    if (hWnd_ == nullptr || inizializzato_) {
        return;
    }
    AttivaSottoclasse(hWnd_);
    inizializzato_ = true;
}

void objMinMaxInfo::Termina() {
    if (!inizializzato_) {
        return;
    }
    DisattivaSottoclasse(hWnd_);
    inizializzato_ = false;
}

int objMinMaxInfo::MinWidth() {
    return minWidth;
}
void objMinMaxInfo::setMinWidth(int value) {
    minWidth = value;
    AggiornaLimiti();
}
int objMinMaxInfo::MinHeight() {
    return minHeight;
}
void objMinMaxInfo::setMinHeight(int value) {
    minHeight = value;
    AggiornaLimiti();
}
int objMinMaxInfo::MaxWidth() {
    return maxWidth;
}
void objMinMaxInfo::setMaxWidth(int value) {
    maxWidth = value;
    AggiornaLimiti();
}
int objMinMaxInfo::MaxHeight() {
    return maxHeight;
}
void objMinMaxInfo::setMaxHeight(int value) {
    maxHeight = value;
    AggiornaLimiti();
}

} // namespace lumetra::geometry

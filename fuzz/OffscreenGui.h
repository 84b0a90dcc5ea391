#pragma once
// The GUI application the drawing targets need (fonts, text layout, vectors through Qt), on the
// offscreen platform: no display is needed.

#include <QGuiApplication>

#include <cstdlib>

inline void startOffscreenGui(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
}

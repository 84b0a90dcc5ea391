#pragma once
// The tracking limits the window system asks a window for, in pixels of the whole window
// (frame and caption included).

#include <QPoint>

namespace lumetra::geometry {

struct MINMAXINFO {
    QPoint ptReserved;
    QPoint ptMaxSize;
    QPoint ptMaxPosition;
    QPoint ptMinTrackSize;
    QPoint ptMaxTrackSize;
};

} // namespace lumetra::geometry

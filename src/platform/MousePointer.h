#pragma once
// The application-wide mouse pointer: 13 (arrow with hourglass) while a long operation runs,
// 0 (default) otherwise.

#include "VbConstants.h"

namespace lumetra::platform {

class Screen {
public:
    static int MousePointer();
    static void SetMousePointer(int pointer);
};

// Sets the busy pointer for its lifetime and puts the default back on every path out.
class BusyPointer {
public:
    BusyPointer() { Screen::SetMousePointer(runtime::vbArrowHourglass); }
    ~BusyPointer() { Screen::SetMousePointer(runtime::vbDefault); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace lumetra::platform

#pragma once
// Hooks the size limits of objMinMaxInfo into a window. Qt has no window procedure to replace:
// an event filter on the window plays its part and turns the limits, given for the whole window,
// into the client-area minimum and maximum sizes that Qt hands to the window manager as size
// hints. Only one window at a time carries the filter.

#include "MinMaxInfo.h"

class QWidget;

namespace lumetra::geometry {

// Answers a request for tracking limits: each limit that is set (>= 0; 0 counts) replaces the
// system's value, the others keep it.
void ProceduraFinestra(MINMAXINFO& info);

void AttivaSottoclasse(QWidget* window);
void DisattivaSottoclasse(QWidget* window);
// Applies the current limits to the window carrying the filter, if any (limits changed).
void AggiornaLimiti();

} // namespace lumetra::geometry

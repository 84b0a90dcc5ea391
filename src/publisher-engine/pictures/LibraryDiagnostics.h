#pragma once
// The picture libraries' messages routed like Qt's (see Diagnostics.h): never on the user's
// terminal unless LUMETRA_DIAGNOSTICA=1 is set.

#include "Diagnostics.h"

namespace lumetra::pictures {

using runtime::diagnostic;

// Routes Qt's messages and libtiff's process-wide handlers through diagnostic(). Called once,
// first thing, by the main() of every program that reads pictures.
void routeLibraryDiagnostics();

} // namespace lumetra::pictures

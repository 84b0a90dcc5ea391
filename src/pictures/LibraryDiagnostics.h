#pragma once
// The picture libraries' messages routed like Qt's (see Diagnostics.h): never on the user's
// terminal unless LUMETRA_DIAGNOSTICA=1 is set.

#include "Diagnostics.h"

namespace lumetra::pictures {

using runtime::diagnostic;

// Routes Qt's messages and the process-wide handlers of libtiff and ImageMagick through
// diagnostic(). Called once, first thing, by the main() of every program that reads pictures.
// (libpng has no process-wide handler: each png_create_* call is given its own functions.)
void routeLibraryDiagnostics();

// Routes ImageMagick's warning and error handlers through diagnostic(); also done by the
// picture import before it first starts ImageMagick.
void routeMagickMessages();

} // namespace lumetra::pictures

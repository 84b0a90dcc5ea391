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

// The handlers of libtiff and ImageMagick alone, Qt's messages and standard error left as they
// are: for a program that keeps its own (the tests).
void routePictureLibraryHandlers();

// Routes ImageMagick's warning and error handlers through diagnostic(); also done by the
// picture import before it first starts ImageMagick.
void routeMagickMessages();

// For libraries that write straight to standard error, with no handler to route (libjxl, on a
// damaged file): while one of these lives, on any thread, standard error goes nowhere, unless
// diagnostics are asked for or it goes nowhere already (a program's, see routeQtMessages()).
// Sanitizer reports still reach the terminal.
class QuietStandardError {
public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;
};

} // namespace lumetra::pictures

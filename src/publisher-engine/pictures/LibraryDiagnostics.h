#pragma once
// What the libraries under the program say (Qt, libpng, libjpeg, libtiff, ImageMagick,
// Ghostscript, libwmf, CUPS through Qt) never reaches the user's terminal: it is dropped, or
// written to standard error with the library's name when LUMETRA_DIAGNOSTICA=1 is set. The
// program's own messages are Italian and go their own way.

#include <QString>

namespace lumetra::pictures {

// A message from `library`: dropped unless diagnostics are asked for.
void diagnostic(const char* library, const char* message);
void diagnostic(const char* library, const QString& message);

// Routes Qt's messages and libtiff's process-wide handlers through diagnostic(). Called once,
// first thing, by every program's main().
void routeLibraryDiagnostics();

} // namespace lumetra::pictures

#pragma once
// What the libraries under the program say (Qt and, through the picture layer, libpng, libjpeg,
// libtiff, ImageMagick, Ghostscript, libwmf, CUPS through Qt) never reaches the user's terminal:
// it is dropped, or written to standard error with the library's name when
// LUMETRA_DIAGNOSTICA=1 is set. The program's own messages are Italian and go their own way.

#include <QString>

namespace lumetra::runtime {

// A message from `library`: dropped unless diagnostics are asked for.
void diagnostic(const char* library, const char* message);
void diagnostic(const char* library, const QString& message);

// Whether LUMETRA_DIAGNOSTICA=1 asks for them.
bool diagnosticsWanted();

// Routes Qt's messages through diagnostic() (a fatal one is still printed, as Qt then aborts).
// Called first thing by every program's main().
void routeQtMessages();

} // namespace lumetra::runtime

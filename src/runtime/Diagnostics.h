#pragma once
// What the libraries under the program say (Qt and, through the picture layer, libpng, libjpeg,
// libtiff, ImageMagick, Ghostscript, libwmf, fontconfig, CUPS through Qt) never reaches the
// user's terminal: it is dropped, or written to standard error with the library's name when
// LUMETRA_DIAGNOSTICA=1 is set. The program's own messages are Italian and go their own way,
// through tellUser().

#include <QString>

namespace lumetra::runtime {

// A message from `library`: dropped unless diagnostics are asked for.
void diagnostic(const char* library, const char* message);
void diagnostic(const char* library, const QString& message);

// Whether LUMETRA_DIAGNOSTICA=1 asks for them.
bool diagnosticsWanted();

// Called first thing by every program's main(). Routes Qt's messages through diagnostic() (a
// fatal one is still told, as Qt then aborts) and, unless diagnostics are asked for, leads the
// process's standard error away from the terminal: some libraries write there directly. The
// terminal stays open for tellUser().
void routeQtMessages();

// One line of the program's own (an Italian message, no line end) on the user's standard error,
// wherever the libraries' one was led. File names in it come out as their own bytes.
void tellUser(const QString& line);

} // namespace lumetra::runtime

#include "LibraryDiagnostics.h"

#include <cstdarg>
#include <cstdio>

#include <tiffio.h>

namespace lumetra::pictures {

namespace {

void tiffMessage(const char* module, const char* format, va_list arguments) {
    if (!runtime::diagnosticsWanted()) {
        return;
    }
    char text[1024];
    std::vsnprintf(text, sizeof text, format, arguments);
    diagnostic("libtiff", QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(module ? module : ""),
                                                       QString::fromLocal8Bit(text)));
}

} // namespace

void routeLibraryDiagnostics() {
    runtime::routeQtMessages();
    TIFFSetErrorHandler(tiffMessage);
    TIFFSetWarningHandler(tiffMessage);
}

} // namespace lumetra::pictures

#include "LibraryDiagnostics.h"

#include <cstdarg>
#include <cstdio>

#include <Magick++.h>
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

void magickMessage(const MagickCore::ExceptionType, const char* reason, const char* description) {
    diagnostic("ImageMagick",
               QStringLiteral("%1 %2").arg(QString::fromLocal8Bit(reason ? reason : ""),
                                           QString::fromLocal8Bit(description ? description : "")));
}

} // namespace

void routeMagickMessages() {
    MagickCore::SetWarningHandler(magickMessage);
    MagickCore::SetErrorHandler(magickMessage);
}

void routeLibraryDiagnostics() {
    runtime::routeQtMessages();
    TIFFSetErrorHandler(tiffMessage);
    TIFFSetWarningHandler(tiffMessage);
    routeMagickMessages();
}

} // namespace lumetra::pictures

#include "LibraryDiagnostics.h"

#include <QtGlobal>

#include <cstdarg>
#include <cstdio>

#include <tiffio.h>

namespace lumetra::pictures {

namespace {

bool wanted() {
    static const bool on = qEnvironmentVariableIntValue("LUMETRA_DIAGNOSTICA") != 0;
    return on;
}

void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return; // Qt aborts after a fatal message
    }
    diagnostic("Qt", message);
}

void tiffMessage(const char* module, const char* format, va_list arguments) {
    if (!wanted()) {
        return;
    }
    char text[1024];
    std::vsnprintf(text, sizeof text, format, arguments);
    diagnostic("libtiff", QStringLiteral("%1: %2").arg(QString::fromLocal8Bit(module ? module : ""),
                                                       QString::fromLocal8Bit(text)));
}

} // namespace

void diagnostic(const char* library, const char* message) {
    if (wanted()) {
        diagnostic(library, QString::fromLocal8Bit(message));
    }
}

void diagnostic(const char* library, const QString& message) {
    if (wanted()) {
        std::fprintf(stderr, "[%s] %s\n", library, message.trimmed().toLocal8Bit().constData());
    }
}

void routeLibraryDiagnostics() {
    qInstallMessageHandler(qtMessage);
    TIFFSetErrorHandler(tiffMessage);
    TIFFSetWarningHandler(tiffMessage);
}

} // namespace lumetra::pictures

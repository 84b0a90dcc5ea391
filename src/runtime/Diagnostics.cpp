#include "Diagnostics.h"

#include <QtGlobal>

#include <cstdio>

namespace lumetra::runtime {

namespace {

void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        return; // Qt aborts after a fatal message
    }
    diagnostic("Qt", message);
}

} // namespace

bool diagnosticsWanted() {
    static const bool on = qEnvironmentVariableIntValue("LUMETRA_DIAGNOSTICA") != 0;
    return on;
}

void diagnostic(const char* library, const char* message) {
    if (diagnosticsWanted()) {
        diagnostic(library, QString::fromLocal8Bit(message));
    }
}

void diagnostic(const char* library, const QString& message) {
    if (diagnosticsWanted()) {
        std::fprintf(stderr, "[%s] %s\n", library, message.trimmed().toLocal8Bit().constData());
    }
}

void routeQtMessages() {
    qInstallMessageHandler(qtMessage);
}

} // namespace lumetra::runtime

#include "Diagnostics.h"

#include "FileNames.h"

#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace lumetra::runtime {

namespace {

// The user's standard error once fd 2 has been led away from it.
int terminalFd = STDERR_FILENO;

void writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return;
        }
        done += n;
    }
}

void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        tellUser(message);
        return; // Qt aborts after a fatal message
    }
    diagnostic("Qt", message);
}

// fd 2 onto /dev/null, the terminal kept on a descriptor of its own that no child inherits.
void leadStandardErrorAway() {
    if (terminalFd != STDERR_FILENO) {
        return;
    }
    std::fflush(stderr);
    const int kept = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (kept >= 0 && nowhere >= 0 && ::dup2(nowhere, STDERR_FILENO) == STDERR_FILENO) {
        terminalFd = kept;
#if defined(__SANITIZE_ADDRESS__)
        // A sanitizer's report is no library chatter: it keeps reaching the terminal.
        __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<intptr_t>(kept)));
#endif
    } else if (kept >= 0) {
        ::close(kept);
    }
    if (nowhere >= 0) {
        ::close(nowhere);
    }
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
        writeAll(STDERR_FILENO, QStringLiteral("[%1] %2\n")
                                    .arg(QLatin1String(library), message.trimmed())
                                    .toLocal8Bit());
    }
}

void routeQtMessages() {
    qInstallMessageHandler(qtMessage);
    if (!diagnosticsWanted()) {
        leadStandardErrorAway();
    }
}

void tellUser(const QString& line) {
    writeAll(terminalFd, nativeName(line + QLatin1Char('\n')));
}

} // namespace lumetra::runtime

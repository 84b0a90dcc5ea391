#include "LibraryDiagnostics.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

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

std::mutex quietMutex;
int quietOnes = 0;          // QuietStandardError alive
int keptStandardError = -1; // standard error as it was, while it is led nowhere

bool goesNowhere(int fd) {
    struct stat target {};
    struct stat null {};
    return ::fstat(fd, &target) == 0 && ::stat("/dev/null", &null) == 0 &&
           S_ISCHR(target.st_mode) && target.st_rdev == null.st_rdev;
}

void reportSanitizerFaultsTo([[maybe_unused]] int fd) {
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_report_fd(reinterpret_cast<void*>(static_cast<std::intptr_t>(fd)));
#endif
}

} // namespace

QuietStandardError::QuietStandardError() {
    const std::lock_guard lock(quietMutex);
    if (quietOnes++ > 0 || runtime::diagnosticsWanted() || goesNowhere(STDERR_FILENO)) {
        return;
    }
    std::fflush(stderr);
    const int kept = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (kept >= 0 && nowhere >= 0 && ::dup2(nowhere, STDERR_FILENO) == STDERR_FILENO) {
        keptStandardError = kept;
        reportSanitizerFaultsTo(kept);
    } else if (kept >= 0) {
        ::close(kept);
    }
    if (nowhere >= 0) {
        ::close(nowhere);
    }
}

QuietStandardError::~QuietStandardError() {
    const std::lock_guard lock(quietMutex);
    if (--quietOnes > 0 || keptStandardError < 0) {
        return;
    }
    std::fflush(stderr);
    ::dup2(keptStandardError, STDERR_FILENO);
    ::close(keptStandardError);
    keptStandardError = -1;
    reportSanitizerFaultsTo(STDERR_FILENO);
}

void routeMagickMessages() {
    MagickCore::SetWarningHandler(magickMessage);
    MagickCore::SetErrorHandler(magickMessage);
}

void routePictureLibraryHandlers() {
    TIFFSetErrorHandler(tiffMessage);
    TIFFSetWarningHandler(tiffMessage);
    routeMagickMessages();
}

void routeLibraryDiagnostics() {
    runtime::routeQtMessages();
    routePictureLibraryHandlers();
}

} // namespace lumetra::pictures

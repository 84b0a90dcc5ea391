#include "PictureSource.h"

#include "FileNames.h"
#include "PictureError.h"

#include <QFileInfo>

#include <atomic>
#include <cerrno>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace lumetra::pictures {

namespace {

// Descriptors left to the rest of the process (fonts, printing, the layout, libraries).
constexpr rlim_t Reserve = 256;

std::atomic<long> heldCount{0};

// How many pictures may hold a descriptor: the soft limit, raised once to the hard limit,
// less the reserve.
long heldLimit() {
    static const long limit = [] {
        rlimit limits{};
        if (::getrlimit(RLIMIT_NOFILE, &limits) != 0) {
            return 0L;
        }
        if (limits.rlim_cur < limits.rlim_max) {
            rlimit raised = limits;
            raised.rlim_cur = limits.rlim_max;
            if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) {
                limits = raised;
            }
        }
        if (limits.rlim_cur == RLIM_INFINITY) {
            return 1L << 20;
        }
        return limits.rlim_cur > Reserve ? static_cast<long>(limits.rlim_cur - Reserve) : 0L;
    }();
    return limit;
}

} // namespace

std::shared_ptr<const PictureSource> PictureSource::open(const QString& path) {
    // Not blocking: a pipe named like a picture is refused when read, not waited on.
    const int descriptor =
        ::open(runtime::nativeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        refuseUnreadable(errno);
    }
    if (heldCount.fetch_add(1) >= heldLimit()) {
        // No descriptor to spare: the file was readable now and is read by its path later.
        heldCount.fetch_sub(1);
        ::close(descriptor);
        return std::shared_ptr<const PictureSource>(new PictureSource(path, -1));
    }
    return std::shared_ptr<const PictureSource>(new PictureSource(path, descriptor));
}

PictureSource::~PictureSource() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        heldCount.fetch_sub(1);
    }
}

PictureData PictureSource::read() const {
    if (descriptor_ >= 0) {
        return PictureData::read(descriptor_, QFileInfo(path_).fileName());
    }
    return PictureData::read(path_);
}

} // namespace lumetra::pictures

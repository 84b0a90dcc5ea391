#include "InputFile.h"

#include "Error.h"
#include "ErrorNumbers.h"
#include "FileNames.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumetra::runtime {

InputFileCheck checkInputFile(const QString& path) {
    if (path.isEmpty()) {
        return {runtime::ErrFileNonTrovato};
    }
    const int fd = ::open(runtime::nativeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM) {
            return {runtime::ErrPermessoNegato};
        }
        if (error == ENOENT || error == ENOTDIR) {
            return {runtime::ErrFileNonTrovato};
        }
        return {runtime::ErrPercorsoNonValido};
    }
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    if (!regular) {
        return {runtime::ErrPercorsoNonValido};
    }
    return {0, static_cast<std::int64_t>(info.st_size)};
}

std::optional<QByteArray> readInputFile(const QString& path, std::int64_t limit) {
    const int fd = ::open(runtime::nativeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    struct stat info {};
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        bytes.emplace(qsizetype(std::min<std::int64_t>(info.st_size, limit) + 1), '\0');
        qsizetype done = 0;
        while (done < bytes->size()) {
            const ssize_t n = ::read(fd, bytes->data() + done, size_t(bytes->size() - done));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                bytes.reset();
                break;
            }
            if (n == 0) {
                break;
            }
            done += n;
        }
        if (bytes) {
            bytes->truncate(done);
        }
    }
    ::close(fd);
    return bytes;
}

} // namespace lumetra::runtime

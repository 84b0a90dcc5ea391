#include "InputFile.h"

#include "Error.h"
#include "ErrorNumbers.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumetra::pub {

InputFileCheck checkInputFile(const QString& path) {
    if (path.isEmpty()) {
        return {runtime::ErrFileNonTrovato};
    }
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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

} // namespace lumetra::pub

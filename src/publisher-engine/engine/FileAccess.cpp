#include "FileAccess.h"

#include "EngineErrors.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumetra::engine {

void checkReadableFile(const QString& path, const QString& what) {
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM) {
            fail(ErrPermessoNegato,
                 QStringLiteral("%1 '%2' non è accessibile: accesso negato").arg(what, path));
        }
        if (error == ENOENT || error == ENOTDIR || path.isEmpty()) {
            fail(ErrFileNonTrovato, QStringLiteral("%1 '%2' non esiste").arg(what, path));
        }
        fail(ErrPercorsoNonValido, QStringLiteral("%1 '%2' non è leggibile").arg(what, path));
    }
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    ::close(fd);
    if (!regular) {
        fail(ErrPercorsoNonValido, QStringLiteral("%1 '%2' non è un file").arg(what, path));
    }
}

} // namespace lumetra::engine

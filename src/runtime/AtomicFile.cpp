#include "AtomicFile.h"

#include "SystemErrors.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <memory>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumetra::runtime {
namespace {

FileWriteResult outcome(FileWriteResult::Status status, const QString& message = {}) {
    FileWriteResult result;
    result.status = status;
    result.message = message;
    return result;
}

// The reasons a save fails, in Italian whatever the system's language.
QString systemError(int error) {
    switch (error) {
    case ENOSPC:
        return QStringLiteral("spazio esaurito sul disco");
    case EDQUOT:
        return QStringLiteral("quota del disco esaurita");
    case EFBIG:
        return QStringLiteral("il file supera la dimensione massima consentita");
    case EACCES:
    case EPERM:
        return QStringLiteral("accesso negato");
    case EROFS:
        return QStringLiteral("il disco è protetto da scrittura");
    case EIO:
        return QStringLiteral("errore di scrittura sul disco");
    default:
        return systemErrorText(error);
    }
}

// Why writes to `fd` fail: Qt keeps no reason of its own for a failed write, so one byte is
// tried at the end of the (temporary) file.
QString writeFailure(int fd) {
    const off_t end = ::lseek(fd, 0, SEEK_END);
    const char zero = 0;
    if (end >= 0 && ::pwrite(fd, &zero, 1, end) < 0) {
        return systemError(errno);
    }
    return systemError(EIO);
}

// The process's file-creation mask, read without changing it (umask() would, for a moment, for
// every thread); 022 where the system does not tell it.
mode_t creationMask() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok) {
                    return mode_t(mask & 0777);
                }
            }
        }
    }
    return 022;
}

// Flushes the folder's entry of the renamed file; a failure here loses nothing already written.
void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Moves `from` onto `to` without ever replacing a file already at `to`. renameat2 with
// RENAME_NOREPLACE does it in one step; file systems without it get a hard link (which also
// fails on an existing name) followed by the removal of the temporary name.
int renameWithoutReplacing(const QByteArray& from, const QByteArray& to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        return errno;
    }
    if (::link(from.constData(), to.constData()) != 0) {
        return errno;
    }
    ::unlink(from.constData());
    return 0;
}

} // namespace

AtomicFile::AtomicFile(QString path, Replace replace) : path_(std::move(path)), replace_(replace) {}

AtomicFile::~AtomicFile() = default;

QIODevice* AtomicFile::device() const {
    return temporary_.get();
}

FileWriteResult AtomicFile::open() {
    using Status = FileWriteResult::Status;
    // A file-size limit then makes a write fail, as a full disk does, instead of ending the
    // program: the failure is reported and the target stays as it was.
    static const bool sizeLimitReported = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)sizeLimitReported;
    const QFileInfo target(path_);
    const QString shown = QDir::toNativeSeparators(path_);
    if (target.isSymLink()) {
        return outcome(Status::NotAFile,
                       QStringLiteral("'%1' è un collegamento simbolico: il file non viene "
                                      "scritto al suo posto. Scegliere un altro nome.")
                           .arg(shown));
    }
    if (target.exists() && !target.isFile()) {
        return outcome(Status::NotAFile,
                       QStringLiteral("'%1' non è un file: scegliere un altro nome.").arg(shown));
    }
    if (target.exists() && replace_ == Replace::Never) {
        return outcome(Status::Exists, QStringLiteral("Il file '%1' esiste già.").arg(shown));
    }
    const QDir folder = target.absoluteDir();
    if (!folder.exists()) {
        return outcome(Status::Failed, QStringLiteral("La cartella '%1' non esiste.")
                                           .arg(QDir::toNativeSeparators(folder.path())));
    }
    auto temporary = std::make_unique<QTemporaryFile>(
        folder.filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    errno = 0;
    if (!temporary->open()) {
        const int error = errno != 0 ? errno : EIO;
        return outcome(Status::Failed,
                       QStringLiteral("Impossibile scrivere nella cartella '%1': %2")
                           .arg(QDir::toNativeSeparators(folder.path()), systemError(error)));
    }
    temporary_ = std::move(temporary);
    return outcome(Status::Written);
}

FileWriteResult AtomicFile::commit() {
    using Status = FileWriteResult::Status;
    const QFileInfo target(path_);
    const QString shown = QDir::toNativeSeparators(path_);
    if (!temporary_ || committed_) {
        return outcome(Status::Failed,
                       QStringLiteral("Impossibile scrivere il file '%1'.").arg(shown));
    }
    auto* temporary = static_cast<QTemporaryFile*>(temporary_.get());
    // The new file gets the permissions of the one it replaces, or those of a new file.
    mode_t mode = 0666;
    struct stat old {};
    if (::stat(QFile::encodeName(target.absoluteFilePath()).constData(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        mode &= ~creationMask();
    }
    const bool complete = temporary->error() == QFileDevice::NoError && temporary->flush() &&
                          ::fchmod(temporary->handle(), mode) == 0 &&
                          ::fsync(temporary->handle()) == 0;
    if (!complete) {
        const QString reason = temporary->error() != QFileDevice::NoError
                                   ? writeFailure(temporary->handle())
                                   : systemError(errno);
        return outcome(Status::Failed,
                       QStringLiteral("Impossibile scrivere il file '%1': %2").arg(shown, reason));
    }
    temporary->close();

    const QByteArray from = QFile::encodeName(temporary->fileName());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    const int error = replace_ == Replace::Allowed
                          ? (::rename(from.constData(), to.constData()) == 0 ? 0 : errno)
                          : renameWithoutReplacing(from, to);
    if (error == EEXIST) {
        return outcome(Status::Exists, QStringLiteral("Il file '%1' esiste già.").arg(shown));
    }
    if (error == EISDIR || error == ENOTDIR) {
        return outcome(Status::NotAFile,
                       QStringLiteral("'%1' non è un file: scegliere un altro nome.").arg(shown));
    }
    if (error != 0) {
        return outcome(
            Status::Failed,
            QStringLiteral("Impossibile scrivere il file '%1': %2").arg(shown, systemError(error)));
    }
    temporary->setAutoRemove(false);
    committed_ = true;
    syncFolder(target.absolutePath());
    return outcome(Status::Written);
}

FileWriteResult writeFileAtomically(const QString& path, const QByteArray& bytes, Replace replace) {
    AtomicFile file(path, replace);
    FileWriteResult opened = file.open();
    if (!opened.written()) {
        return opened;
    }
    file.device()->write(bytes);
    return file.commit();
}

} // namespace lumetra::runtime

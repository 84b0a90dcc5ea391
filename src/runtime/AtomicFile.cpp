#include "AtomicFile.h"

#include "FileNames.h"
#include "SystemErrors.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <memory>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
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

// The reasons a save fails, in Italian whatever the system's language; an input/output error
// here is one of writing.
QString systemError(int error) {
    return error == EIO ? QStringLiteral("errore di scrittura sul disco") : systemErrorText(error);
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
void syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The folder part of a name as the system knows it ("." for a bare name).
QByteArray folderOf(const QByteArray& name) {
    const qsizetype slash = name.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : name.left(slash);
}

// The folder for a message: absolute, as the user finds it.
QString shownFolder(const QByteArray& folder) {
    QByteArray absolute = folder;
    if (!folder.startsWith('/')) {
        char here[PATH_MAX];
        if (::getcwd(here, sizeof here) != nullptr) {
            absolute = QByteArray(here) + '/' + folder;
        }
    }
    return shownName(QDir::cleanPath(fromNativeName(absolute)));
}

// The temporary file's name in `folder` for the target `base`: ".base.XXXXXX", the base cut
// (at a character's start) so that the whole fits the file system's limit on a name.
QByteArray temporaryTemplate(const QByteArray& folder, QByteArray base) {
    const long limit = ::pathconf(folder.constData(), _PC_NAME_MAX);
    const qsizetype room = (limit > 0 ? limit : NAME_MAX) - 8; // "." before, ".XXXXXX" after
    if (base.size() > room) {
        qsizetype cut = std::max<qsizetype>(room, 1);
        while (cut > 1 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        base.truncate(cut);
    }
    return folder + "/." + base + ".XXXXXX";
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

AtomicFile::AtomicFile(QString path, Replace replace)
    : path_(std::move(path)), target_(nativeName(path_)), replace_(replace) {}

AtomicFile::~AtomicFile() {
    if (temporary_ && !committed_) {
        temporary_->close();
        ::unlink(temporaryName_.constData());
    }
}

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
    const QString shown = shownName(path_);
    struct stat target {};
    if (::lstat(target_.constData(), &target) == 0) {
        if (S_ISLNK(target.st_mode)) {
            return outcome(Status::NotAFile,
                           QStringLiteral("'%1' è un collegamento simbolico: il file non viene "
                                          "scritto al suo posto. Scegliere un altro nome.")
                               .arg(shown));
        }
        if (!S_ISREG(target.st_mode)) {
            return outcome(
                Status::NotAFile,
                QStringLiteral("'%1' non è un file: scegliere un altro nome.").arg(shown));
        }
        if (replace_ == Replace::Never) {
            return outcome(Status::Exists, QStringLiteral("Il file '%1' esiste già.").arg(shown));
        }
    } else if (const int error = errno; error != ENOENT && error != ENOTDIR) {
        return outcome(
            Status::Failed,
            QStringLiteral("Impossibile scrivere il file '%1': %2").arg(shown, systemError(error)));
    }
    const QByteArray folder = folderOf(target_);
    struct stat folderStatus {};
    if (::stat(folder.constData(), &folderStatus) != 0 || !S_ISDIR(folderStatus.st_mode)) {
        return outcome(Status::Failed,
                       QStringLiteral("La cartella '%1' non esiste.").arg(shownFolder(folder)));
    }
    QByteArray name = temporaryTemplate(folder, target_.mid(target_.lastIndexOf('/') + 1));
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return outcome(Status::Failed,
                       QStringLiteral("Impossibile scrivere nella cartella '%1': %2")
                           .arg(shownFolder(folder), systemError(error)));
    }
    auto temporary = std::make_unique<QFile>();
    if (!temporary->open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(name.constData());
        return outcome(Status::Failed,
                       QStringLiteral("Impossibile scrivere nella cartella '%1': %2")
                           .arg(shownFolder(folder), systemError(EIO)));
    }
    temporaryName_ = name;
    temporary_ = std::move(temporary);
    return outcome(Status::Written);
}

FileWriteResult AtomicFile::commit() {
    using Status = FileWriteResult::Status;
    const QString shown = shownName(path_);
    if (!temporary_ || committed_) {
        return outcome(Status::Failed,
                       QStringLiteral("Impossibile scrivere il file '%1'.").arg(shown));
    }
    QFile* temporary = temporary_.get();
    // The new file gets the permissions of the one it replaces, or those of a new file.
    mode_t mode = 0666;
    struct stat old {};
    if (::stat(target_.constData(), &old) == 0) {
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

    const int error =
        replace_ == Replace::Allowed
            ? (::rename(temporaryName_.constData(), target_.constData()) == 0 ? 0 : errno)
            : renameWithoutReplacing(temporaryName_, target_);
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
    committed_ = true;
    syncFolder(folderOf(target_));
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

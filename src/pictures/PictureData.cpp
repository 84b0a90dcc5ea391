#include "PictureData.h"

#include "FileNames.h"
#include "PictureError.h"
#include "PictureImport.h"

#include <QFileInfo>

#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumetra::pictures {

namespace {

[[noreturn]] void changedWhileRead() {
    refuse(QStringLiteral("il file è cambiato mentre veniva letto"));
}

qint64 nanoseconds(const timespec& time) {
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileStamp stampOf(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        refuseUnreadable(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        refuse(QStringLiteral("il file non è un file regolare"));
    }
    return FileStamp{qint64(status.st_size), nanoseconds(status.st_mtim),
                     nanoseconds(status.st_ctim)};
}

// Fills `bytes` from the start of the file; a file that ends sooner has been shortened.
void readInto(int descriptor, QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got =
            ::pread(descriptor, bytes.data() + done, std::size_t(bytes.size() - done), off_t(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            refuseUnreadable(errno);
        }
        if (got == 0) {
            changedWhileRead();
        }
        done += got;
    }
}

} // namespace

PictureData PictureData::read(const QString& path) {
    // Not blocking: a pipe named like a picture is refused, not waited on.
    const int descriptor =
        ::open(runtime::nativeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        refuseUnreadable(errno);
    }
    try {
        PictureData data = read(descriptor, QFileInfo(path).fileName());
        ::close(descriptor);
        return data;
    } catch (...) {
        ::close(descriptor);
        throw;
    }
}

PictureData PictureData::read(int descriptor, const QString& fileName) {
    PictureData data;
    data.fileName_ = fileName;
    data.stamp_ = stampOf(descriptor);
    const qint64 size = data.stamp_.size;
    if (size <= 0) {
        refuse(QStringLiteral("il file è vuoto"));
    }
    if (size > MaxWorkBytes) { // its bytes are part of the decoding's work memory
        refuse(QStringLiteral("il file è troppo grande (%1 MB)").arg(size >> 20));
    }
    try {
        data.bytes_ = QByteArray(qsizetype(size), Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        refuse(QStringLiteral("memoria insufficiente per leggere il file"));
    }
    readInto(descriptor, data.bytes_);
    char beyond = 0;
    if (::pread(descriptor, &beyond, 1, off_t(size)) > 0 || stampOf(descriptor) != data.stamp_) {
        changedWhileRead(); // grown, or written over, while it was read
    }
    return data;
}

PictureData PictureData::fromBytes(QByteArray bytes, QString fileName) {
    PictureData data;
    data.bytes_ = std::move(bytes);
    data.fileName_ = std::move(fileName);
    return data;
}

QString PictureData::extension() const {
    const qsizetype dot = fileName_.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName_.mid(dot + 1).toLower();
}

} // namespace lumetra::pictures

#include "PictureData.h"

#include "PictureError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumetra::pictures {

namespace {

[[noreturn]] void unreadable(int error) {
    refuse(QStringLiteral("impossibile leggere il file: %1")
               .arg(QString::fromLocal8Bit(std::strerror(error))));
}

} // namespace

PictureData PictureData::map(const QString& path) {
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        unreadable(errno);
    }
    try {
        PictureData data = map(descriptor, QFileInfo(path).fileName());
        ::close(descriptor); // the mapping stays valid without it
        return data;
    } catch (...) {
        ::close(descriptor);
        throw;
    }
}

PictureData PictureData::map(int descriptor, const QString& fileName) {
    PictureData data;
    data.fileName_ = fileName;
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        unreadable(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        refuse(QStringLiteral("il file non è un file regolare"));
    }
    if (status.st_size <= 0) {
        refuse(QStringLiteral("il file è vuoto"));
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    void* mapped = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (mapped == MAP_FAILED) {
        unreadable(errno);
    }
    data.mapping_ = std::shared_ptr<const void>(
        mapped, [size](const void* p) { ::munmap(const_cast<void*>(p), size); });
    data.view_ = QByteArrayView(static_cast<const char*>(mapped), qsizetype(size));
    return data;
}

PictureData PictureData::fromBytes(QByteArray bytes, QString fileName) {
    PictureData data;
    data.owned_ = std::move(bytes);
    data.view_ = QByteArrayView(data.owned_);
    data.fileName_ = std::move(fileName);
    return data;
}

QString PictureData::extension() const {
    const int dot = fileName_.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : fileName_.mid(dot + 1).toLower();
}

} // namespace lumetra::pictures

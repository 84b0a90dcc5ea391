#include "PictureFile.h"

#include "EngineErrors.h"
#include "FileAccess.h"
#include "FileNames.h"
#include "PictureData.h"

#include <QFileInfo>

namespace lumetra::engine {

namespace {

QString nameOf(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    return runtime::shownName(name.isEmpty() ? path : name);
}

} // namespace

std::shared_ptr<const PictureFile> PictureFile::open(const QString& path) {
    checkReadableFile(path, QStringLiteral("Il file immagine"));
    try {
        auto source = pictures::PictureSource::open(path);
        const pictures::PictureData data = source->read();
        PictureInfo info = pictures::probePicture(data);
        return std::shared_ptr<const PictureFile>(
            new PictureFile(std::move(source), std::move(info), data.stamp()));
    } catch (const pictures::PictureError& e) {
        fail(runtime::ErrImmagineNonValida,
             QStringLiteral("Il file immagine '%1' non si può inserire: %2")
                 .arg(nameOf(path), e.Description()));
    }
}

std::shared_ptr<const pictures::ImportedPicture> PictureFile::decode(QSize target,
                                                                     QString* error) const {
    try {
        const pictures::PictureData data = source_->read();
        // Changed since it was added: still within the limits? Its damage is the new one's.
        QString damage = data.stamp() == stamp_ ? QString() : pictures::probePicture(data).damage;
        auto picture = pictures::loadPicture(data, target);
        if (!picture->damage().isEmpty()) {
            damage = picture->damage();
        }
        if (!damage.isEmpty()) {
            const std::lock_guard lock(mutex_);
            damage_ = damage;
        }
        return picture;
    } catch (const pictures::PictureError& e) {
        if (error) {
            *error = e.Description();
        }
    } catch (const std::exception&) {
        if (error) {
            *error = QStringLiteral("immagine non decodificabile");
        }
    }
    return nullptr;
}

QString PictureFile::damage() const {
    const std::lock_guard lock(mutex_);
    return damage_;
}

PictureInfo probePicture(const QString& path) {
    return PictureFile::open(path)->info();
}

std::shared_ptr<const pictures::ImportedPicture> decodePicture(const QString& path, QSize target,
                                                               QString* error) {
    try {
        return PictureFile::open(path)->decode(target, error);
    } catch (const Publisher::Error& e) {
        if (error) {
            *error = e.Description();
        }
    }
    return nullptr;
}

} // namespace lumetra::engine

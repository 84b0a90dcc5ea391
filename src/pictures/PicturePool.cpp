#include "PicturePool.h"

#include <QCryptographicHash>

namespace lumetra::pictures {

std::shared_ptr<const drawing::EmbeddedPicture> PicturePool::get(const QByteArray& data,
                                                                 const QString& mimeType) {
    const QByteArray key =
        QCryptographicHash::hash(data, QCryptographicHash::Sha1) + mimeType.toLatin1();
    std::lock_guard lock(mutex_);
    auto it = pictures_.constFind(key);
    if (it != pictures_.constEnd())
        return it.value();
    auto picture = std::make_shared<const Picture>(data, mimeType);
    pictures_.insert(key, picture);
    return picture;
}

} // namespace lumetra::pictures

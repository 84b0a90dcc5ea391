#include "PicturePool.h"

#include <QCryptographicHash>

namespace lumetra::pictures {

std::shared_ptr<const drawing::EmbeddedPicture> PicturePool::get(const QByteArray& data,
                                                                 const QString& mimeType) {
    const QByteArray key =
        QCryptographicHash::hash(data, QCryptographicHash::Sha1) + mimeType.toLatin1();
    std::lock_guard lock(m_mutex);
    auto it = m_pictures.constFind(key);
    if (it != m_pictures.constEnd())
        return it.value();
    auto picture = std::make_shared<const Picture>(data, mimeType);
    m_pictures.insert(key, picture);
    return picture;
}

} // namespace lumetra::pictures

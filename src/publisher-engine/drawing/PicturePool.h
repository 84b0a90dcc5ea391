#pragma once
// One Picture object per distinct embedded picture, shared by every page and every reading of a
// layout, so that each picture is decoded (and each metafile rasterised) once.

#include "Picture.h"

#include <QByteArray>
#include <QHash>

#include <memory>
#include <mutex>

namespace lumetra::drawing {

class PicturePool {
public:
    std::shared_ptr<const Picture> get(const QByteArray& data, const QString& mimeType);

private:
    std::mutex m_mutex;
    QHash<QByteArray, std::shared_ptr<const Picture>> m_pictures;
};

} // namespace lumetra::drawing

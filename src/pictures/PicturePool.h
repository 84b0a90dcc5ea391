#pragma once
// One Picture object per distinct embedded picture, shared by every page and every reading of a
// layout, so that each picture is decoded (and each metafile rasterised) once.

#include "Picture.h"

#include <QByteArray>
#include <QHash>

#include <memory>
#include <mutex>

namespace lumetra::pictures {

class PicturePool final : public drawing::EmbeddedPictures {
public:
    std::shared_ptr<const drawing::EmbeddedPicture> get(const QByteArray& data,
                                                        const QString& mimeType) override;

private:
    std::mutex mutex_;
    QHash<QByteArray, std::shared_ptr<const Picture>> pictures_;
};

} // namespace lumetra::pictures

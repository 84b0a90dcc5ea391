#pragma once
// The pictures a layout or a drawing embeds (PNG, JPEG, GIF, BMP, TIFF, PICT, WMF, EMF, ...),
// read by the same decoders as photos (colour managed, within the same limits) but keeping their
// transparency, since a layout lays them over its own colours. One picture per distinct content,
// shared by every page and every reading of a layout, decoded when first drawn and again only
// when drawn much larger.

#include "EmbeddedPicture.h"

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
    QHash<QByteArray, std::shared_ptr<const drawing::EmbeddedPicture>> pictures_;
};

} // namespace lumetra::pictures

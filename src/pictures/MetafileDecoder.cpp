#include "MetafileDecoder.h"

#include "MetafileConversion.h"
#include "PictureData.h"
#include "PictureError.h"
#include "PictureFormat.h"
#include "SvgPicture.h"

namespace lumetra::pictures {

namespace {

bool isEmf(const PictureData& data) {
    return detectFormat(data) == PictureFormat::Emf;
}

ConvertedMetafile converted(const PictureData& data) {
    return isEmf(data) ? convertEmf(data.bytes()) : convertWmf(data.bytes(), true);
}

PictureInfo probe(const PictureData& data) {
    // The conversion is quick and in memory: done here, and its SVG read, it tells now what
    // could not be drawn later.
    ConvertedMetafile metafile = converted(data);
    const SvgPicture drawing(std::move(metafile.svg));
    PictureInfo info{metafile.size, isEmf(data) ? "EMF" : "WMF", true};
    info.damage = metafile.damage;
    return info;
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize, Background) {
    ConvertedMetafile metafile = converted(data);
    auto picture = std::make_shared<SvgPicture>(std::move(metafile.svg));
    picture->setDamage(metafile.damage);
    return picture;
}

} // namespace

const Decoder metafileDecoder{probe, load};

} // namespace lumetra::pictures

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

PictureInfo probe(const PictureData& data) {
    if (isEmf(data)) {
        // The conversion is quick and in memory: done here, it tells a damaged file now.
        return PictureInfo{convertEmf(data.bytes()).size, "EMF", true};
    }
    return PictureInfo{convertWmf(data.bytes(), false).size, "WMF", true};
}

std::shared_ptr<const ImportedPicture> load(const PictureData& data, QSize) {
    ConvertedMetafile converted =
        isEmf(data) ? convertEmf(data.bytes()) : convertWmf(data.bytes(), true);
    return std::make_shared<SvgPicture>(std::move(converted.svg));
}

} // namespace

const Decoder metafileDecoder{probe, load};

} // namespace lumetra::pictures

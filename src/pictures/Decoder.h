#pragma once
// What every decoder of the import layer provides: a probe of the content (cheap, no pixels)
// and a load for one drawing size. Both throw PictureError; both may run on several threads.

#include "ImportedPicture.h"
#include "PictureImport.h"

#include <QSize>

#include <memory>

namespace lumetra::pictures {

class PictureData;

struct Decoder {
    PictureInfo (*probe)(const PictureData& data);
    std::shared_ptr<const ImportedPicture> (*load)(const PictureData& data, QSize devicePixels,
                                                   Background background);
};

} // namespace lumetra::pictures

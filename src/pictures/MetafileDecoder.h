#pragma once
// Windows metafiles (WMF) and enhanced metafiles (EMF), drawn as vectors.

#include "Decoder.h"

namespace lumetra::pictures {

extern const Decoder metafileDecoder;

} // namespace lumetra::pictures

#pragma once
// gzip'd pictures (.bmz, .emz, .wmz, .pcz) are decompressed in memory, within a limit, so that a
// small file that would unpack to gigabytes is refused instead.

#include "PictureData.h"

namespace lumetra::pictures {

// The inner picture, named as the file without its gzip letter ("logo.wmz" gives "logo.wmf").
// Throws PictureError when the data is damaged, cut short or would unpack beyond the limit.
PictureData gunzip(const PictureData& data);

inline constexpr qsizetype MaxUnpackedBytes = qsizetype{64} * 1024 * 1024;

} // namespace lumetra::pictures

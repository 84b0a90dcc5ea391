#pragma once
// ImageMagick, as every reader in this library uses it: started once, with the limits below, one
// picture at a time.

#include <QtGlobal>

#include <mutex>

namespace lumetra::pictures {

// ImageMagick holds a picture whole, at 16 bits a channel and four channels a pixel, and some
// readers (PICT) a second copy on the way: the pictures it reads are limited to what fits
// this much memory, and one is read at a time.
inline constexpr qint64 MagickMemory = 256ll * 1024 * 1024;
inline constexpr qint64 MagickBytesPerPixel = 16;
inline constexpr qint64 MagickPixels = MagickMemory / MagickBytesPerPixel;

// Starts ImageMagick with its limits, the first time; then does nothing.
void startMagick();
// Held while ImageMagick reads a picture.
std::mutex& magickMutex();

} // namespace lumetra::pictures

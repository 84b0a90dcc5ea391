#pragma once
// The boxes of ISO base media files, as HEIF, AVIF and the JPEG XL container are made of: each
// a 32-bit big-endian size (1: a 64-bit size follows the type; 0: to the end of the file) and
// a four-letter type.

#include <QByteArrayView>

namespace lumetra::pictures {

// Whether the file's top-level boxes end within it, as those of a whole file do: false for a
// file cut short, whose last box promises more bytes than are left.
bool boxesComplete(QByteArrayView file);

} // namespace lumetra::pictures

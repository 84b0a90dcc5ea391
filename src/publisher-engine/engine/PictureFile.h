#pragma once
// Picture files: probed when a picture is added (header only), decoded only when drawn, at the
// size it is drawn at, with its EXIF orientation applied.

#include <QImage>
#include <QSize>
#include <QString>

namespace lumetra::engine {

// Pictures above this many pixels are refused (a 150 MP picture is 600 MB decoded).
inline constexpr qint64 MaxPicturePixels = 150'000'000;

struct PictureInfo {
    QSize size;        // pixels, as shown (EXIF orientation applied)
    QByteArray format; // "jpeg", "png", ... as read from the content, whatever the name says
};

// Reads the picture's header. Throws Publisher::Error naming the file: 53 missing, 70 access
// refused, 75 not a regular file, 481 empty, not a picture, damaged header or too large.
PictureInfo probePicture(const QString& path);

// Decodes the picture for drawing into `target` device pixels: never larger than the picture
// itself nor, on either side, than the target (so a 12 MP photo drawn 800 pixels wide costs an
// 800-pixel decode). Returns a null image and sets `error` when the file cannot be decoded.
// Safe to call on several threads at once (each call has its own file, reader and decoder).
QImage decodePicture(const QString& path, QSize target, QString* error = nullptr);

} // namespace lumetra::engine

#pragma once
// Image files for tests and benchmarks: pictures of a given size and colour, EXIF-rotated JPEGs,
// and the bad files a picture folder may hold (damaged, truncated, empty, text named .jpg).
//
// Every writer creates (or overwrites) the file and returns its path; it fails the calling test
// through an exception (std::runtime_error) when the file cannot be written.

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <cstdint>

namespace lumetra::testimages {

// Top half `top`, bottom half `bottom`: shows which way a picture was turned.
QImage splitImage(QSize size, QColor top, QColor bottom);
// Smooth gradients with fine noise: decodes and compresses like a photograph.
QImage photoLikeImage(QSize size, std::uint32_t seed = 1);

// JPEG of `image`. With exifOrientation 1..8 an EXIF block carrying that Orientation tag is
// written too (the pixels are stored as given: a viewer that honours the tag turns them).
QString writeJpeg(const QString& path, const QImage& image, int quality = 90,
                  int exifOrientation = 0);
QString writeJpeg(const QString& path, QSize size, QColor colour, int quality = 90);
QString writePng(const QString& path, const QImage& image);
QString writePng(const QString& path, QSize size, QColor colour);

// The first `keepPercent` percent of a valid JPEG of the given size: a picture cut off in the
// middle of its data (the header is intact, so the size can still be read).
QString writeTruncatedJpeg(const QString& path, QSize size, QColor colour, int keepPercent = 40);
// The first `keepPercent` percent of a picture saved by Qt in `format` ("png"): cut short.
QString writeTruncated(const QString& path, const QImage& image, const char* format,
                       int keepPercent = 50);
// A valid JPEG of `size` whose header claims `claimed` pixels: its data ends far too early.
QString writeJpegClaiming(const QString& path, QSize size, QSize claimed);
// An uncompressed RGB TIFF with its directory first and one strip a row, cut to `keepPercent`
// percent: the header reads, the rows after the cut are missing.
QString writeTruncatedTiff(const QString& path, const QImage& image, int keepPercent = 50);
// A JPEG start marker followed by bytes that are no JPEG: the header cannot be read.
QString writeDamagedJpeg(const QString& path);
QString writeEmptyFile(const QString& path);
// Plain text, whatever the name says (e.g. "note.jpg").
QString writeTextFile(const QString& path, const QString& text = QStringLiteral("non un'immagine"));

// `bytes` as they are; the bytes of a file (empty when it cannot be read); `bytes` packed by gzip.
QString writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);
QByteArray gzip(const QByteArray& bytes);

} // namespace lumetra::testimages

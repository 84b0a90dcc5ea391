#include "TestImages.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>

#include <random>
#include <stdexcept>

#include <zlib.h>

namespace lumetra::testimages {

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QByteArray encode(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        throw std::runtime_error("cannot encode image: " + writer.errorString().toStdString());
    }
    return bytes;
}

void putU16le(QByteArray& out, int value) {
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void putU32le(QByteArray& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.append(char((value >> (8 * i)) & 0xFF));
    }
}

void putU32be(QByteArray& out, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) {
        out.append(char((value >> (8 * i)) & 0xFF));
    }
}

// APP1 segment with a one-entry EXIF IFD: Orientation (0x0112, SHORT).
QByteArray exifSegment(int orientation) {
    QByteArray tiff("II*\0", 4);
    putU32le(tiff, 8); // offset of IFD0
    putU16le(tiff, 1); // one entry
    putU16le(tiff, 0x0112);
    putU16le(tiff, 3); // SHORT
    putU32le(tiff, 1); // count
    putU16le(tiff, orientation);
    putU16le(tiff, 0); // padding of the value field
    putU32le(tiff, 0); // no next IFD
    QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xFF\xE1", 2);
    const int length = payload.size() + 2;
    segment.append(char((length >> 8) & 0xFF));
    segment.append(char(length & 0xFF));
    return segment + payload;
}

QByteArray pngChunk(const char* type, const QByteArray& data) {
    QByteArray out;
    putU32be(out, std::uint32_t(data.size()));
    const QByteArray typed = QByteArray(type, 4) + data;
    out.append(typed);
    putU32be(out, std::uint32_t(::crc32(0, reinterpret_cast<const Bytef*>(typed.constData()),
                                        uInt(typed.size()))));
    return out;
}

} // namespace

QImage solidImage(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage splitImage(QSize size, QColor top, QColor bottom) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(top);
    QPainter painter(&image);
    painter.fillRect(QRect(0, size.height() / 2, size.width(), size.height() - size.height() / 2),
                     bottom);
    return image;
}

QImage photoLikeImage(QSize size, std::uint32_t seed) {
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> noise(-12, 12);
    const int w = std::max(1, size.width());
    const int h = std::max(1, size.height());
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const int r = std::clamp(40 + 180 * x / w + noise(random), 0, 255);
            const int g = std::clamp(60 + 150 * y / h + noise(random), 0, 255);
            const int b = std::clamp(200 - 120 * (x + y) / (w + h) + noise(random), 0, 255);
            line[x] = qRgb(r, g, b);
        }
    }
    return image;
}

QString writeJpeg(const QString& path, const QImage& image, int quality, int exifOrientation) {
    QByteArray bytes = encode(image, "jpeg", quality);
    if (exifOrientation >= 1 && exifOrientation <= 8) {
        bytes.insert(2, exifSegment(exifOrientation)); // right after the start marker
    }
    writeBytes(path, bytes);
    return path;
}

QString writeJpeg(const QString& path, QSize size, QColor colour, int quality) {
    return writeJpeg(path, solidImage(size, colour), quality);
}

QString writePng(const QString& path, const QImage& image) {
    writeBytes(path, encode(image, "png", -1));
    return path;
}

QString writePng(const QString& path, QSize size, QColor colour) {
    return writePng(path, solidImage(size, colour));
}

QString writeTruncatedJpeg(const QString& path, QSize size, QColor colour, int keepPercent) {
    // Noise keeps the entropy-coded data long, so the cut falls well inside it.
    QImage image = photoLikeImage(size, 7);
    QPainter(&image).fillRect(QRect(QPoint(0, 0), size / 2), colour);
    const QByteArray bytes = encode(image, "jpeg", 90);
    writeBytes(path, bytes.left(std::max<qsizetype>(700, bytes.size() * keepPercent / 100)));
    return path;
}

QString writeDamagedJpeg(const QString& path) {
    QByteArray bytes("\xFF\xD8\xFF\xE0", 4);
    for (int i = 0; i < 2000; ++i) {
        bytes.append(char((i * 37 + 11) & 0xFF));
    }
    writeBytes(path, bytes);
    return path;
}

QString writeEmptyFile(const QString& path) {
    writeBytes(path, QByteArray());
    return path;
}

QString writeTextFile(const QString& path, const QString& text) {
    writeBytes(path, text.toUtf8());
    return path;
}

QString writeHugePngHeader(const QString& path, int width, int height) {
    QByteArray bytes("\x89PNG\r\n\x1A\n", 8);
    QByteArray ihdr;
    putU32be(ihdr, std::uint32_t(width));
    putU32be(ihdr, std::uint32_t(height));
    ihdr.append(char(8)); // bit depth
    ihdr.append(char(2)); // RGB
    ihdr.append(char(0));
    ihdr.append(char(0));
    ihdr.append(char(0));
    bytes += pngChunk("IHDR", ihdr);
    bytes += pngChunk("IDAT", QByteArray("\x78\x9C\x01\x00\x00", 5)); // cut-short zlib data
    bytes += pngChunk("IEND", QByteArray());
    writeBytes(path, bytes);
    return path;
}

} // namespace lumetra::testimages

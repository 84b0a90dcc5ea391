#include "TestImages.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

#include <random>
#include <stdexcept>

#include <zlib.h>

namespace lumetra::testimages {

namespace {

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

// APP1 segment with a one-entry EXIF IFD: Orientation (tag 0x0112, SHORT, one value), no next IFD.
QByteArray exifSegment(int orientation) {
    const QByteArray payload =
        QByteArray("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0", 24) +
        char(orientation) + QByteArray(7, '\0');
    const int length = payload.size() + 2;
    return QByteArray("\xFF\xE1", 2) + char(length >> 8) + char(length & 0xFF) + payload;
}

QImage solidImage(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

QString writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
    return path;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray gzip(const QByteArray& bytes) {
    QByteArray out(qsizetype(compressBound(uLong(bytes.size()))) + 32, '\0');
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY); // gzip header
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    z.avail_in = uInt(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
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
    return writeBytes(path, bytes);
}

QString writeJpeg(const QString& path, QSize size, QColor colour, int quality) {
    return writeJpeg(path, solidImage(size, colour), quality);
}

QString writePng(const QString& path, const QImage& image) {
    return writeBytes(path, encode(image, "png", -1));
}

QString writePng(const QString& path, QSize size, QColor colour) {
    return writePng(path, solidImage(size, colour));
}

QString writeTruncatedJpeg(const QString& path, QSize size, QColor colour, int keepPercent) {
    // Noise keeps the entropy-coded data long, so the cut falls well inside it.
    QImage image = photoLikeImage(size, 7);
    QPainter(&image).fillRect(QRect(QPoint(0, 0), size / 2), colour);
    return writeTruncated(path, image, "jpeg", keepPercent);
}

QString writeTruncated(const QString& path, const QImage& image, const char* format,
                       int keepPercent) {
    const QByteArray bytes = encode(image, format, 90);
    return writeBytes(path, bytes.left(bytes.size() * keepPercent / 100));
}

QString writeJpegClaiming(const QString& path, QSize size, QSize claimed) {
    QByteArray bytes = encode(photoLikeImage(size, 3), "jpeg", 90);
    const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (frame >= 0) { // SOF0: length (2), precision (1), height (2), width (2)
        qToBigEndian(quint16(claimed.height()), bytes.data() + frame + 5);
        qToBigEndian(quint16(claimed.width()), bytes.data() + frame + 7);
    }
    return writeBytes(path, bytes);
}

QString writeTruncatedTiff(const QString& path, const QImage& image, int keepPercent) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const quint32 w = quint32(rgb.width()), h = quint32(rgb.height());
    QByteArray out;
    const auto u16 = [&](quint32 v) { out.append(char(v & 0xFF)).append(char(v >> 8)); };
    const auto u32 = [&](quint32 v) { u16(v & 0xFFFF), u16(v >> 16); };
    // Header, then the directory: 9 entries, then the strip offsets and sizes, then the rows.
    out.append("II*\0", 4);
    u32(8);
    const quint32 entries = 9, directoryEnd = 8 + 2 + entries * 12 + 4;
    const quint32 offsets = directoryEnd + 8, counts = offsets + 4 * h, data = counts + 4 * h;
    u16(entries);
    const auto entry = [&](quint32 tag, quint32 type, quint32 count, quint32 value) {
        u16(tag), u16(type), u32(count), u32(value);
    };
    entry(256, 4, 1, w);            // width
    entry(257, 4, 1, h);            // height
    entry(258, 3, 3, directoryEnd); // 8 bits a sample (the three values below)
    entry(259, 3, 1, 1);            // no compression
    entry(262, 3, 1, 2);            // RGB
    entry(273, 4, h, offsets);      // strip offsets
    entry(277, 3, 1, 3);            // samples a pixel
    entry(278, 4, 1, 1);            // a row a strip
    entry(279, 4, h, counts);       // strip sizes
    u32(0);
    u16(8), u16(8), u16(8), u16(0);
    for (quint32 y = 0; y < 2 * h; ++y) {
        u32(y < h ? data + y * w * 3 : w * 3); // the strip offsets, then the strip sizes
    }
    for (int y = 0; y < rgb.height(); ++y) {
        out.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), qsizetype(w) * 3);
    }
    return writeBytes(path, out.left(out.size() * keepPercent / 100));
}

QString writeDamagedJpeg(const QString& path) {
    QByteArray bytes("\xFF\xD8\xFF\xE0", 4);
    for (int i = 0; i < 2000; ++i) {
        bytes.append(char((i * 37 + 11) & 0xFF));
    }
    return writeBytes(path, bytes);
}

QString writeEmptyFile(const QString& path) {
    return writeBytes(path, QByteArray());
}

QString writeTextFile(const QString& path, const QString& text) {
    return writeBytes(path, text.toUtf8());
}

} // namespace lumetra::testimages

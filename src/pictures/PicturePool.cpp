#include "PicturePool.h"

#include "PictureData.h"
#include "PictureImport.h"

#include <QCryptographicHash>
#include <QPainter>

#include <algorithm>
#include <optional>

namespace lumetra::pictures {

namespace {

// Drawings are turned into pixels no larger than this on either side.
constexpr int MaxDrawingSide = 4000;

// A DIB ("image/bmp") arrives without its 14-byte file header; add it so readers accept it.
QByteArray withBitmapFileHeader(const QByteArray& dib) {
    if (dib.startsWith("BM") || dib.size() < 40) {
        return dib;
    }
    auto u32 = [&](int at) {
        return quint32(quint8(dib[at])) | quint32(quint8(dib[at + 1])) << 8 |
               quint32(quint8(dib[at + 2])) << 16 | quint32(quint8(dib[at + 3])) << 24;
    };
    const quint32 headerSize = u32(0);
    const quint16 bitCount = quint16(quint8(dib[14]) | quint8(dib[15]) << 8);
    quint32 colours = dib.size() >= 36 ? u32(32) : 0;
    if (colours == 0 && bitCount <= 8) {
        colours = 1u << bitCount;
    }
    const quint32 offset = 14 + headerSize + colours * 4;
    const quint32 total = 14 + quint32(dib.size());
    QByteArray out("BM");
    for (quint32 v : {total, 0u, offset}) {
        for (int i = 0; i < 4; ++i) {
            out.append(char((v >> (8 * i)) & 0xFF));
        }
    }
    return out + dib;
}

class EmbeddedFile final : public drawing::EmbeddedPicture {
public:
    explicit EmbeddedFile(PictureData data) : data_(std::move(data)) {}

    // The picture decoded for a box of about `devicePixels` (a raster picture never beyond its
    // own size), kept while requests no larger come, and reduced when more than twice too large
    // (Qt samples without filtering when it shrinks a lot while drawing).
    QImage imageFor(QSize devicePixels) const override {
        std::lock_guard lock(mutex_);
        if (failed_) {
            return {};
        }
        const std::optional<QSize> wanted = wantedFor(devicePixels);
        if (!wanted) {
            return {};
        }
        const bool enough = !image_.isNull() && image_.width() * 5 >= wanted->width() * 4 &&
                            image_.height() * 5 >= wanted->height() * 4;
        if (!enough) {
            QImage image = decoded(*wanted);
            if (image.isNull()) {
                failed_ = image_.isNull();
                return reducedFor(devicePixels);
            }
            image_ = std::move(image);
            reduced_ = QImage();
        }
        return reducedFor(devicePixels);
    }

    bool draw(QPainter& painter, const QRectF& box) const override {
        std::shared_ptr<const ImportedPicture> drawing;
        {
            std::lock_guard lock(mutex_);
            // wantedFor probes the picture the first time.
            if (failed_ || !wantedFor(box.size().toSize()) || !info_->vector) {
                return false;
            }
            if (!drawing_) {
                try {
                    drawing_ = loadPicture(data_, info_->size, Background::Transparent);
                } catch (const std::exception&) { // refused, or no memory left for it
                    failed_ = true;
                    return false;
                }
            }
            drawing = drawing_;
        }
        if (!drawing->image().isNull()) {
            return false; // drawn into pixels by its reader (EPS through Ghostscript)
        }
        drawing->draw(painter, box);
        return true;
    }

private:
    PictureData data_;
    mutable std::mutex mutex_;
    mutable std::optional<PictureInfo> info_;
    mutable QImage image_;
    mutable QImage reduced_; // the last reduction of image_
    mutable bool failed_ = false;
    mutable std::shared_ptr<const ImportedPicture> drawing_; // a drawing, loaded once

    std::optional<QSize> wantedFor(QSize devicePixels) const {
        if (!info_) {
            try {
                info_ = probePicture(data_);
            } catch (const PictureError&) {
                failed_ = true;
                return std::nullopt;
            }
        }
        if (info_->vector) {
            return QSize(std::clamp(devicePixels.width(), 16, MaxDrawingSide),
                         std::clamp(devicePixels.height(), 16, MaxDrawingSide));
        }
        return devicePixels.boundedTo(info_->size).expandedTo(QSize(1, 1));
    }

    // A raster picture at `size`, or a drawing drawn into transparent pixels of that size.
    QImage decoded(QSize size) const {
        try {
            const auto picture = loadPicture(data_, size, Background::Transparent);
            QImage image = picture->image();
            if (!image.isNull()) {
                return image;
            }
            image = QImage(size, QImage::Format_ARGB32_Premultiplied);
            if (image.isNull()) {
                return image;
            }
            image.fill(Qt::transparent);
            QPainter painter(&image);
            picture->draw(painter, QRectF(QPointF(0, 0), QSizeF(size)));
            return image;
        } catch (const std::exception&) { // refused, or no memory left for it
            return {};
        }
    }

    QImage reducedFor(QSize devicePixels) const {
        if (image_.isNull() || devicePixels.isEmpty() ||
            image_.width() <= 2 * devicePixels.width() ||
            image_.height() <= 2 * devicePixels.height()) {
            return image_;
        }
        if (reduced_.size() != devicePixels) {
            reduced_ = image_.scaled(devicePixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        return reduced_;
    }
};

// The data as a file of its format: a DIB given its file header, and a name whose extension
// hints the format of content without a signature of its own.
PictureData asFile(const QByteArray& data, const QString& mimeType) {
    const QString subtype = mimeType.section(QLatin1Char('/'), 1).toLower();
    const QByteArray bytes = subtype == QLatin1String("bmp") ? withBitmapFileHeader(data) : data;
    return PictureData::fromBytes(bytes, QStringLiteral("immagine.") + subtype);
}

} // namespace

std::shared_ptr<const drawing::EmbeddedPicture> PicturePool::get(const QByteArray& data,
                                                                 const QString& mimeType) {
    const QByteArray key =
        QCryptographicHash::hash(data, QCryptographicHash::Sha1) + mimeType.toLatin1();
    std::lock_guard lock(mutex_);
    auto it = pictures_.constFind(key);
    if (it != pictures_.constEnd()) {
        return it.value();
    }
    auto picture = std::make_shared<const EmbeddedFile>(asFile(data, mimeType));
    pictures_.insert(key, picture);
    return picture;
}

} // namespace lumetra::pictures

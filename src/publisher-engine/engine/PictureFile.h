#pragma once
// Picture files in the engine: probed when a picture is added (cheap: the header, and a quick
// look for damage), kept open from then on so that the picture prints even when its file is
// deleted or renamed before the output, and decoded only when drawn, at the size drawn,
// through the picture import. Only the descriptor is kept: the bytes are read again for each
// decoding, and a file changed since it was added is probed again before it is decoded.

#include "PictureImport.h"
#include "PictureSource.h"

#include <QSize>
#include <QString>

#include <memory>
#include <mutex>

namespace lumetra::engine {

using pictures::PictureInfo;

class PictureFile {
public:
    // Opens and probes `path`. Throws Publisher::Error naming the file: 53 missing, 70 access
    // refused, 75 not a regular file, 481 empty, not a picture, of which nothing can be
    // decoded, too large or of a format that cannot be read here.
    static std::shared_ptr<const PictureFile> open(const QString& path);

    const QString& path() const { return source_->path(); }
    const PictureInfo& info() const { return info_; }
    // Peak memory of decoding the picture for `target` device pixels, in bytes.
    qint64 decodingBytes(QSize target) const { return pictures::decodingBytes(info_, target); }

    // The picture for drawing into `target` device pixels. Null, with `error` set to an
    // Italian description, when the file cannot be decoded. Damage found on the way is kept
    // (damage()). Safe on several threads at once.
    std::shared_ptr<const pictures::ImportedPicture> decode(QSize target,
                                                            QString* error = nullptr) const;

    // Empty, or what is wrong with a file that could still be drawn: found when it was added,
    // or when it was decoded for drawing.
    QString damage() const;

private:
    PictureFile(std::shared_ptr<const pictures::PictureSource> source, PictureInfo info,
                pictures::FileStamp stamp)
        : source_(std::move(source)), info_(std::move(info)), stamp_(stamp), damage_(info_.damage) {
    }

    std::shared_ptr<const pictures::PictureSource> source_;
    PictureInfo info_;
    pictures::FileStamp stamp_; // the file as it was probed
    mutable std::mutex mutex_;
    mutable QString damage_;
};

// The same, for a file given by its path.
PictureInfo probePicture(const QString& path);
std::shared_ptr<const pictures::ImportedPicture> decodePicture(const QString& path, QSize target,
                                                               QString* error = nullptr);

} // namespace lumetra::engine

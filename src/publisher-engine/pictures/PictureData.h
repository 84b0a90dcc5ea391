#pragma once
// The bytes of a picture file, mapped into memory rather than read (a large file costs address
// space, not memory), or held when they were decompressed from a gzip'd file.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

namespace lumetra::pictures {

class PictureData {
public:
    // Maps the file; throws PictureError when it cannot be read or is empty.
    static PictureData map(const QString& path);
    // Maps the file open on `descriptor` (which stays open and owned by the caller).
    static PictureData map(int descriptor, const QString& fileName);
    static PictureData fromBytes(QByteArray bytes, QString fileName);

    QByteArrayView bytes() const { return view_; }
    // The file name (without folder), for messages and as a hint for formats without a
    // signature of their own.
    const QString& fileName() const { return fileName_; }
    // The extension in lower case, without the dot ("tif"), of the name or, for a gzip'd
    // file, of the inner name ("wmf" for "logo.wmz").
    QString extension() const;

private:
    PictureData() = default;
    std::shared_ptr<const void> mapping_;
    QByteArray owned_;
    QByteArrayView view_;
    QString fileName_;
};

} // namespace lumetra::pictures

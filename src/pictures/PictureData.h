#pragma once
// The bytes of a picture file, read whole, or held when they were decompressed from a gzip'd
// file. Files are read, never mapped: a mapped file shortened by another program while it is
// decoded would kill the program.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace lumetra::pictures {

// What a file looked like when it was read, to tell whether it has changed since.
struct FileStamp {
    qint64 size = 0;
    qint64 modified = 0; // nanoseconds
    qint64 changed = 0;  // nanoseconds, of the last change of its contents or attributes
    bool operator==(const FileStamp&) const = default;
};

class PictureData {
public:
    // Reads the file. Throws PictureError, without the file's name, when it cannot be read, is
    // no regular file, is empty, is larger than a picture may be, or changes while it is read.
    static PictureData read(const QString& path);
    // Reads the file open on `descriptor` (which stays open and owned by the caller).
    static PictureData read(int descriptor, const QString& fileName);
    static PictureData fromBytes(QByteArray bytes, QString fileName);

    QByteArrayView bytes() const { return bytes_; }
    // The file name (without folder), for messages and as a hint for formats without a
    // signature of their own.
    const QString& fileName() const { return fileName_; }
    // The extension in lower case, without the dot ("tif"), of the name or, for a gzip'd
    // file, of the inner name ("wmf" for "logo.wmz").
    QString extension() const;
    // The file as it was read (zero for bytes given).
    const FileStamp& stamp() const { return stamp_; }

private:
    PictureData() = default;
    QByteArray bytes_;
    QString fileName_;
    FileStamp stamp_;
};

} // namespace lumetra::pictures

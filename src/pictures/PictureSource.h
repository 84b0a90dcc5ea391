#pragma once
// A picture file kept readable from the moment it is placed: its descriptor stays open, so the
// picture still prints when the file is deleted, renamed or replaced before the output. The
// descriptors a process may hold are limited: the limit is raised once to what the system
// allows, a reserve is left for everything else, and beyond that a picture is read again by
// its path when drawn.

#include "PictureData.h"

#include <QString>

#include <memory>

namespace lumetra::pictures {

class PictureSource {
public:
    // Opens `path` for reading; throws PictureError when it cannot be opened.
    static std::shared_ptr<const PictureSource> open(const QString& path);
    ~PictureSource();
    PictureSource(const PictureSource&) = delete;
    PictureSource& operator=(const PictureSource&) = delete;

    const QString& path() const { return path_; }
    // True while the file is held open (it no longer depends on the path).
    bool held() const { return descriptor_ >= 0; }
    // The file's bytes, read from the held descriptor, or by path. Throws PictureError.
    PictureData read() const;

private:
    PictureSource(QString path, int descriptor) : path_(std::move(path)), descriptor_(descriptor) {}
    QString path_;
    int descriptor_ = -1;
};

} // namespace lumetra::pictures

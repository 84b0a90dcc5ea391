#pragma once
// Picture files in the engine's errors: probed when a picture is added (cheap: the header),
// decoded only when drawn, at the size drawn, through the picture import.

#include "PictureImport.h"

#include <QSize>
#include <QString>

#include <memory>

namespace lumetra::engine {

using pictures::PictureInfo;

// Throws Publisher::Error naming the file: 53 missing, 70 access refused, 75 not a regular
// file, 481 empty, not a picture, damaged, too large or of a format that cannot be read here.
PictureInfo probePicture(const QString& path);

// The picture for drawing into `target` device pixels. Null, with `error` set to an Italian
// description, when the file cannot be decoded. Safe on several threads at once.
std::shared_ptr<const pictures::ImportedPicture> decodePicture(const QString& path, QSize target,
                                                               QString* error = nullptr);

} // namespace lumetra::engine

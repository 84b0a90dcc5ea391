#pragma once
// Runs libmspub on a layout held in memory, with the layout reader's stream patches applied and
// the metadata streams hidden, and sums up per page what the drawing layer records of it.

#include "StreamPatch.h"

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

#include <optional>
#include <vector>

namespace lumetra::pubtest {

struct DrawnPage {
    QSizeF size;                         // page size in points
    std::vector<QRectF> boxes;           // bounding boxes of the shapes drawn, in points
    std::vector<QByteArray> pictureData; // images of bitmap-filled shapes, as given
    QStringList paragraphs;              // text, one entry per paragraph
};

// The pages libmspub emits, or nothing when it refuses the file.
std::optional<std::vector<DrawnPage>>
drawWithLibmspub(const QByteArray& file,
                 const std::vector<lumetra::pub::StreamPatch>& patches = {});

} // namespace lumetra::pubtest

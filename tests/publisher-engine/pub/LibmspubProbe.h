#pragma once
// Runs libmspub on a layout held in memory, with the layout reader's stream patches applied and
// the metadata streams hidden, and records what it draws per page.

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
    std::vector<QRectF> polygons;        // bounding boxes of drawPolygon calls, in points
    int paths = 0;                       // drawPath calls
    std::vector<QByteArray> pictureData; // images of bitmap-filled polygons, as given
    QStringList paragraphs;              // text, one entry per paragraph
};

// The pages libmspub emits, or nothing when it refuses the file.
std::optional<std::vector<DrawnPage>>
drawWithLibmspub(const QByteArray& file,
                 const std::vector<lumetra::pub::StreamPatch>& patches = {});

} // namespace lumetra::pubtest

#pragma once
// The one routine that paints a composed page, for printing, the preview, PDF files and tests:
// white paper, the layout content without the shapes deleted from the page, then the page's
// pictures and text boxes in collection order.

#include <QRectF>
#include <QStringList>

class QPainter;

namespace lumetra::engine {

class EngineDocument;

struct PaintOptions {
    // Pictures are decoded at the resolution they are drawn at, but never above this many dots
    // per inch (a 1200 dpi printer gets 300 dpi photos).
    double maxPictureDpi = 300.0;
};

// Paints page `pageIndex` (0-based) into `target`, a rectangle in the painter's current
// coordinates (the page is scaled into it). Pictures that cannot be read are drawn as empty
// boxes and their files added to `unreadable` (when given).
void paintPage(QPainter& painter, const EngineDocument& document, int pageIndex,
               const QRectF& target, QStringList* unreadable = nullptr,
               const PaintOptions& options = {});

} // namespace lumetra::engine

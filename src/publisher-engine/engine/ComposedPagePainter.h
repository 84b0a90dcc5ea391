#pragma once
// The one routine that paints a composed page, for printing, the preview, PDF files and tests:
// white paper, the layout content without the shapes deleted from the page, then the page's
// pictures and text boxes in collection order.

#include <QRectF>
#include <QStringList>

#include <functional>

class QPainter;

namespace lumetra::engine {

class EngineDocument;

struct PaintOptions {
    // Pictures are decoded at the resolution they are drawn at, but never above this many dots
    // per inch (a 1200 dpi printer gets 300 dpi photos).
    double maxPictureDpi = 300.0;
    // Threads decoding pictures ahead of the painter (0: one per core, at most
    // MaxDecodingThreads). No more pictures than the fullest page holds, and no more than the
    // decoding budget of memory, are kept decoded at any time.
    int decodingThreads = 0;
};

// Paints page `pageIndex` (0-based) into `target`, a rectangle in the painter's current
// coordinates (the page is scaled into it). Pictures that cannot be read are drawn as empty
// boxes and their files added to `unreadable` (when given).
void paintPage(QPainter& painter, const EngineDocument& document, int pageIndex,
               const QRectF& target, QStringList* unreadable = nullptr,
               const PaintOptions& options = {});

// Paints pages `first`..`last` one after the other into `target`, as paintPage does, calling
// `nextPage` between two pages (to start a new sheet). The pictures of the following pages are
// decoded while the current one is painted.
void paintPages(QPainter& painter, const EngineDocument& document, int first, int last,
                const QRectF& target, const std::function<void()>& nextPage,
                QStringList* unreadable = nullptr, const PaintOptions& options = {});

} // namespace lumetra::engine

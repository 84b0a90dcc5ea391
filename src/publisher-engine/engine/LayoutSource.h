#pragma once
// What the engine needs of a layout: its page size, its pages with their shapes, and a way to
// draw a page's own content with some of its shapes left out.
//
// The engine reads layouts through a LayoutLoader; the real one reads .pub files (PubLayout.h),
// tests build layouts in memory (tests/support/memory-layout).

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace lumetra::engine {

// One shape of a layout page, as the object model reports it (points, from the page's top left).
struct LayoutShape {
    int type = 1;          // Publisher::msoAutoShape, ...
    int autoShapeType = 1; // Publisher::msoShapeRectangle, ... (-2 when the shape is no auto shape)
    QRectF box;
};

class LayoutSource {
public:
    virtual ~LayoutSource() = default;

    // Page size in points (one size for the whole layout).
    virtual QSizeF pageSize() const = 0;
    virtual int pageCount() const = 0;
    // The shapes of a page (0-based), in collection order.
    virtual const std::vector<LayoutShape>& shapes(int pageIndex) const = 0;
    // Draws the layout content of a page into `target` (the whole page scaled into it), leaving
    // out the shapes whose indices (0-based, into shapes(pageIndex)) are listed in `hidden`.
    // Never throws: what cannot be drawn is left out.
    virtual void draw(QPainter& painter, int pageIndex, const std::vector<int>& hidden,
                      const QRectF& target) const = 0;
};

// Reads the layout at a path; throws Publisher::Error (70 access refused, other numbers for a
// missing, damaged or unsupported layout). Never writes or locks the file.
using LayoutLoader = std::function<std::shared_ptr<const LayoutSource>(const QString& path)>;

} // namespace lumetra::engine

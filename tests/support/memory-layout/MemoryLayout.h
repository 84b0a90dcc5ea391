#pragma once
// A layout built in memory, for tests and benchmarks: pages of shapes drawn as plain outlines
// (rectangles and rounded rectangles as rectangles, ovals as ellipses), in a colour per shape.

#include "LayoutSource.h"

#include <QColor>

namespace lumetra::engine {

class MemoryLayout final : public LayoutSource {
public:
    explicit MemoryLayout(QSizeF pageSize) : pageSize_(pageSize) {}

    // Adds a page and returns its index.
    int addPage();
    // Adds a shape to a page (drawn as a filled shape of `colour` with a black outline).
    void addShape(int pageIndex, const LayoutShape& shape, QColor colour = QColor(230, 230, 230));
    // Adds a rectangle (a picture slot) in points.
    void addRectangle(int pageIndex, QRectF box, QColor colour = QColor(230, 230, 230));

    QSizeF pageSize() const override { return pageSize_; }
    int pageCount() const override { return static_cast<int>(pages_.size()); }
    const std::vector<LayoutShape>& shapes(int pageIndex) const override;
    void draw(QPainter& painter, int pageIndex, const std::vector<int>& hidden,
              const QRectF& target) const override;

private:
    struct Page {
        std::vector<LayoutShape> shapes;
        std::vector<QColor> colours;
    };
    QSizeF pageSize_;
    std::vector<Page> pages_;
};

// A loader that hands out `layout` for every path that exists, and otherwise fails as the real
// loader does for a missing file.
LayoutLoader memoryLayoutLoader(std::shared_ptr<const LayoutSource> layout);

} // namespace lumetra::engine

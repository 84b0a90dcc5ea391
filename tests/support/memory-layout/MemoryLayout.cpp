#include "MemoryLayout.h"

#include "EngineErrors.h"
#include "PublisherApi.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>

namespace lumetra::engine {

int MemoryLayout::addPage() {
    pages_.emplace_back();
    return pageCount() - 1;
}

void MemoryLayout::addShape(int pageIndex, const LayoutShape& shape, QColor colour) {
    auto& page = pages_.at(static_cast<std::size_t>(pageIndex));
    page.shapes.push_back(shape);
    page.colours.push_back(colour);
}

void MemoryLayout::addRectangle(int pageIndex, QRectF box, QColor colour) {
    addShape(pageIndex, LayoutShape{Publisher::msoAutoShape, Publisher::msoShapeRectangle, box},
             colour);
}

const std::vector<LayoutShape>& MemoryLayout::shapes(int pageIndex) const {
    return pages_.at(static_cast<std::size_t>(pageIndex)).shapes;
}

void MemoryLayout::draw(QPainter& painter, int pageIndex, const std::vector<int>& hidden,
                        const QRectF& target) const {
    if (pageIndex < 0 || pageIndex >= pageCount() || pageSize_.isEmpty()) {
        return;
    }
    const Page& page = pages_[static_cast<std::size_t>(pageIndex)];
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / pageSize_.width(), target.height() / pageSize_.height());
    for (std::size_t i = 0; i < page.shapes.size(); ++i) {
        if (std::find(hidden.begin(), hidden.end(), static_cast<int>(i)) != hidden.end()) {
            continue;
        }
        const LayoutShape& shape = page.shapes[i];
        painter.setPen(QPen(Qt::black, 0.75));
        painter.setBrush(page.colours[i]);
        if (shape.autoShapeType == Publisher::msoShapeOval) {
            painter.drawEllipse(shape.box);
        } else {
            painter.drawRect(shape.box);
        }
    }
    painter.restore();
}

LayoutLoader memoryLayoutLoader(std::shared_ptr<const LayoutSource> layout) {
    return [layout](const QString& path) -> std::shared_ptr<const LayoutSource> {
        if (!QFileInfo::exists(path)) {
            fail(runtime::ErrFileNonTrovato,
                 QStringLiteral("Il file di layout '%1' non esiste").arg(path));
        }
        return layout;
    };
}

} // namespace lumetra::engine

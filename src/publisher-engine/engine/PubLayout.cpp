#include "PubLayout.h"

#include "EngineApplication.h"
#include "EngineErrors.h"

#include "Layout.h"
#include "LayoutPageDrawer.h"

#include <QPainter>

#include <mutex>
#include <set>

namespace lumetra::engine {

namespace {

class PubLayout final : public LayoutSource {
public:
    // The reader's errors are the engine's (53, 70, 75, 321) and pass through unchanged.
    explicit PubLayout(const QString& path) : PubLayout(lumetra::pub::readLayoutFile(path)) {}

    explicit PubLayout(QByteArray bytes)
        : layout_(lumetra::pub::Layout::readBytes(
              reinterpret_cast<const std::uint8_t*>(bytes.constData()),
              static_cast<std::size_t>(bytes.size()))) {
        const auto& pages = layout_.pages();
        for (const auto& page : pages) {
            std::vector<LayoutShape> shapes;
            shapes.reserve(page.shapes.size());
            for (const auto& shape : page.shapes) {
                shapes.push_back(
                    LayoutShape{shape.type, shape.autoShapeType,
                                QRectF(shape.left, shape.top, shape.width, shape.height)});
            }
            shapes_.push_back(std::move(shapes));
        }
        renderer_ = lumetra::drawing::LayoutPageDrawer::fromBytes(std::move(bytes), layout_);
    }

    QSizeF pageSize() const override { return {layout_.pageWidth(), layout_.pageHeight()}; }
    int pageCount() const override { return static_cast<int>(shapes_.size()); }
    const std::vector<LayoutShape>& shapes(int pageIndex) const override {
        return shapes_.at(static_cast<std::size_t>(pageIndex));
    }

    void draw(QPainter& painter, int pageIndex, const std::vector<int>& hidden,
              const QRectF& target) const override {
        if (pageIndex < 0 || pageIndex >= pageCount()) {
            return;
        }
        const std::lock_guard lock(mutex_);
        renderer_->drawPage(painter, pageIndex, target,
                            std::set<int>(hidden.begin(), hidden.end()));
    }

private:
    lumetra::pub::Layout layout_;
    std::vector<std::vector<LayoutShape>> shapes_;
    mutable std::mutex mutex_;
    std::unique_ptr<lumetra::drawing::LayoutPageDrawer> renderer_;
};

} // namespace

std::shared_ptr<const LayoutSource> readPubLayout(const QString& path) {
    return std::make_shared<PubLayout>(path);
}

LayoutLoader pubLayoutLoader() {
    return &readPubLayout;
}

} // namespace lumetra::engine

// libFuzzer target of the page drawer: the input is a whole layout file, read as the engine
// reads it (the layout reader, then libmspub through the compound-file wrapper) and every page
// painted by the drawer into a small image, once whole and once with some of its shapes
// hidden (the patched streams the composition uses). Every input must end in pages drawn or
// one of the drawer's Italian errors: no crash, hang or runaway memory.

#include "Layout.h"
#include "LayoutPageDrawer.h"
#include "OffscreenGui.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>

namespace {

// A few pages are enough to reach every drawing path; more only repeat them.
constexpr int MaxPages = 3;
constexpr int kImageSide = 48;

void drawInto(QImage& image, lumetra::drawing::LayoutPageDrawer& renderer, int page,
              const std::set<int>& hidden) {
    image.fill(Qt::white);
    QPainter painter(&image);
    (void)renderer.drawPage(painter, page, QRectF(0, 0, kImageSide, kImageSide), hidden);
    painter.end();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    startOffscreenGui(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumetra::pub;
    using namespace lumetra::drawing;
    std::unique_ptr<LayoutPageDrawer> renderer;
    try {
        renderer = LayoutPageDrawer::fromBytes(
            QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
            Layout::readBytes(data, size));
    } catch (const lumetra::runtime::Error&) {
        return 0;
    }
    const Layout& layout = renderer->layout();
    QImage image(kImageSide, kImageSide, QImage::Format_ARGB32_Premultiplied);
    const int pages = std::min(renderer->pageCount(), MaxPages);
    for (int p = 0; p < pages; ++p) {
        drawInto(image, *renderer, p, {});
        // Every other shape hidden (which ones, told by the input's last byte).
        std::set<int> hidden;
        const int shapes = int(layout.pages()[std::size_t(p)].shapes.size());
        for (int s = data[size - 1] % 2; s < shapes; s += 2)
            hidden.insert(s);
        if (!hidden.empty())
            drawInto(image, *renderer, p, hidden);
    }
    (void)renderer->renderPage(0, 4.0);
    return 0;
}

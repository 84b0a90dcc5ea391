#include "EngineTestSupport.h"

#include "ComposedPagePainter.h"

#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace lumetra::engine::test {

std::shared_ptr<MemoryLayout> twoPageLayout() {
    auto layout = std::make_shared<MemoryLayout>(QSizeF(595, 842));
    const int first = layout->addPage();
    layout->addShape(
        first,
        LayoutShape{Publisher::msoAutoShape, Publisher::msoShapeOval, QRectF(400, 700, 100, 60)},
        Qt::blue);
    layout->addRectangle(first, QRectF(50, 50, 200, 300), Qt::red);
    layout->addRectangle(first, QRectF(300, 50, 200, 300), Qt::green);
    const int second = layout->addPage();
    layout->addRectangle(second, QRectF(100, 100, 100, 100), Qt::gray);
    return layout;
}

EngineFixture::EngineFixture(bool toPdf, std::shared_ptr<MemoryLayout> memoryLayout)
    : layout(std::move(memoryLayout)) {
    layoutFile = dir.filePath(QStringLiteral("layout.pub"));
    QFile(layoutFile).open(QIODevice::WriteOnly);
    pdfFile = dir.filePath(QStringLiteral("out.pdf"));
    EngineOptions options;
    options.loadLayout = memoryLayoutLoader(layout);
    if (toPdf) {
        options.pdfFile = pdfFile;
    }
    app = std::make_shared<EngineApplication>(options);
    document = std::dynamic_pointer_cast<EngineDocument>(app->Open(layoutFile, false, true, 3));
}

QImage renderPage(const EngineDocument& document, int index, double dpi, QStringList* unreadable) {
    const QSizeF points = document.pageSize();
    QImage image(qRound(points.width() * dpi / 72), qRound(points.height() * dpi / 72),
                 QImage::Format_RGB32);
    image.fill(Qt::magenta); // anything left unpainted shows up
    QPainter painter(&image);
    paintPage(painter, document, index, QRectF(QPointF(0, 0), QSizeF(image.size())), unreadable);
    painter.end();
    return image;
}

int errorNumber(const std::function<void()>& action, QString* description) {
    try {
        action();
    } catch (const Publisher::Error& error) {
        EXPECT_FALSE(error.Description().isEmpty());
        if (description) {
            *description = error.Description();
        }
        return error.Number();
    }
    return 0;
}

int countPixels(const QImage& image, const QRect& area, QColor colour, int tolerance) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (std::abs(qRed(pixel) - colour.red()) <= tolerance &&
                std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
                std::abs(qBlue(pixel) - colour.blue()) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace lumetra::engine::test

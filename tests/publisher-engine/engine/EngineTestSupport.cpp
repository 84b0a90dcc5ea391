#include "EngineTestSupport.h"

#include "TestProcess.h"

#include "ComposedPagePainter.h"

#include <QFile>
#include <QPainter>
#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>

namespace lumetra::engine::test {

std::shared_ptr<MemoryLayout> twoPageLayout() {
    auto layout = std::make_shared<MemoryLayout>(QSizeF(A4Width, A4Height));
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

EngineFixture::EngineFixture(bool toPdf) : layout(twoPageLayout()) {
    layoutFile = dir.filePath(QStringLiteral("layout.pub"));
    QFile file(layoutFile);
    file.open(QIODevice::WriteOnly);
    file.close();
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

QString run(const QString& program, const QStringList& arguments) {
    return testsupport::runProgram(program, arguments);
}

bool near(QRgb actual, QColor expected, int tolerance) {
    return std::abs(qRed(actual) - expected.red()) <= tolerance &&
           std::abs(qGreen(actual) - expected.green()) <= tolerance &&
           std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

int countPixels(const QImage& image, const QRect& area, QColor colour, int tolerance) {
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (near(image.pixel(x, y), colour, tolerance)) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace lumetra::engine::test

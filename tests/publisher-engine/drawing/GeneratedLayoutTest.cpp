// Pages of generated layouts: fills, outlines, text, pictures, groups and master pages drawn
// where the layout puts them, and shapes hidden on request. That a layout's text reaches a PDF
// as text is checked on the engine's output (the composition's contract suite, print-job's
// EndToEnd).

#include "LayoutPageDrawer.h"
#include "PixelProbe.h"
#include "PubBuilder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

namespace lumetra::drawing {

using namespace lumetra::pub;

namespace {

using pub::PubBuilder;
using pub::PubItem;
using pub::PubStyle;
using test::darkPixels;
using test::expectColour;
using test::inkedPixels;

constexpr double kDpi = 72.0; // one pixel per point

std::unique_ptr<LayoutPageDrawer> renderer(const PubBuilder& builder) {
    const QByteArray bytes = builder.bytes();
    try {
        const Layout layout = Layout::readBytes(
            reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
        return LayoutPageDrawer::fromBytes(bytes, layout);
    } catch (const lumetra::runtime::Error& e) {
        ADD_FAILURE() << e.Description().toStdString();
        return nullptr;
    }
}

QByteArray twoColourPng() {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::green);
    QPainter(&image).fillRect(20, 0, 20, 20, Qt::blue);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

PubItem filled(PubItem item, QRgb fill) {
    PubStyle style;
    style.fill = fill;
    style.line.reset();
    return item.styled(style);
}

TEST(GeneratedLayout, ShapesTextAndPicturesLandInTheirBoxes) {
    PubBuilder b;
    b.pageSize(400, 750);
    auto& page = b.addPage();
    page.add(filled(PubItem::rectangle(50, 50, 100, 80), qRgb(255, 0, 0)));
    PubStyle outline;
    outline.fill.reset();
    outline.line = qRgb(0, 0, 255);
    outline.lineWidth = 4;
    page.add(PubItem::rectangle(200, 50, 150, 80).styled(outline));
    page.addTextBox(50, 200, 300, 60, QStringLiteral("Prova di testo"));
    page.addPicture(100, 350, 200, 100, twoColourPng());
    // 200 x 100 turned a quarter clockwise about its centre (200, 600): 100 wide, 200 high.
    page.add(PubItem::picture(100, 550, 200, 100, twoColourPng()).rotated(90));
    auto r = renderer(b);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->pageSizePoints(), QSizeF(400, 750));
    const QImage image = r->renderPage(0, kDpi);
    ASSERT_FALSE(image.isNull()) << r->lastError().toStdString();

    expectColour(image, Qt::red, {{100, 90}});
    expectColour(image, Qt::white,
                 {{45, 90}, {155, 90}, {100, 135}, {275, 90}, {95, 400}, {200, 455}});
    EXPECT_GT(inkedPixels(image, QRectF(200, 44, 150, 8)), 500); // the outline
    expectColour(image, Qt::blue, {{275, 48}}, 40);
    EXPECT_GT(darkPixels(image, QRectF(50, 200, 300, 60)), 100);
    EXPECT_EQ(darkPixels(image, QRectF(0, 140, 400, 55)), 0);
    expectColour(image, Qt::green, {{150, 400}}, 20);
    expectColour(image, Qt::blue, {{250, 400}}, 20);
    // The turned picture's left half (green) is on top now, its right half (blue) below.
    expectColour(image, Qt::green, {{200, 540}}, 20);
    expectColour(image, Qt::blue, {{200, 660}}, 20);
    expectColour(image, Qt::white, {{130, 600}, {270, 600}});
}

TEST(GeneratedLayout, HiddenShapesAndGroupsDisappear) {
    PubBuilder b;
    b.pageSize(400, 400);
    auto& page = b.addPage();
    page.add(filled(PubItem::rectangle(20, 20, 100, 100), qRgb(0, 0, 0)));
    page.addTextBox(150, 20, 200, 50, QStringLiteral("Resta"));
    page.add(PubItem::group({filled(PubItem::rectangle(20, 200, 80, 80), qRgb(0, 0, 0)),
                             filled(PubItem::oval(200, 200, 80, 80), qRgb(0, 0, 0))}));
    auto r = renderer(b);
    ASSERT_TRUE(r);
    const QImage all = r->renderPage(0, kDpi);
    ASSERT_FALSE(all.isNull());
    EXPECT_GT(darkPixels(all, QRectF(20, 20, 100, 100)), 9000);
    EXPECT_GT(darkPixels(all, QRectF(20, 200, 80, 80)), 5000);
    EXPECT_GT(darkPixels(all, QRectF(200, 200, 80, 80)), 4000);

    const QImage hidden = r->renderPage(0, kDpi, {0, 2});
    ASSERT_FALSE(hidden.isNull()) << r->lastError().toStdString();
    EXPECT_EQ(inkedPixels(hidden, QRectF(0, 0, 140, 140)), 0);
    EXPECT_EQ(inkedPixels(hidden, QRectF(0, 180, 400, 220)), 0);
    EXPECT_GT(darkPixels(hidden, QRectF(150, 20, 200, 50)), 50);
}

TEST(GeneratedLayout, MasterContentAppearsOnEveryPageUsingTheMaster) {
    PubBuilder b;
    b.pageSize(300, 300);
    auto& master = b.addMasterPage(QStringLiteral("A"));
    master.add(filled(PubItem::rectangle(0, 0, 300, 30), qRgb(0, 0, 0)));
    auto& first = b.addPage();
    first.setMaster(master);
    first.add(filled(PubItem::rectangle(50, 100, 100, 100), qRgb(255, 0, 0)));
    auto& second = b.addPage();
    second.setMaster(master);
    second.addTextBox(50, 100, 200, 50, QStringLiteral("Seconda"));
    b.addPage().setMaster(master); // no shapes of its own
    auto& plain = b.addPage();     // no master
    plain.add(filled(PubItem::rectangle(50, 100, 100, 100), qRgb(255, 0, 0)));
    b.addPage().setMaster(master); // no shapes of its own either
    auto r = renderer(b);
    ASSERT_TRUE(r);
    ASSERT_EQ(r->pageCount(), 5);
    const QRectF band(0, 0, 300, 28);
    for (int p = 0; p < 3; ++p) {
        const QImage image = r->renderPage(p, kDpi);
        ASSERT_FALSE(image.isNull()) << r->lastError().toStdString();
        EXPECT_GT(darkPixels(image, band), 8000) << "page " << p + 1;
    }
    // Pages that show only their master share one reading.
    EXPECT_EQ(r->recordedPage(4), r->recordedPage(2));
    const QImage noMaster = r->renderPage(3, kDpi);
    EXPECT_EQ(darkPixels(noMaster, band), 0);
    expectColour(noMaster, Qt::red, {{100, 150}});

    // Every own shape hidden: the page keeps its master content.
    const QImage masterOnly = r->renderPage(0, kDpi, {0});
    ASSERT_FALSE(masterOnly.isNull()) << r->lastError().toStdString();
    EXPECT_GT(darkPixels(masterOnly, band), 8000);
    EXPECT_EQ(inkedPixels(masterOnly, QRectF(0, 40, 300, 260)), 0);
}

} // namespace
} // namespace lumetra::drawing

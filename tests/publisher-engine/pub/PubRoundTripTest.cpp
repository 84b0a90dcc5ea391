// Layouts written by the test-layout writer, read back by the layout reader and by libmspub. The
// version and page size read back are lumetra-pubinfo's checks (PubInfoTool); how libmspub draws
// turned shapes and master pages is checked by pixels with the drawing (GeneratedLayout).

#include "Layout.h"
#include "LibmspubProbe.h"
#include "PubBuilder.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace lumetra::pub;
using lumetra::layoutwriter::PubBuilder;
using lumetra::layoutwriter::PubItem;
using lumetra::pubtest::drawWithLibmspub;

namespace {

QByteArray png(QColor colour) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

Layout read(const QByteArray& file) {
    return Layout::readBytes(reinterpret_cast<const std::uint8_t*>(file.constData()),
                             std::size_t(file.size()));
}

void expectBox(const Shape& s, double l, double t, double w, double h) {
    EXPECT_NEAR(s.left, l, 0.01);
    EXPECT_NEAR(s.top, t, 0.01);
    EXPECT_NEAR(s.width, w, 0.01);
    EXPECT_NEAR(s.height, h, 0.01);
}

// A polygon libmspub drew over the box (outlines move the top edge up by half the line width).
bool drawnAt(const lumetra::pubtest::DrawnPage& page, QRectF box) {
    return std::any_of(page.polygons.begin(), page.polygons.end(), [&](const QRectF& p) {
        return std::abs(p.left() - box.left()) < 0.6 && std::abs(p.top() - box.top()) < 0.6 &&
               std::abs(p.right() - box.right()) < 0.6 && std::abs(p.bottom() - box.bottom()) < 0.6;
    });
}

} // namespace

TEST(PubRoundTrip, FirstPageShapesGiveTypesBoxesAndTheSlotTable) {
    PubBuilder b;
    b.pageSize(595.3, 841.9);
    auto& p = b.addPage();
    p.addRectangle(50, 60, 200, 150);                       // 1: slot
    p.addTextBox(50, 20, 200, 30, QStringLiteral("testo")); // 2
    p.addOval(300, 60, 100, 80);                            // 3
    p.addRectangle(300, 200, 120.5, 90.25);                 // 4: slot
    p.addRoundedRectangle(50, 250, 100, 80);                // 5
    p.addGroup({PubItem::rectangle(300, 400, 100, 80),      // 6: group, members never slots
                PubItem::picture(300, 500, 100, 80, png(Qt::blue))});
    p.addPicture(50, 400, 120, 90, png(Qt::red)); // 7: a picture, no slot
    p.addRectangle(60, 700, 40, 30);              // 8: slot
    const Layout layout = read(b.bytes());

    ASSERT_EQ(layout.pages().size(), 1u);
    const auto& shapes = layout.pages()[0].shapes;
    ASSERT_EQ(shapes.size(), 8u);
    const std::vector<std::pair<int, int>> expected{{TypeAutoShape, AutoShapeRectangle},
                                                    {TypeTextBox, AutoShapeRectangle},
                                                    {TypeAutoShape, AutoShapeOval},
                                                    {TypeAutoShape, AutoShapeRectangle},
                                                    {TypeAutoShape, AutoShapeRoundedRectangle},
                                                    {TypeGroup, AutoShapeNone},
                                                    {TypePicture, AutoShapeRectangle},
                                                    {TypeAutoShape, AutoShapeRectangle}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(shapes[i].type, expected[i].first) << "shape " << i + 1;
        EXPECT_EQ(shapes[i].autoShapeType, expected[i].second) << "shape " << i + 1;
    }
    expectBox(shapes[0], 50, 60, 200, 150);
    expectBox(shapes[3], 300, 200, 120.5, 90.25);
    expectBox(shapes[5], 300, 400, 100, 180); // the group's box spans its members
    ASSERT_EQ(shapes[5].children.size(), 2u);
    expectBox(shapes[5].children[1], 300, 500, 100, 80);
    EXPECT_TRUE(shapes[5].children[1].hasPicture());
    EXPECT_TRUE(shapes[6].hasPicture());
    EXPECT_EQ(layout.pictureSlots(), (std::vector<int>{1, 4, 8}));

    // libmspub reads the same file: one page, the text, both pictures, the boxes.
    const auto drawn = drawWithLibmspub(b.bytes());
    ASSERT_TRUE(drawn);
    ASSERT_EQ(drawn->size(), 1u);
    const auto& page = drawn->front();
    EXPECT_EQ(page.paragraphs, QStringList{QStringLiteral("testo")});
    ASSERT_EQ(page.pictureData.size(), 2u);
    // Drawing order: the group's blue picture, then the red one.
    EXPECT_EQ(QImage::fromData(page.pictureData[0]).pixel(3, 3), qRgb(0, 0, 255));
    EXPECT_EQ(QImage::fromData(page.pictureData[1]).pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(page.paths, 4); // oval and rounded rectangle: fill and outline each
    for (const int slot : layout.pictureSlots()) {
        const Shape& s = shapes[std::size_t(slot - 1)];
        EXPECT_TRUE(drawnAt(page, QRectF(s.left, s.top, s.width, s.height))) << "slot " << slot;
    }
}

TEST(PubRoundTrip, RotatedShapesKeepTheirUnturnedBox) {
    PubBuilder b;
    auto& p = b.addPage();
    p.add(PubItem::rectangle(100, 100, 200, 50).rotated(90));
    p.add(PubItem::rectangle(100, 300, 200, 50).rotated(-90));
    p.add(PubItem::rectangle(100, 500, 200, 50).rotated(30));
    p.add(PubItem::oval(350, 100, 80, 40).rotated(180));
    const Layout layout = read(b.bytes());
    const auto& shapes = layout.pages()[0].shapes;
    ASSERT_EQ(shapes.size(), 4u);
    expectBox(shapes[0], 100, 100, 200, 50);
    expectBox(shapes[1], 100, 300, 200, 50);
    expectBox(shapes[2], 100, 500, 200, 50);
    expectBox(shapes[3], 350, 100, 80, 40);
    EXPECT_DOUBLE_EQ(shapes[0].rotation, 90);
    EXPECT_DOUBLE_EQ(shapes[1].rotation, -90);
    EXPECT_DOUBLE_EQ(shapes[2].rotation, 30);
    // Turned rectangles are still rectangles.
    EXPECT_EQ(layout.pictureSlots(), (std::vector<int>{1, 2, 3}));
}

TEST(PubRoundTrip, PagesMastersAndWhatLibmspubEmits) {
    PubBuilder b;
    b.pageSize(841.9, 595.3); // landscape
    auto& master = b.addMasterPage(QStringLiteral("A"));
    master.addRectangle(20, 20, 30, 30);
    auto& first = b.addPage();
    first.setMaster(master);
    first.addTextBox(100, 100, 200, 40, QStringLiteral("prima\nseconda riga"));
    first.addRectangle(100, 200, 200, 100);
    b.addPage().setMaster(master); // no shapes of its own
    auto& third = b.addPage();
    third.addOval(10, 10, 50, 50);
    third.addRectangle(400, 300, 10, 10);
    const QByteArray file = b.bytes();
    const Layout layout = read(file);

    ASSERT_EQ(layout.masters().size(), 1u);
    EXPECT_EQ(layout.masters()[0].masterName, QStringLiteral("A"));
    EXPECT_EQ(layout.masters()[0].shapes.size(), 1u);
    ASSERT_EQ(layout.pages().size(), 3u);
    EXPECT_EQ(layout.firstPageIndex(), 0);
    EXPECT_EQ(layout.pages()[0].masterIndex, 0);
    EXPECT_EQ(layout.pages()[1].masterIndex, 0);
    EXPECT_EQ(layout.pages()[2].masterIndex, -1);
    EXPECT_TRUE(layout.pages()[1].shapes.empty());
    EXPECT_EQ(layout.pictureSlots(0), (std::vector<int>{2}));
    EXPECT_EQ(layout.pictureSlots(2), (std::vector<int>{2}));

    // libmspub skips the page without shapes of its own (that it draws the master's shapes on the
    // pages using it is checked by pixels with the drawing, GeneratedLayout).
    EXPECT_EQ(layout.drawnPages(), (std::vector<int>{0, 2}));
    EXPECT_EQ(layout.drawnPosition(1), -1);
    EXPECT_EQ(layout.drawnPosition(2), 1);
    const auto drawn = drawWithLibmspub(file);
    ASSERT_TRUE(drawn);
    ASSERT_EQ(drawn->size(), 2u);
    EXPECT_NEAR((*drawn)[0].size.width(), 841.9, 0.01);
    EXPECT_NEAR((*drawn)[0].size.height(), 595.3, 0.01);
    EXPECT_EQ((*drawn)[0].paragraphs,
              (QStringList{QStringLiteral("prima"), QStringLiteral("seconda riga")}));
}

TEST(PubRoundTrip, CollectionOrderIsTheDrawingOrderNotThePageList) {
    PubBuilder b;
    auto& p = b.addPage();
    p.addOval(10, 10, 20, 20);
    p.addRectangle(40, 10, 20, 20);
    p.addTextBox(70, 10, 20, 20, QStringLiteral("x"));
    p.setShapeListReversed(true);
    const Layout layout = read(b.bytes());
    const auto& shapes = layout.pages()[0].shapes;
    ASSERT_EQ(shapes.size(), 3u);
    EXPECT_EQ(shapes[0].autoShapeType, AutoShapeOval);
    EXPECT_EQ(shapes[2].type, TypeTextBox);
    EXPECT_EQ(layout.pictureSlots(), (std::vector<int>{2}));
}

// That hidden shapes and groups vanish from libmspub's drawing is checked by pixels with the
// drawing (GeneratedLayout); here, that a page whose every shape is hidden leaves libmspub's pages.
TEST(PubRoundTrip, HidingEveryShapeOfAPageTakesItOutOfLibmspubsPages) {
    PubBuilder b;
    b.addPage().addRectangle(50, 50, 100, 100);
    b.addPage().addRectangle(10, 10, 10, 10);
    b.addPage().addRectangle(20, 20, 20, 20);
    const QByteArray file = b.bytes();
    const Layout layout = read(file);

    const std::vector<HiddenShapes> hidden{{1, {0}}};
    EXPECT_EQ(layout.drawnPages(hidden), (std::vector<int>{0, 2}));
    EXPECT_EQ(layout.drawnPosition(2, hidden), 1);
    const auto without = drawWithLibmspub(file, layout.hidePatches(1, {0}));
    ASSERT_TRUE(without);
    ASSERT_EQ(without->size(), 2u);
    EXPECT_TRUE(drawnAt((*without)[1], QRectF(20, 20, 20, 20)));

    EXPECT_TRUE(layout.hidePatches(0, {-1, 99}).empty());
    EXPECT_TRUE(layout.hidePatches(7, {0}).empty());
}

// The layout reader on real Publisher files (LUMETRA_PUB_SAMPLES), checked against facts seen in
// them and against what libmspub draws. That every file reads or is refused, and that libmspub
// emits the pages the reader predicts, is checked with the drawing (SampleDrawing) and the
// engine (PubLayout).

#include "Layout.h"
#include "LibmspubProbe.h"
#include "Samples.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace lumetra::pub;

namespace {

void expectBox(const Shape& s, double l, double t, double w, double h) {
    EXPECT_NEAR(s.left, l, 0.01);
    EXPECT_NEAR(s.top, t, 0.01);
    EXPECT_NEAR(s.width, w, 0.01);
    EXPECT_NEAR(s.height, h, 0.01);
}

} // namespace

TEST(PubSamples, Publisher2010LayoutHasTheKnownPagesAndShapes) {
    LUMETRA_REQUIRE_SAMPLES();
    for (const char* name :
         {"14.0_REG-TST2-pub2010.pub", "12.0_REG-TST2-pub97-to-pub2007-with-pub2007.pub"}) {
        SCOPED_TRACE(name);
        const Layout layout = Layout::readFile(lumetra::drawing::test::sample(QLatin1String(name)));
        EXPECT_EQ(layout.version(), Version::Publisher2002);
        EXPECT_NEAR(layout.pageWidth(), 612, 0.01); // 8.5 x 11 in
        EXPECT_NEAR(layout.pageHeight(), 792, 0.01);
        ASSERT_EQ(layout.masters().size(), 1u);
        EXPECT_EQ(layout.masters()[0].id, 259u);
        ASSERT_GE(layout.pages().size(), 4u);
        EXPECT_EQ(layout.pages()[0].id, 260u);
        EXPECT_EQ(layout.pages()[1].id, 314u);
        EXPECT_EQ(layout.pages()[3].id, 383u);

        // Page 260: a text box, five tables, three text boxes; no slot.
        const auto& first = layout.pages()[0].shapes;
        ASSERT_EQ(first.size(), 9u);
        EXPECT_EQ(first[0].type, TypeTextBox);
        EXPECT_EQ(first[0].storedType, 202);
        expectBox(first[0], 82.50, 100.50, 81.00, 49.50);
        for (int i = 1; i <= 5; ++i) {
            EXPECT_EQ(first[std::size_t(i)].type, TypeTable);
        }
        EXPECT_EQ(first[8].type, TypeTextBox);
        expectBox(first[8], 87.30, 552.38, 81.00, 54.00);
        EXPECT_TRUE(layout.pictureSlots().empty());

        // Page 314: ten pictures stored as rectangles with a picture; none is a slot.
        const auto& pictures = layout.pages()[1].shapes;
        ASSERT_EQ(pictures.size(), 10u);
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            EXPECT_EQ(pictures[i].storedType, 1);
            EXPECT_EQ(pictures[i].pictureIndex, i + 1);
            EXPECT_EQ(pictures[i].type, TypePicture);
        }
        expectBox(pictures[0], 79.20, 87.30, 164.92, 48.45);
        EXPECT_TRUE(layout.pictureSlots(1).empty());

        // Page 383: 44 shapes, some turned by -90 degrees (reported with their unturned box),
        // two plain rectangles.
        const auto& mixed = layout.pages()[3].shapes;
        ASSERT_EQ(mixed.size(), 44u);
        const auto turned = std::count_if(mixed.begin(), mixed.end(),
                                          [](const Shape& s) { return s.rotation == -90; });
        EXPECT_GE(turned, 3);
        expectBox(mixed[15], 157.16, 397.46, 27.90, 33.97);
        EXPECT_EQ(layout.pictureSlots(3), (std::vector<int>{5, 7}));
    }
}

TEST(PubSamples, TablesAndPageSizes) {
    LUMETRA_REQUIRE_SAMPLES();
    for (const char* name : {"10.0_tables.pub", "11.0_tables.pub", "11.0_table-merged.pub"}) {
        SCOPED_TRACE(name);
        const Layout layout = Layout::readFile(lumetra::drawing::test::sample(QLatin1String(name)));
        ASSERT_FALSE(layout.pages()[0].shapes.empty());
        const bool hasTable =
            std::any_of(layout.pages()[0].shapes.begin(), layout.pages()[0].shapes.end(),
                        [](const Shape& s) { return s.type == TypeTable && s.storedType == 201; });
        EXPECT_TRUE(hasTable);
    }
    const Layout a4 =
        Layout::readFile(lumetra::drawing::test::sample(QStringLiteral("12.0_fonts.pub")));
    EXPECT_NEAR(a4.pageWidth(), 595.28, 0.01);
    EXPECT_NEAR(a4.pageHeight(), 841.89, 0.01);
}

TEST(PubSamples, Publisher98And2000Layouts) {
    LUMETRA_REQUIRE_SAMPLES();
    const Layout layout =
        Layout::readFile(lumetra::drawing::test::sample(QStringLiteral("8.5_pub98t1.pub")));
    EXPECT_EQ(layout.version(), Version::Publisher2000);
    EXPECT_EQ(layout.versionName(), QStringLiteral("98/2000"));
    EXPECT_NEAR(layout.pageWidth(), 792, 0.01); // landscape letter
    EXPECT_NEAR(layout.pageHeight(), 612, 0.01);
    ASSERT_EQ(layout.pages().size(), 2u);
    const auto& first = layout.pages()[0].shapes;
    ASSERT_EQ(first.size(), 9u);
    // A group of two rectangles and a picture: none of them is a slot.
    EXPECT_EQ(first[0].type, TypeGroup);
    ASSERT_EQ(first[0].children.size(), 3u);
    EXPECT_EQ(first[0].children[0].autoShapeType, AutoShapeRectangle);
    EXPECT_EQ(first[0].children[2].type, TypePicture);
    EXPECT_TRUE(layout.pictureSlots().empty());
    // Page 2 starts with a rectangle: a slot of that page.
    EXPECT_EQ(layout.pictureSlots(1), (std::vector<int>{1}));
    expectBox(layout.pages()[1].shapes[0], 47.52, 36.00, 216.48, 540.00);

    // The page of zero-size prototype shapes is no document page.
    for (const char* name : {"9.0_text-style.pub", "9.0_langs.pub"}) {
        SCOPED_TRACE(name);
        const Layout l = Layout::readFile(lumetra::drawing::test::sample(QLatin1String(name)));
        ASSERT_EQ(l.pages().size(), 1u);
        ASSERT_EQ(l.pages()[0].shapes.size(), 1u);
        EXPECT_EQ(l.pages()[0].shapes[0].type, TypeTextBox);
        EXPECT_GT(l.pages()[0].shapes[0].width, 100);
        // libmspub still emits the prototype page, before page 1.
        EXPECT_EQ(l.drawnPages(), (std::vector<int>{-1, 0}));
    }
}

TEST(PubSamples, HidingAPageShapesTakesItOutOfLibmspubsPagesAsPredicted) {
    LUMETRA_REQUIRE_SAMPLES();
    for (const char* name : {"14.0_REG-TST2-pub2010.pub", "10.0_tables.pub", "8.5_pub98t1.pub",
                             "8.5_wizard98.pub", "9.0_langs.pub"}) {
        SCOPED_TRACE(name);
        const QString path = lumetra::drawing::test::sample(QLatin1String(name));
        const Layout layout = Layout::readFile(path);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (int p = 0; p < int(layout.pages().size()); ++p) {
            const auto& shapes = layout.pages()[std::size_t(p)].shapes;
            if (shapes.empty()) {
                continue;
            }
            std::vector<int> all(shapes.size());
            for (std::size_t i = 0; i < all.size(); ++i) {
                all[i] = int(i);
            }
            const std::vector<HiddenShapes> hidden{{p, all}};
            const auto drawn =
                lumetra::pubtest::drawWithLibmspub(bytes, layout.hidePatches(p, all));
            ASSERT_TRUE(drawn) << "page " << p;
            EXPECT_EQ(drawn->size(), layout.drawnPages(hidden).size()) << "page " << p;
            EXPECT_EQ(layout.drawnPosition(p, hidden), -1);
        }
    }
}

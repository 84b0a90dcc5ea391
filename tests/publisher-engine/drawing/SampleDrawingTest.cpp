// Pages of real Publisher files drawn through libmspub: every file draws or is refused with a
// message, shapes land where the layout says, hidden shapes disappear, results are kept.

#include "LayoutPageDrawer.h"
#include "PixelProbe.h"
#include "Samples.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace lumetra::drawing {

using namespace lumetra::pub;

namespace {

using test::darkPixels;
using test::inkedPixels;

constexpr double kDpi = 96.0;

std::unique_ptr<LayoutPageDrawer> openSample(const char* name) {
    QString error;
    auto r = LayoutPageDrawer::open(test::sample(QString::fromLatin1(name)), &error);
    EXPECT_TRUE(r) << name << ": " << error.toStdString();
    return r;
}

TEST(SampleDrawing, EveryFileDrawsOrIsRefusedWithAMessage) {
    LUMETRA_REQUIRE_SAMPLES();
    const QStringList files = QDir(test::samplesFolder()).entryList({"*.pub"}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    int drawnFiles = 0;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        QString error;
        auto r = LayoutPageDrawer::open(test::sample(name), &error);
        if (!r) {
            EXPECT_FALSE(error.isEmpty());
            continue;
        }
        int inkedPages = 0;
        for (int p = 0; p < r->pageCount(); ++p) {
            const QImage image = r->renderPage(p, 24);
            ASSERT_FALSE(image.isNull()) << "page " << p << ": " << r->lastError().toStdString();
            if (inkedPixels(image, image.rect()) > 0)
                ++inkedPages;
        }
        // Some pages of every layout that has pages hold something visible.
        EXPECT_GT(inkedPages, 0);
        // libmspub emitted exactly the pages the layout predicts, so each lands on its own.
        EXPECT_EQ(r->emittedPageCount(), int(r->layout().drawnPages().size()));
        ++drawnFiles;
    }
    EXPECT_GE(drawnFiles, 10);
}

// A shape draws in its box; hidden, it leaves its box empty and the rest of the page as it was.
TEST(SampleDrawing, ShapesDrawInTheirBoxesAndHidingOneChangesNothingElse) {
    LUMETRA_REQUIRE_SAMPLES();
    const struct {
        const char* file;
        int page, shape; // 0-based
        int threshold;   // grey level of the shape's ink
        int ink;         // dark pixels it draws at least
        const char* what;
    } rows[] = {
        {"14.0_REG-TST2-pub2010.pub", 0, 6, 200, 150, "text box \"Sample test here\""},
        {"14.0_REG-TST2-pub2010.pub", 1, 0, 128, 150, "WMF picture of text, small in its window"},
        {"10.0_tables.pub", 0, 0, 200, 40, "table with cell text"},
        {"8.5_wizard98.pub", 0, 10, 200, 100, "98 text frame \"Secondary Story Headline\""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.file) + ": " + row.what);
        auto r = openSample(row.file);
        ASSERT_TRUE(r);
        const Shape& s = r->layout().pages()[std::size_t(row.page)].shapes[std::size_t(row.shape)];
        const QRectF box(QPointF(s.left, s.top) * kDpi / 72, QSizeF(s.width, s.height) * kDpi / 72);
        const QImage all = r->renderPage(row.page, kDpi);
        const QImage without = r->renderPage(row.page, kDpi, {row.shape});
        ASSERT_FALSE(all.isNull() || without.isNull()) << r->lastError().toStdString();
        EXPECT_GT(darkPixels(all, box, row.threshold), row.ink);
        EXPECT_EQ(inkedPixels(without, box.adjusted(2, 2, -2, -2)), 0);
        QImage a = all, b = without;
        const QRect cleared = box.adjusted(-4, -4, 4, 4).toAlignedRect();
        for (QImage* image : {&a, &b})
            QPainter(image).fillRect(cleared, Qt::white);
        EXPECT_EQ(a, b);
    }
}

TEST(SampleDrawing, APageWithEveryShapeHiddenIsEmptyButDraws) {
    LUMETRA_REQUIRE_SAMPLES();
    auto r = openSample("14.0_REG-TST2-pub2010.pub");
    ASSERT_TRUE(r);
    std::set<int> all;
    for (int i = 0; i < int(r->layout().pages()[0].shapes.size()); ++i)
        all.insert(i);
    const QImage image = r->renderPage(0, kDpi, all);
    ASSERT_FALSE(image.isNull()) << r->lastError().toStdString();
    EXPECT_EQ(inkedPixels(image, image.rect()), 0);
}

TEST(SampleDrawing, HidingAnyOneShapeOnlyTakesThingsAway) {
    LUMETRA_REQUIRE_SAMPLES();
    for (const char* name : {"14.0_REG-TST2-pub2010.pub", "8.5_wizard98.pub"}) {
        SCOPED_TRACE(name);
        auto r = openSample(name);
        ASSERT_TRUE(r);
        for (int p = 0; p < r->pageCount(); ++p) {
            const auto plain = r->recordedPage(p);
            ASSERT_TRUE(plain);
            const int shapes = int(r->layout().pages()[std::size_t(p)].shapes.size());
            int removedSomething = 0;
            for (int i = 0; i < shapes; ++i) {
                const auto hidden = r->recordedPage(p, {i});
                ASSERT_TRUE(hidden) << "page " << p << " shape " << i;
                EXPECT_LE(hidden->items.size(), plain->items.size())
                    << "page " << p << " shape " << i;
                if (hidden->items.size() < plain->items.size())
                    ++removedSomething;
                EXPECT_FALSE(r->renderPage(p, 12, {i}).isNull());
            }
            // Nearly every shape draws something that hiding it removes.
            EXPECT_GE(removedSomething, shapes * 3 / 4) << "page " << p;
        }
    }
}

TEST(SampleDrawing, PagesAreReadOncePerHiddenSetAndRedrawnIdentically) {
    LUMETRA_REQUIRE_SAMPLES();
    auto r = openSample("14.0_REG-TST2-pub2010.pub");
    ASSERT_TRUE(r);
    const auto plain = r->recordedPage(0);
    const auto hidden = r->recordedPage(0, {6, 7});
    ASSERT_TRUE(plain && hidden);
    EXPECT_EQ(r->recordedPage(0), plain);
    EXPECT_EQ(r->recordedPage(0, {7, 6}), hidden);
    EXPECT_NE(plain, hidden);
    EXPECT_LT(hidden->items.size(), plain->items.size());
    // Indices that are no shapes of the page do not make another reading.
    EXPECT_EQ(r->recordedPage(0, {-1, 99}), plain);
    EXPECT_EQ(r->renderPage(1, 50), r->renderPage(1, 50));
}

TEST(SampleDrawing, BadRequestsFailWithItalianMessages) {
    LUMETRA_REQUIRE_SAMPLES();
    auto r = openSample("10.0_tables.pub");
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->renderPage(r->pageCount(), kDpi).isNull());
    EXPECT_EQ(r->lastError(), QStringLiteral("La pagina %1 non esiste.").arg(r->pageCount() + 1));
    EXPECT_TRUE(r->renderPage(-1, kDpi).isNull());
    EXPECT_TRUE(r->renderPage(0, 0).isNull());
    EXPECT_TRUE(r->renderPage(0, 1e7).isNull());
    EXPECT_FALSE(r->lastError().isEmpty());

    QString error;
    EXPECT_FALSE(LayoutPageDrawer::open(test::sample("non-esiste.pub"), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
} // namespace lumetra::drawing

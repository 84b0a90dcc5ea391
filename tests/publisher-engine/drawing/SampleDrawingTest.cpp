// Pages of real Publisher files drawn through libmspub: every file draws or is refused with a
// message, shapes land where the layout says, hidden shapes disappear, results are kept.

#include "LayoutPageDrawer.h"
#include "PixelProbe.h"
#include "Samples.h"

#include <gtest/gtest.h>

#include <QFileInfo>

namespace lumetra::drawing {

using namespace lumetra::pub;

namespace {

using test::darkPixels;
using test::inkedPixels;
using test::pointsToPixels;

constexpr double kDpi = 96.0;

QRectF shapeBox(const LayoutPageDrawer& r, int page, int shape) {
    const Shape& s = r.layout().pages()[std::size_t(page)].shapes[std::size_t(shape)];
    return pointsToPixels(QRectF(s.left, s.top, s.width, s.height), kDpi);
}

std::unique_ptr<LayoutPageDrawer> openSample(const char* name) {
    QString error;
    auto r = LayoutPageDrawer::open(test::sample(QString::fromLatin1(name)), &error);
    EXPECT_TRUE(r) << name << ": " << error.toStdString();
    return r;
}

TEST(SampleDrawing, EveryFileDrawsOrIsRefusedWithAMessage) {
    LUMETRA_REQUIRE_SAMPLES();
    const QStringList files = test::allSamples();
    ASSERT_FALSE(files.isEmpty());
    int drawnFiles = 0;
    for (const QString& path : files) {
        SCOPED_TRACE(QFileInfo(path).fileName().toStdString());
        QString error;
        auto r = LayoutPageDrawer::open(path, &error);
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

TEST(SampleDrawing, TextBoxesAreDrawnInTheirBoxesAndDisappearWhenHidden) {
    LUMETRA_REQUIRE_SAMPLES();
    auto r = openSample("14.0_REG-TST2-pub2010.pub");
    ASSERT_TRUE(r);
    // Page 1: shapes 7 and 8 (0-based 6 and 7) are text boxes reading "Sample test here".
    const QRectF first = shapeBox(*r, 0, 6);
    const QRectF second = shapeBox(*r, 0, 7);
    const QImage all = r->renderPage(0, kDpi);
    ASSERT_FALSE(all.isNull()) << r->lastError().toStdString();
    EXPECT_GT(darkPixels(all, first, 200), 150);
    EXPECT_GT(darkPixels(all, second, 200), 150);

    const QImage without = r->renderPage(0, kDpi, {6});
    ASSERT_FALSE(without.isNull());
    EXPECT_EQ(inkedPixels(without, first.adjusted(-2, -2, 2, 2)), 0);
    EXPECT_GT(darkPixels(without, second, 200), 150);
    // Nothing else on the page changed.
    QImage a = all, b = without;
    const QRect cleared = first.adjusted(-4, -4, 4, 4).toAlignedRect();
    for (QImage* img : {&a, &b})
        for (int y = cleared.top(); y <= cleared.bottom(); ++y)
            for (int x = cleared.left(); x <= cleared.right(); ++x)
                img->setPixel(x, y, qRgb(255, 255, 255));
    EXPECT_EQ(a, b);
}

TEST(SampleDrawing, MetafilePicturesAreRasterisedIntoTheirBoxes) {
    LUMETRA_REQUIRE_SAMPLES();
    auto r = openSample("14.0_REG-TST2-pub2010.pub");
    ASSERT_TRUE(r);
    // Page 2 holds ten WMF pictures; the first is a text picture.
    const QRectF first = shapeBox(*r, 1, 0);
    const QRectF second = shapeBox(*r, 1, 1);
    const QImage all = r->renderPage(1, kDpi);
    ASSERT_FALSE(all.isNull());
    EXPECT_GT(darkPixels(all, first), int(first.width() * first.height() / 10));
    EXPECT_EQ(inkedPixels(all, QRectF(0, 0, all.width(), first.top() - 3)), 0);

    const QImage without = r->renderPage(1, kDpi, {0});
    EXPECT_EQ(inkedPixels(without, first.adjusted(0, 0, 0, -3)), 0);
    EXPECT_EQ(darkPixels(without, second), darkPixels(all, second));
}

TEST(SampleDrawing, TablesShowTheirCellText) {
    LUMETRA_REQUIRE_SAMPLES();
    auto r = openSample("10.0_tables.pub");
    ASSERT_TRUE(r);
    const QImage image = r->renderPage(0, kDpi);
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(darkPixels(image, shapeBox(*r, 0, 0), 200), 40);
    EXPECT_GT(darkPixels(image, shapeBox(*r, 0, 1), 200), 40);
    EXPECT_EQ(inkedPixels(image, QRectF(0, 0, image.width(), shapeBox(*r, 0, 0).top() - 2)), 0);
}

TEST(SampleDrawing, OlderLayoutsDrawAndHideToo) {
    LUMETRA_REQUIRE_SAMPLES();
    auto r = openSample("8.5_wizard98.pub");
    ASSERT_TRUE(r);
    // Shape 11 (0-based 10) is the text frame "Secondary Story Headline".
    const QRectF headline = shapeBox(*r, 0, 10);
    const QImage all = r->renderPage(0, kDpi);
    ASSERT_FALSE(all.isNull());
    EXPECT_GT(darkPixels(all, headline, 200), 100);
    const QImage without = r->renderPage(0, kDpi, {10});
    ASSERT_FALSE(without.isNull());
    EXPECT_EQ(darkPixels(without, headline.adjusted(0, 2, 0, -2), 200), 0);
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
    // A page without shapes of its own draws as an empty page.
    const QImage empty = r->renderPage(4, kDpi);
    ASSERT_FALSE(empty.isNull());
    EXPECT_EQ(inkedPixels(empty, empty.rect()), 0);
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

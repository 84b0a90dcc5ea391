// New layouts written and read back by the engine's reader: the page size and every slot where
// the plan put it, in fill order, and the title as a text box; for grids and installed label
// sheets (the test database's sheets are planned in LabelCatalogue, written by the window and
// by lumetra-layout).

#include "GridLayout.h"
#include "LabelCatalogue.h"
#include "LayoutTestSupport.h"
#include "Measures.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using lumetra::layouttest::mm;
using lumetra::layoutwriter::GridOptions;
using lumetra::layoutwriter::LabelCatalogue;
using lumetra::layoutwriter::LayoutPlan;
using lumetra::runtime::Replace;

enum class Source { Grid, Installed };

struct Row {
    const char* name;
    Source source;
    GridOptions grid;  // Source::Grid
    const char* sheet; // the others
    // Expected, as the user asked or the product's data sheet says.
    QSizeF pagePoints;
    int count;
    QRectF first; // points
    QRectF last;  // points
    const char* title;
};

QSizeF mmPage(double w, double h) {
    return mm(0, 0, w, h).size();
}

// A label sheet of the installed database.
Row sheet(const char* name, const char* sheet, QSizeF page, int count, QRectF first, QRectF last) {
    return {name, Source::Installed, {}, sheet, page, count, first, last, ""};
}

const Row Rows[] = {
    {"A4_4x3_with_title", Source::Grid,
     GridOptions{QSizeF(210, 297), false, 4, 3, 10, 5, "Catalogo 2025 – Primavera"}, "",
     mmPage(210, 297), 12, mm(10, 27, 60, 61.25), mm(140, 225.75, 60, 61.25),
     "Catalogo 2025 – Primavera"},
    {"A3_landscape_2x5_no_spacing", Source::Grid,
     GridOptions{QSizeF(297, 420), true, 2, 5, 15, 0, ""}, "", mmPage(420, 297), 10,
     mm(15, 15, 78, 133.5), mm(327, 148.5, 78, 133.5), ""},
    {"Letter_whole_page", Source::Grid, GridOptions{QSizeF(215.9, 279.4), false, 1, 1, 0, 0, ""},
     "", QSizeF(612, 792), 1, QRectF(0, 0, 612, 792), QRectF(0, 0, 612, 792), ""},
    {"custom_100x150_5x2_titled", Source::Grid,
     GridOptions{QSizeF(100, 150), false, 5, 2, 5, 2.5, "Prezzi"}, "", mmPage(100, 150), 10,
     mm(5, 19.5, 43.75, 23.1), mm(51.25, 121.9, 43.75, 23.1), "Prezzi"},
    {"A3_100x100_smallest_cells", Source::Grid,
     GridOptions{QSizeF(297, 420), false, 100, 100, 0, 0, ""}, "", mmPage(297, 420), 10000,
     mm(0, 0, 2.97, 4.2), mm(294.03, 415.8, 2.97, 4.2), ""},
    sheet("installed_Avery_L7163", "Avery L7163", mmPage(210, 297), 14, QRectF(9.5, 43, 280.9, 108),
          QRectF(301.5, 691, 280.9, 108)),
    sheet("installed_Avery_3112_round", "Avery 3112", QSizeF(612, 792), 20,
          QRectF(36, 54, 108, 108), QRectF(468, 630, 108, 108)),
};

class LayoutRoundTrip : public ::testing::TestWithParam<Row> {};

TEST_P(LayoutRoundTrip, SlotsReadBackAsPlannedAndAsAsked) {
    const Row& row = GetParam();
    QTemporaryDir dir;
    std::optional<LayoutPlan> plan;
    if (row.source == Source::Grid) {
        const auto result = lumetra::layoutwriter::planGrid(row.grid);
        ASSERT_TRUE(result.plan) << result.error.toStdString();
        plan = result.plan;
    } else {
        const QString folder = lumetra::layouttest::installedTemplates();
        if (folder.isEmpty()) {
            GTEST_SKIP() << "glabels-data is not installed: the installed label sheets are not "
                            "checked";
        }
        const LabelCatalogue catalogue = LabelCatalogue::loadFolder(folder);
        const auto* sheet = catalogue.find(QString::fromUtf8(row.sheet));
        ASSERT_NE(sheet, nullptr) << row.sheet;
        plan = sheet->plan();
    }

    // What was asked.
    EXPECT_NEAR(plan->pageWidth, row.pagePoints.width(), 0.01);
    EXPECT_NEAR(plan->pageHeight, row.pagePoints.height(), 0.01);
    ASSERT_EQ(static_cast<int>(plan->rectangles.size()), row.count);
    lumetra::layouttest::expectSameRect(plan->rectangles.front(), row.first, "first", 0.01);
    lumetra::layouttest::expectSameRect(plan->rectangles.back(), row.last, "last", 0.01);
    EXPECT_EQ(plan->title, QString::fromUtf8(row.title));

    // What was written.
    const QString path = dir.filePath(QStringLiteral("nuovo.pub"));
    const auto written = lumetra::layoutwriter::writeLayout(*plan, path, Replace::Never);
    ASSERT_TRUE(written.written()) << written.message.toStdString();
    lumetra::layouttest::expectLayoutIsPlan(lumetra::layouttest::readLayout(path), *plan);
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutRoundTrip, ::testing::ValuesIn(Rows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace

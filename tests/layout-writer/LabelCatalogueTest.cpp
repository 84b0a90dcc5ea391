// The label sheets of the gLabels template database: read from a database of the test's own
// with every kind of template, looked up and filtered. The installed database is read by
// lumetra-layout's runs (LayoutTool, LibreOffice), which also show the message when there is none.

#include "LabelCatalogue.h"
#include "LayoutTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using lumetra::layouttest::mm;
using lumetra::layoutwriter::LabelCatalogue;
using lumetra::layoutwriter::LabelSheet;

struct SheetRow {
    const char* name;
    const char* paper; // empty: custom size
    QSizeF page;       // points
    int labels;
    bool round;
    QRectF first, last; // points, in fill order
    const char* summary;
};

const QSizeF A4 = mm(0, 0, 210, 297).size();

const SheetRow Sheets[] = {
    {"Prova Rett-mm", "A4", A4, 6, false, mm(15, 20, 80, 40), mm(105, 110, 80, 40),
     "etichette 80 x 40 mm, 6 per foglio (2 x 3), A4"},
    {"Prova Uguale", "A4", A4, 6, false, mm(15, 20, 80, 40), mm(105, 110, 80, 40),
     "etichette 80 x 40 mm, 6 per foglio (2 x 3), A4"},
    {"Prova Catena", "A4", A4, 6, false, mm(15, 20, 80, 40), mm(105, 110, 80, 40),
     "etichette 80 x 40 mm, 6 per foglio (2 x 3), A4"},
    {"Prova Sfalsate", "", mm(0, 0, 100, 60).size(), 3, false, mm(30, 5, 40, 20),
     mm(55, 30, 40, 20), "etichette 40 x 20 mm, 3 per foglio (2 x 1 + 1 x 1), 100 x 60 mm"},
    {"Prova CD", "A5", mm(0, 0, 148, 210).size(), 1, true, mm(16, 10, 116, 80), mm(16, 10, 116, 80),
     "etichette rotonde 116 x 80 mm, 1 per foglio (1 x 1), A5"},
    {"Prova Ellisse", "A4", A4, 2, true, QRectF(100, 200, 60, 30), QRectF(100, 250, 60, 30),
     "etichette ellittiche 21,17 x 10,58 mm, 2 per foglio (1 x 2), A4"},
    {"Prova Punti", "A4", A4, 1, false, QRectF(72 / 2.54, 36, 72 / 1.27, 36),
     QRectF(72 / 2.54, 36, 72 / 1.27, 36), "etichette 20 x 12,7 mm, 1 per foglio (1 x 1), A4"},
};

TEST(LabelCatalogue, ReadsEveryKindOfTemplateOfTheDatabase) {
    QTemporaryDir dir;
    lumetra::layouttest::writeTemplateFixture(dir.path());
    const LabelCatalogue catalogue = LabelCatalogue::loadFolder(dir.path());
    ASSERT_TRUE(catalogue.problem().isEmpty()) << catalogue.problem().toStdString();
    // No layout, unknown paper, equivalent of nothing, more labels than a layout may hold.
    EXPECT_EQ(catalogue.skipped(), 4);
    // Sorted by part, numbers in numeric order, whatever the file's order.
    QStringList names;
    for (const LabelSheet& sheet : catalogue.sheets())
        names.append(sheet.name());
    EXPECT_EQ(names,
              QStringList({"Prova Catena", "Prova CD", "Prova Ellisse", "Prova Punti",
                           "Prova Rett-mm", "Prova Sfalsate", "Prova Tonde-in", "Prova Uguale"}));
    for (const SheetRow& row : Sheets) {
        SCOPED_TRACE(row.name);
        const LabelSheet* sheet = catalogue.find(QString::fromUtf8(row.name));
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->paper, QString::fromUtf8(row.paper));
        EXPECT_NEAR(sheet->pageWidth, row.page.width(), 0.001);
        EXPECT_NEAR(sheet->pageHeight, row.page.height(), 0.001);
        EXPECT_EQ(sheet->labelCount(), row.labels);
        EXPECT_EQ(sheet->hasRoundLabels(), row.round);
        const std::vector<QRectF> labels = sheet->plan().rectangles;
        lumetra::layouttest::expectSameRect(labels.front(), row.first, "first label", 0.001);
        lumetra::layouttest::expectSameRect(labels.back(), row.last, "last label", 0.001);
        EXPECT_EQ(sheet->summary(), QString::fromUtf8(row.summary));
    }
}

TEST(LabelCatalogue, FindsSheetsRegardlessOfCaseAndSpacesAndFiltersByEveryWord) {
    QTemporaryDir dir;
    lumetra::layouttest::writeTemplateFixture(dir.path());
    const LabelCatalogue catalogue = LabelCatalogue::loadFolder(dir.path());
    ASSERT_NE(catalogue.find(QStringLiteral("  prova   tonde-IN ")), nullptr);
    EXPECT_EQ(catalogue.find(QStringLiteral("Prova Tonde")), nullptr);
    EXPECT_EQ(catalogue.find(QStringLiteral("Prova Orfana")), nullptr);

    const struct {
        const char* filter;
        int found;
    } filters[] = {{"", 8},         {"prova", 8},        {"a4", 5},
                   {"prova a4", 5}, {"tonde letter", 1}, {"rettangoli", 3},
                   {"nessuno", 0}};
    for (const auto& f : filters) {
        EXPECT_EQ(static_cast<int>(catalogue.matching(QString::fromUtf8(f.filter)).size()), f.found)
            << f.filter;
    }
}

} // namespace

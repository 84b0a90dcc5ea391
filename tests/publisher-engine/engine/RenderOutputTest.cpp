// PrintOut to PDF files: print ranges, files and bad arguments, landscape pages read back with
// poppler. Composed pages read back from the PDF (page count with copies asked for, placement,
// pictures, captions) are the composition's contract suite on this engine; the A4 page size the
// window's job reaches the PDF with is its end-to-end test.

#include "EngineTestSupport.h"

#include "TestProcess.h"

#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;
using lumetra::testsupport::runProgram;

TEST(RenderOutput, PrintToFileAndRangeAndBadArguments) {
    EngineFixture f;
    const QString other = f.path("altro.pdf");
    f.document->PrintOut(2, 2, other, 1, false);
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_FALSE(QFileInfo::exists(f.pdfFile));
    if (!QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        EXPECT_TRUE(runProgram("pdfinfo", {other}).contains(QRegularExpression("Pages:\\s+1\\n")));
    }
    for (const auto& [from, to, copies] :
         std::vector<std::tuple<int, int, int>>{{0, 1, 1}, {1, 3, 1}, {2, 1, 1}, {-1, -1, 0}}) {
        EXPECT_THROW(f.document->PrintOut(from, to, QString(), copies, true), Publisher::Error);
    }
    QString why;
    EXPECT_EQ(
        errorNumber([&] { f.document->PrintOut(-1, -1, f.path("manca/cartella/x.pdf"), 1, true); },
                    &why),
        lumetra::runtime::ErrScritturaFile);
    EXPECT_TRUE(why.contains("PDF")) << why.toStdString();
}

TEST(RenderOutput, LandscapeLayoutsKeepTheirPageSize) {
    if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    auto layout = std::make_shared<MemoryLayout>(QSizeF(842, 595));
    layout->addRectangle(layout->addPage(), QRectF(600, 400, 200, 150), Qt::red);
    EngineFixture f(true, layout);
    f.document->PrintOut(-1, -1, QString(), 1, true);
    // At 72 dpi a pixel a point: the page 842 x 595 pt, the rectangle near its bottom right
    // corner still there.
    runProgram("pdftoppm", {"-r", "72", "-singlefile", "-png", f.pdfFile, f.path("p")});
    const QImage page(f.path("p.png"));
    ASSERT_EQ(page.size(), QSize(842, 595));
    EXPECT_GT(countPixels(page, QRect(610, 410, 180, 130), Qt::red), 180 * 130 * 9 / 10);
}

// PrintOut end to end: a PDF read back with poppler (page count and size, placement), print
// ranges, files and bad arguments, landscape pages.

#include "EngineTestSupport.h"

#include "TestImages.h"

#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;
namespace images = lumetra::testimages;

// What PrintOut writes: the pages, at the layout's size, in the copies asked for; page 1's red
// rectangle where the layout puts it. Composed pages (pictures, captions, deleted slots) read back
// from the PDF are the composition's contract suite on this engine.
TEST(RenderOutput, PdfReadBackWithPoppler) {
    for (const char* tool : {"pdfinfo", "pdftoppm"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            GTEST_SKIP() << tool << " (poppler-utils) is not installed";
        }
    }
    EngineFixture f;
    f.document->PrintOut(-1, -1, QString(), 3, true);
    ASSERT_TRUE(f.app->document()->lastPrint().has_value());
    EXPECT_EQ(f.document->lastPrint()->copies, 3);
    EXPECT_EQ(f.document->lastPrint()->pdfFile, f.pdfFile);

    const QString info = run("pdfinfo", {f.pdfFile});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 842(\\.\\d+)? pts")))
        << info.toStdString();

    // Page 1 at 36 dpi (half a pixel per point): the red rectangle (50,50)-(250,350) pt.
    run("pdftoppm", {"-f", "1", "-l", "1", "-r", "36", "-png", f.pdfFile, f.path("pagina")});
    QImage page(f.path("pagina-1.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(countPixels(page, QRect(27, 27, 96, 146), Qt::red), 96 * 146 * 9 / 10);
    EXPECT_EQ(countPixels(page, QRect(0, 0, 297, 22), Qt::white, 8), 297 * 22);
    EXPECT_EQ(countPixels(page, QRect(128, 25, 20, 150), Qt::white, 8), 20 * 150);
}

TEST(RenderOutput, PrintToFileAndRangeAndBadArguments) {
    EngineFixture f;
    const QString other = f.path("altro.pdf");
    f.document->PrintOut(2, 2, other, 1, false);
    EXPECT_EQ(f.document->lastPrint()->firstPage, 2);
    EXPECT_FALSE(f.document->lastPrint()->collate);
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_FALSE(QFileInfo::exists(f.pdfFile));
    if (!QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        EXPECT_TRUE(run("pdfinfo", {other}).contains(QRegularExpression("Pages:\\s+1\\n")));
    }
    for (const auto& [from, to, copies] :
         std::vector<std::tuple<int, int, int>>{{0, 1, 1}, {1, 3, 1}, {2, 1, 1}, {-1, -1, 0}}) {
        EXPECT_THROW(f.document->PrintOut(from, to, QString(), copies, true), Publisher::Error);
    }
    try {
        f.document->PrintOut(-1, -1, f.path("manca/cartella/x.pdf"), 1, true);
        ADD_FAILURE() << "a PDF in a missing folder was written";
    } catch (const Publisher::Error& error) {
        EXPECT_EQ(error.Number(), lumetra::runtime::ErrScritturaFile);
        EXPECT_TRUE(error.Description().contains("PDF")) << error.Description().toStdString();
    }
}

TEST(RenderOutput, LandscapeLayoutsKeepTheirPageSize) {
    if (QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed";
    }
    QTemporaryDir dir;
    auto layout = std::make_shared<MemoryLayout>(QSizeF(842, 595));
    layout->addRectangle(layout->addPage(), QRectF(600, 400, 200, 150), Qt::red);
    const QString file = dir.filePath("orizzontale.pub");
    images::writeTextFile(file, "layout");
    EngineOptions options;
    options.loadLayout = memoryLayoutLoader(layout);
    options.pdfFile = dir.filePath("orizzontale.pdf");
    auto app = fabbricaMotore(options)();
    app->Open(file, false, true, 3)->PrintOut(-1, -1, QString(), 1, true);
    const QString info = run("pdfinfo", {options.pdfFile});
    EXPECT_TRUE(
        info.contains(QRegularExpression("Page size:\\s+842(\\.\\d+)? x 595(\\.\\d+)? pts")))
        << info.toStdString();
    // The rectangle near the bottom right corner stays there.
    run("pdftoppm", {"-r", "36", "-singlefile", "-png", options.pdfFile, dir.filePath("p")});
    const QImage page(dir.filePath("p.png"));
    ASSERT_EQ(page.size(), QSize(421, 298));
    EXPECT_GT(countPixels(page, QRect(305, 205, 90, 65), Qt::red), 90 * 65 * 9 / 10);
}

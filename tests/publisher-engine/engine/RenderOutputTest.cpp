// PrintOut to PDF files: print ranges, files and bad arguments, landscape pages read back with
// poppler. Composed pages read back from the PDF (page count with copies asked for, placement,
// pictures, captions) are the composition's contract suite on this engine; the A4 page size the
// window's job reaches the PDF with is its end-to-end test. Pictures fitted into their boxes
// each way, read back from the PDF.

#include "EngineTestSupport.h"

#include "TestImages.h"
#include "TestProcess.h"

#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;
using lumetra::testsupport::runProgram;
namespace images = lumetra::testimages;

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

// A red picture in the square box (100,100,200,200) of a 400 pt page, each fit: the resolution
// reported is the one the PDF's picture has; the painted part of the page (at a pixel a point)
// is the box (Deforma, Riempi: nothing beyond it) or the centred band of the picture's shape
// (Adatta). A JPEG cut at 40% and closed with an end marker looks whole until read through.
TEST(RenderOutput, PictureFitsReadBackFromThePdf) {
    if (QStandardPaths::findExecutable("pdfimages").isEmpty()) {
        GTEST_SKIP() << "pdfimages (poppler-utils) is not installed";
    }
    const QRect box(100, 100, 200, 200);
    const struct {
        QSize size;
        int fit;
        double across, down; // pixels per inch
        QRect painted;
        bool cut = false;
    } rows[] = {
        {{400, 200}, Publisher::lmPictureFitStretch, 144, 72, box},
        {{400, 200}, Publisher::lmPictureFitContain, 144, 144, QRect(100, 150, 200, 100)},
        {{400, 200}, Publisher::lmPictureFitCover, 72, 72, box},
        {{200, 400}, Publisher::lmPictureFitContain, 144, 144, QRect(150, 100, 100, 200)},
        {{200, 400}, Publisher::lmPictureFitCover, 72, 72, box, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        auto layout = std::make_shared<MemoryLayout>(QSizeF(400, 400));
        layout->addPage();
        EngineFixture f(true, layout);
        const QString file = images::writeJpeg(f.path("foto.jpg"), row.size, Qt::red);
        if (row.cut) {
            const QByteArray whole = images::readBytes(file);
            images::writeBytes(file, whole.left(whole.size() * 4 / 10) + "\xff\xd9");
        }
        auto shapes = f.document->Pages()->Item(1)->Shapes();
        auto format = shapes->AddPicture(file, 0, -1, 100, 100, 200, 200)->PictureFormat();
        format->SetFit(row.fit);
        EXPECT_EQ(errorNumber([&] { format->SetFit(3); }), lumetra::runtime::ErrArgomentoNonValido);
        EXPECT_EQ(format->Fit(), row.fit);
        EXPECT_EQ(format->Damage().isEmpty(), !row.cut) << format->Damage().toStdString();
        f.document->PrintOut(-1, -1, QString(), 1, true);
        const QStringList listed = runProgram("pdfimages", {"-list", f.pdfFile}).split(u'\n');
        const QStringList columns = listed.value(2).split(u' ', Qt::SkipEmptyParts);
        ASSERT_GE(columns.size(), 14) << listed.join(u'\n').toStdString();
        EXPECT_EQ(columns[12].toDouble(), row.across);
        EXPECT_EQ(columns[13].toDouble(), row.down);
        EXPECT_NEAR(format->HorizontalResolution(), row.across, 1e-9);
        EXPECT_NEAR(format->VerticalResolution(), row.down, 1e-9);
        runProgram("pdftoppm", {"-r", "72", "-singlefile", "-png", f.pdfFile, f.path("p")});
        const QImage page(f.path("p.png"));
        ASSERT_EQ(page.size(), QSize(400, 400));
        const int painted = 400 * 400 - countPixels(page, page.rect(), Qt::white, 8);
        EXPECT_EQ(countPixels(page, row.painted.adjusted(1, 1, -1, -1), Qt::white, 8), 0);
        EXPECT_LE(painted, (row.painted.width() + 2) * (row.painted.height() + 2));
    }
}

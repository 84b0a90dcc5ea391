// A composed page end to end: rendered pixels, and a PDF written by PrintOut read back with
// poppler (page count and size, picture placement, caption text and position).

#include "EngineTestSupport.h"

#include "TestImages.h"

#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;
namespace images = lumetra::testimages;

namespace {

// A page with a red picture in the red slot, an external caption under it and an internal
// caption in its top-left corner on white; the slots deleted as the composition does.
void compose(EngineFixture& f, int pageIndex) {
    auto page = f.document->Pages()->Item(pageIndex);
    auto shapes = page->Shapes();
    const QString picture =
        images::writeJpeg(f.path("ROSSO42.jpg"), QSize(400, 600), QColor(200, 0, 0));
    auto slot = shapes->Item(2);
    auto pic = shapes->AddPicture(picture, 0, -1, slot->Left(), slot->Top(), slot->Width(),
                                  slot->Height());
    auto below = shapes->AddTextbox(1, pic->Left(), pic->Top().Number() + pic->Height().Number(),
                                    pic->Width(), "0,7 cm");
    below->TextFrame()->SetAutoFitText(2);
    below->TextFrame()->TextRange()->SetText("ROSSO42");
    below->TextFrame()->TextRange()->ParagraphFormat()->SetAlignment(1);
    below->TextFrame()->TextRange()->Font()->SetName("Times New Roman");
    below->SetHeight(below->Height());

    auto inside = shapes->AddTextbox(1, pic->Left(), pic->Top(), pic->Width(), "0,7 cm");
    inside->TextFrame()->SetAutoFitText(2);
    inside->TextFrame()->TextRange()->SetText("INT7");
    inside->SetWidth(1);
    inside->Fill()->ForeColor()->SetRGB(0xFFFFFF);
    inside->TextFrame()->SetAutoFitText(0);
    do {
        inside->SetWidth(inside->Width().Number() + 1);
    } while (inside->TextFrame()->Overflowing());
    inside->TextFrame()->SetAutoFitText(2);
    shapes->Item(3)->Delete(); // green slot
    shapes->Item(2)->Delete(); // red slot (under the picture)
}

const double Caption = 0.7 / 2.54 * 72;

} // namespace

TEST(RenderOutput, ComposedPagePixels) {
    EngineFixture f;
    compose(f, 1);
    const QImage page = renderPage(*f.document, 0, 72); // 1 px per point
    // The picture fills its box (50,50)-(250,350) except the white internal caption.
    const QRect picture(52, 52 + int(Caption) + 2, 196, 290 - int(Caption));
    EXPECT_GT(countPixels(page, picture, QColor(200, 0, 0)),
              picture.width() * picture.height() * 95 / 100);
    // The internal caption: white fill with dark text, narrower than the picture.
    const QRect inner(50, 50, 200, int(Caption));
    const int white = countPixels(page, inner, Qt::white, 30);
    const int dark = countPixels(page, inner, Qt::black, 110);
    EXPECT_GT(white, 200);
    EXPECT_GT(dark, 20);
    EXPECT_GT(countPixels(page, QRect(150, 52, 98, int(Caption) - 4), QColor(200, 0, 0)), 0)
        << "the internal caption covers only the left part";
    // The external caption: dark text centred under the picture, nothing beyond its box.
    const QRect below(50, 350, 200, int(Caption));
    EXPECT_GT(countPixels(page, below, Qt::black, 110), 30);
    EXPECT_EQ(countPixels(page, QRect(50, 350, 40, int(Caption)), Qt::black, 110), 0)
        << "centred text leaves the left end empty";
    // Green slot deleted: white there.
    EXPECT_EQ(countPixels(page, QRect(305, 55, 190, 290), Qt::white), 190 * 290);
}

TEST(RenderOutput, PdfReadBackWithPoppler) {
    for (const char* tool : {"pdfinfo", "pdftotext", "pdftoppm"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            GTEST_SKIP() << tool << " (poppler-utils) is not installed";
        }
    }
    EngineFixture f;
    compose(f, 1);
    f.document->PrintOut(-1, -1, QString(), 3, true);
    ASSERT_TRUE(f.app->document()->lastPrint().has_value());
    EXPECT_EQ(f.document->lastPrint()->copies, 3);
    EXPECT_EQ(f.document->lastPrint()->pdfFile, f.pdfFile);

    const QString info = run("pdfinfo", {f.pdfFile});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression("Page size:\\s+595(\\.\\d+)? x 842(\\.\\d+)? pts")))
        << info.toStdString();

    // Captions: text and position (points, from the top left).
    const QString html = run("pdftotext", {"-bbox", "-f", "1", "-l", "1", f.pdfFile, "-"});
    const QRegularExpression word("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                  "yMax=\"([\\d.]+)\">ROSSO42<");
    const auto match = word.match(html);
    ASSERT_TRUE(match.hasMatch()) << html.toStdString();
    const double xMin = match.captured(1).toDouble(), xMax = match.captured(3).toDouble();
    const double yMin = match.captured(2).toDouble(), yMax = match.captured(4).toDouble();
    EXPECT_NEAR((xMin + xMax) / 2, 150, 3); // centred under the picture
    EXPECT_GE(yMin, 349);
    EXPECT_LE(yMax, 350 + Caption + 1);
    EXPECT_TRUE(html.contains(">INT7<"));

    // Picture placement: page 1 at 36 dpi (half a pixel per point).
    run("pdftoppm", {"-f", "1", "-l", "1", "-r", "36", "-png", f.pdfFile, f.path("pagina")});
    QImage page(f.path("pagina-1.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(countPixels(page, QRect(27, 40, 96, 130), QColor(200, 0, 0)), 96 * 130 * 9 / 10);
    EXPECT_EQ(countPixels(page, QRect(0, 0, 297, 22), Qt::white, 8), 297 * 22);
    EXPECT_EQ(countPixels(page, QRect(130, 25, 20, 150), Qt::white, 8), 20 * 150);
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
        EXPECT_TRUE(error.Description().contains("PDF"));
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

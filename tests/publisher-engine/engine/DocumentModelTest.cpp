// The document model through the object model: opening, pages, shapes, copies of page 1,
// deletion, what a deleted layout shape does to the drawing; and pictures: what AddPicture
// accepts and refuses, how they are drawn (stretched into their box, EXIF orientation applied),
// and pictures that vanish before printing.

#include "EngineTestSupport.h"

#include "EngineErrors.h"
#include "PictureFile.h"
#include "TestImages.h"
#include "TextBox.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;
using namespace lumetra::runtime; // the error numbers
namespace images = lumetra::testimages;

namespace {

QRectF boxOf(const std::shared_ptr<Publisher::Shape>& shape) {
    return QRectF(shape->Left().Number(), shape->Top().Number(), shape->Width().Number(),
                  shape->Height().Number());
}

} // namespace

// The shapes' types, boxes and order are checked by the composition's suite (ComposizioneMotore).
TEST(DocumentModel, OpenGivesPagesAndShapesCountedFromOne) {
    EngineFixture f;
    auto pages = f.app->ActiveDocument()->Pages();
    ASSERT_EQ(pages->Count(), 2);
    auto shapes = pages->Item(1)->Shapes();
    ASSERT_EQ(shapes->Count(), 3);
    EXPECT_EQ(pages->Item(2)->Shapes()->Count(), 1);

    EXPECT_EQ(errorNumber([&] { pages->Item(3); }), ErrIndiceNonValido);
    EXPECT_EQ(errorNumber([&] { pages->Item(0); }), ErrIndiceNonValido);
    EXPECT_EQ(errorNumber([&] { shapes->Item(4); }), ErrIndiceNonValido);
}

TEST(DocumentModel, AddedPagesCopyPageOnesShapesInOrder) {
    EngineFixture f;
    auto pages = f.document->Pages();
    auto textbox = pages->Item(1)->Shapes()->AddTextbox(1, 10, 400, 100, "0,7 cm");
    textbox->TextFrame()->TextRange()->SetText("ABC");
    pages->Item(1)->Shapes()->Item(1)->Delete(); // the oval: not copied any more

    auto added = pages->Add(1, pages->Count(), 1);
    ASSERT_EQ(pages->Count(), 3);
    auto copy = pages->Item(3)->Shapes();
    auto original = pages->Item(1)->Shapes();
    ASSERT_EQ(copy->Count(), original->Count());
    for (int n = 1; n <= copy->Count(); ++n) {
        EXPECT_EQ(copy->Item(n)->Type(), original->Item(n)->Type()) << n;
        EXPECT_EQ(boxOf(copy->Item(n)), boxOf(original->Item(n))) << n;
    }
    EXPECT_EQ(copy->Item(3)->TextFrame()->TextRange()->Text(), "ABC");
    // Copies are independent of their original.
    copy->Item(1)->SetLeft(77);
    EXPECT_EQ(original->Item(1)->Left().Number(), 50);
    EXPECT_EQ(added->Shapes()->Item(1)->Left().Number(), 77);

    // Inserting in the middle, blank pages, bad arguments.
    pages->Add(2, 1, 0);
    ASSERT_EQ(pages->Count(), 5);
    EXPECT_EQ(pages->Item(2)->Shapes()->Count(), 0);
    EXPECT_EQ(pages->Item(4)->Shapes()->Count(), 1); // the layout's page 2 moved down
    EXPECT_EQ(errorNumber([&] { pages->Add(1, 9, 1); }), ErrArgomentoNonValido);
    EXPECT_EQ(errorNumber([&] { pages->Add(0, 1, 1); }), ErrArgomentoNonValido);
    EXPECT_EQ(errorNumber([&] { pages->Add(1, 1, 9); }), ErrArgomentoNonValido);
}

TEST(DocumentModel, DeletionRenumbersAndTheLastPageStays) {
    EngineFixture f;
    auto pages = f.document->Pages();
    auto shapes = pages->Item(1)->Shapes();
    auto oval = shapes->Item(1);
    oval->Delete();
    EXPECT_EQ(shapes->Count(), 2);
    EXPECT_EQ(boxOf(shapes->Item(1)), QRectF(50, 50, 200, 300));
    EXPECT_EQ(errorNumber([&] { oval->Left(); }), ErrOggettoNonValido);
    EXPECT_EQ(errorNumber([&] { oval->Delete(); }), ErrOggettoNonValido);

    auto first = pages->Item(1);
    first->Delete();
    EXPECT_EQ(pages->Count(), 1);
    EXPECT_EQ(pages->Item(1)->Shapes()->Count(), 1); // the layout's page 2 is page 1 now
    EXPECT_EQ(errorNumber([&] { first->Shapes(); }), ErrOggettoNonValido);
    EXPECT_EQ(errorNumber([&] { pages->Item(1)->Delete(); }), ErrUltimaPagina);
    EXPECT_EQ(pages->Count(), 1);
}

TEST(DocumentModel, DeletedLayoutShapesAreHiddenOnTheirPageOnly) {
    EngineFixture f;
    auto pages = f.document->Pages();
    pages->Add(1, pages->Count(), 1);            // page 3: a copy of page 1
    pages->Item(3)->Shapes()->Item(2)->Delete(); // the red rectangle, on the copy only

    const QImage original = renderPage(*f.document, 0, 36);
    const QImage copy = renderPage(*f.document, 2, 36);
    const QRect red(30, 30, 90, 140); // inside (50,50,200,300) pt at 0.5 px/pt
    const QRect green(155, 30, 90, 140);
    EXPECT_GT(countPixels(original, red, Qt::red), 10000);
    EXPECT_EQ(countPixels(copy, red, Qt::white), red.width() * red.height());
    EXPECT_GT(countPixels(copy, green, Qt::green), 10000);
    EXPECT_GT(countPixels(copy, QRect(205, 355, 40, 20), Qt::blue), 500); // the oval stays
    EXPECT_EQ(countPixels(copy, copy.rect(), Qt::magenta, 10), 0);        // all painted
}

TEST(DocumentModel, MeasurementsInTextAndNumbers) {
    EngineFixture f;
    auto shapes = f.document->Pages()->Item(1)->Shapes();
    auto box = shapes->AddTextbox(1, "1 in", "2,54 cm", "25.4mm", "0,7 cm");
    EXPECT_DOUBLE_EQ(box->Left().Number(), 72.0);
    EXPECT_NEAR(box->Top().Number(), 72.0, 1e-9);
    EXPECT_NEAR(box->Width().Number(), 72.0, 1e-9);
    EXPECT_NEAR(box->Height().Number(), 0.7 / 2.54 * 72, 1e-9);
    box->SetHeight(" 12 pt ");
    EXPECT_DOUBLE_EQ(box->Height().Number(), 12.0);
    for (const char* bad : {"", "cm", "abc", "1,2,3 cm", "7 km", "1e999"}) {
        EXPECT_EQ(errorNumber([&] { box->SetTop(bad); }), ErrTipoNonValido) << bad;
    }
    EXPECT_EQ(errorNumber([&] { box->SetWidth(-1); }), ErrArgomentoNonValido);
    EXPECT_EQ(errorNumber([&] { shapes->AddTextbox(1, 0, 0, "x", 10); }), ErrTipoNonValido);
    EXPECT_EQ(errorNumber([&] { shapes->Item(1)->TextFrame(); }), ErrArgomentoNonValido);
    EXPECT_EQ(box->PictureFormat(), nullptr);
    box->TextFrame()->TextRange()->SetText("ABC"); // best fit: a line in 12 pt less the margins
    box->TextFrame()->SetAutoFitText(Publisher::pbTextAutoFitBestFit);
    const double size = box->TextFrame()->TextRange()->Font()->Size();
    EXPECT_TRUE(size > 0 && size < 12 - 2 * TextMargin) << size;
}

TEST(DocumentModel, CloseAndQuit) {
    EngineFixture f;
    auto pages = f.document->Pages();
    auto shape = pages->Item(1)->Shapes()->Item(2);
    f.document->Close();
    EXPECT_EQ(errorNumber([&] { pages->Count(); }), ErrOggettoNonValido);
    EXPECT_EQ(errorNumber([&] { shape->Top(); }), ErrOggettoNonValido);
    EXPECT_EQ(errorNumber([&] { f.app->ActiveDocument(); }), ErrOggettoNonValido);
    f.app->Quit();
    EXPECT_EQ(errorNumber([&] { f.app->Open(f.layoutFile, false, true, 3); }),
              ErrApplicazioneChiusa);
    // An engine without a window cannot show one.
    EngineFixture g;
    EXPECT_EQ(errorNumber([&] { g.app->ActiveWindow()->SetVisible(true); }), ErrOggettoNonValido);
    EXPECT_FALSE(g.app->ActiveWindow()->Visible());
}

TEST(Pictures, BadFilesAreRefusedByNameWhenAdded) {
    EngineFixture f;
    const struct {
        QString file;
        int number;
    } cases[] = {
        {f.path("manca.jpg"), ErrFileNonTrovato},
        {images::writeEmptyFile(f.path("vuoto.jpg")), ErrImmagineNonValida},
        {f.dir.path(), ErrPercorsoNonValido},
    };
    auto shapes = f.document->Pages()->Item(1)->Shapes();
    for (const auto& c : cases) {
        QString why;
        EXPECT_EQ(errorNumber([&] { shapes->AddPicture(c.file, 0, -1, 50, 50, 200, 300); }, &why),
                  c.number)
            << c.file.toStdString();
        EXPECT_TRUE(why.contains(QFileInfo(c.file).fileName())) << why.toStdString();
        EXPECT_EQ(shapes->Count(), 3) << "a refused picture leaves no shape";
    }
}

TEST(Pictures, DrawnStretchedIntoTheirBoxWithExifOrientation) {
    EngineFixture f;
    // Stored 200x100: top half red, bottom half blue. Orientation 6 turns it 90 degrees
    // clockwise, so it shows 100x200 with red on the right and blue on the left.
    const QString turned = images::writeJpeg(
        f.path("ruotata.jpg"), images::splitImage(QSize(200, 100), Qt::red, Qt::blue), 95, 6);
    EXPECT_EQ(probePicture(turned).size, QSize(100, 200));
    auto shapes = f.document->Pages()->Item(2)->Shapes();
    shapes->Item(1)->Delete(); // the grey rectangle
    shapes->AddPicture(turned, 0, -1, 100, 100, 300, 200);
    const QImage page = renderPage(*f.document, 1, 72);
    // Box (100,100)-(400,300) at 1 px per point.
    EXPECT_GT(countPixels(page, QRect(110, 110, 130, 180), Qt::blue), 130 * 180 * 9 / 10);
    EXPECT_GT(countPixels(page, QRect(260, 110, 130, 180), Qt::red), 130 * 180 * 9 / 10);
    EXPECT_EQ(countPixels(page, QRect(0, 0, 595, 95), Qt::white), 595 * 95); // nothing outside
    EXPECT_EQ(countPixels(page, QRect(405, 100, 190, 200), Qt::white), 190 * 200);

    // Decoding asks for the drawn size only.
    const QString large = images::writeJpeg(f.path("grande.jpg"), QSize(1600, 1200), Qt::green);
    EXPECT_EQ(decodePicture(large, QSize(160, 90))->image().size(), QSize(160, 90));
    EXPECT_EQ(decodePicture(large, QSize(3200, 2400))->image().size(), QSize(1600, 1200));
    EXPECT_EQ(decodePicture(turned, QSize(50, 100))->image().size(), QSize(50, 100));
}

// A picture is held from AddPicture on: deleted before printing, it still prints. (One whose file
// is emptied in place cannot be drawn: CupsPrint and the composition's engine tests.)
TEST(Pictures, APictureDeletedBeforePrintingStillPrints) {
    EngineFixture f;
    const QString file = images::writeJpeg(f.path("sparisce.jpg"), QSize(100, 100), Qt::red);
    auto shapes = f.document->Pages()->Item(2)->Shapes();
    shapes->AddPicture(file, 0, -1, 100, 300, 100, 100);
    ASSERT_TRUE(QFile::remove(file));

    QStringList unreadable;
    const QImage page = renderPage(*f.document, 1, 72, &unreadable);
    EXPECT_TRUE(unreadable.isEmpty()) << unreadable.join(u',').toStdString();
    EXPECT_GT(countPixels(page, QRect(110, 310, 80, 80), Qt::red), 80 * 80 * 9 / 10);
}

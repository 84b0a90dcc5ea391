// Pictures: what AddPicture accepts and refuses, how pictures are drawn (stretched into their
// box, EXIF orientation applied), and pictures that vanish before printing.

#include "EngineTestSupport.h"

#include "EngineErrors.h"
#include "PictureFile.h"
#include "TestImages.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;
namespace images = lumetra::testimages;

namespace {

struct Refusal {
    int number = 0;
    QString description;
};

Refusal addPicture(EngineFixture& f, const QString& file) {
    auto shapes = f.document->Pages()->Item(1)->Shapes();
    const int before = shapes->Count();
    try {
        shapes->AddPicture(file, 0, -1, 50, 50, 200, 300);
    } catch (const Publisher::Error& error) {
        EXPECT_EQ(shapes->Count(), before) << "a refused picture leaves no shape";
        return {error.Number(), error.Description()};
    }
    return {};
}

} // namespace

TEST(Pictures, BadFilesAreRefusedByNameWhenAdded) {
    EngineFixture f;
    const struct {
        QString file;
        int number;
    } cases[] = {
        {f.path("manca.jpg"), lumetra::runtime::ErrFileNonTrovato},
        {images::writeEmptyFile(f.path("vuoto.jpg")), lumetra::runtime::ErrImmagineNonValida},
        {f.dir.path(), lumetra::runtime::ErrPercorsoNonValido},
    };
    for (const auto& c : cases) {
        const Refusal refusal = addPicture(f, c.file);
        EXPECT_EQ(refusal.number, c.number) << c.file.toStdString();
        EXPECT_TRUE(refusal.description.contains(QFileInfo(c.file).fileName()))
            << refusal.description.toStdString();
    }
}

// A JPEG cut short: its header is intact, so it is accepted and draws what it has.
TEST(Pictures, ATruncatedJpegIsAcceptedAndDrawsWhatItHas) {
    EngineFixture f;
    const QString cut =
        images::writeTruncatedJpeg(f.path("troncato.jpg"), QSize(400, 300), Qt::red, 30);
    EXPECT_EQ(addPicture(f, cut).number, 0);
    QStringList unreadable;
    const QImage page = renderPage(*f.document, 0, 72, &unreadable);
    EXPECT_TRUE(unreadable.isEmpty()) << unreadable.join(u',').toStdString();
    // Box (50,50)-(250,350) at 1 px per point; the cut picture lies on top and its first rows,
    // red on the left half, were decoded.
    EXPECT_GT(countPixels(page, QRect(55, 55, 90, 20), Qt::red), 90 * 20 * 9 / 10);
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

// A picture is held from AddPicture on: deleted before printing, it still prints. One whose file
// is emptied in place cannot be drawn: the output fails naming it, and no PDF is left.
TEST(Pictures, APictureDeletedBeforePrintingStillPrintsAnEmptiedOneFailsTheOutput) {
    EngineFixture f;
    const QString file = images::writeJpeg(f.path("sparisce.jpg"), QSize(100, 100), Qt::red);
    const QString emptied = images::writeJpeg(f.path("svuotata.jpg"), QSize(100, 100), Qt::blue);
    auto shapes = f.document->Pages()->Item(2)->Shapes();
    shapes->AddPicture(file, 0, -1, 100, 300, 100, 100);
    ASSERT_TRUE(QFile::remove(file));

    QStringList unreadable;
    const QImage page = renderPage(*f.document, 1, 72, &unreadable);
    EXPECT_TRUE(unreadable.isEmpty()) << unreadable.join(u',').toStdString();
    EXPECT_GT(countPixels(page, QRect(110, 310, 80, 80), Qt::red), 80 * 80 * 9 / 10);

    shapes->AddPicture(emptied, 0, -1, 300, 300, 100, 100);
    ASSERT_EQ(::truncate(QFile::encodeName(emptied).constData(), 0), 0);
    try {
        f.document->PrintOut(-1, -1, QString(), 1, true);
        ADD_FAILURE() << "the unreadable picture was not reported";
    } catch (const Publisher::Error& error) {
        EXPECT_EQ(error.Number(), lumetra::runtime::ErrImmagineNonValida);
        EXPECT_TRUE(error.Description().contains(QStringLiteral("svuotata.jpg")));
        EXPECT_FALSE(error.Description().contains(QStringLiteral("sparisce.jpg")));
    }
    EXPECT_FALSE(QFileInfo::exists(f.pdfFile)) << "no document with an empty box";
}

// The layout inspector lumetra-pubinfo, run as a program: the layout as JSON, a page drawn to a
// PNG file (--png, at 96 dpi or as --dpi says), every page to a PDF (--pdf), errors in Italian with
// exit code 2.

#include "Layout.h"
#include "LetturaPdf.h"
#include "PubBuilder.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

using lumetra::pub::PubBuilder;
using lumetra::pub::PubItem;

namespace {

lumetra::testsupport::ProgramRun pubinfo(const QStringList& args) {
    return lumetra::testsupport::startProgram(qEnvironmentVariable("LUMETRA_PUBINFO"), args);
}

} // namespace

TEST(PubInfoTool, PrintsPagesShapesAndSlotsAsJson) {
    ASSERT_NE(std::getenv("LUMETRA_PUBINFO"), nullptr);
    QTemporaryDir dir;
    PubBuilder b;
    b.pageSize(595.3, 841.9);
    auto& p = b.addPage();
    p.addTextBox(50, 20, 200, 30, QStringLiteral("titolo"));
    p.addRectangle(50.126, 60, 200, 150);
    p.addGroup({PubItem::rectangle(300, 400, 100, 80), PubItem::oval(300, 500, 100, 80)});
    p.addRectangle(300, 60, 100, 80);
    b.addPage();
    const QString path = dir.filePath(QStringLiteral("layout.pub"));
    ASSERT_TRUE(b.save(path));

    const lumetra::testsupport::ProgramRun run = pubinfo({path});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    QJsonParseError parseError;
    const QJsonObject json = QJsonDocument::fromJson(run.output, &parseError).object();
    ASSERT_EQ(parseError.error, QJsonParseError::NoError) << run.output.toStdString();
    EXPECT_EQ(json[QStringLiteral("version")].toString(), QStringLiteral("2002-2019"));
    EXPECT_DOUBLE_EQ(json[QStringLiteral("pageWidth")].toDouble(), 595.3);
    EXPECT_DOUBLE_EQ(json[QStringLiteral("pageHeight")].toDouble(), 841.9);
    const QJsonArray pages = json[QStringLiteral("pages")].toArray();
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[1].toObject()[QStringLiteral("shapes")].toArray().isEmpty());
    const QJsonArray shapes = pages[0].toObject()[QStringLiteral("shapes")].toArray();
    ASSERT_EQ(shapes.size(), 4);
    const QJsonObject second = shapes[1].toObject();
    EXPECT_EQ(second[QStringLiteral("index")].toInt(), 2);
    EXPECT_EQ(second[QStringLiteral("type")].toInt(), 1);
    EXPECT_EQ(second[QStringLiteral("autoShapeType")].toInt(), 1);
    EXPECT_DOUBLE_EQ(second[QStringLiteral("left")].toDouble(), 50.13); // two decimals
    EXPECT_DOUBLE_EQ(second[QStringLiteral("height")].toDouble(), 150);
    EXPECT_EQ(shapes[0].toObject()[QStringLiteral("type")].toInt(), 17);
    EXPECT_EQ(shapes[2].toObject()[QStringLiteral("type")].toInt(), 6);
    EXPECT_EQ(json[QStringLiteral("slots")].toArray(), (QJsonArray{2, 4}));
    EXPECT_TRUE(run.output.contains("\"left\": 50.13,"));
}

TEST(PubInfoTool, DrawsAPageAt96DpiUnlessAskedAndFailsWithExitCode2) {
    ASSERT_NE(std::getenv("LUMETRA_PUBINFO"), nullptr);
    QTemporaryDir dir;
    PubBuilder b;
    b.pageSize(144, 72); // 2 x 1 inch
    lumetra::pub::PubStyle red;
    red.fill = qRgb(255, 0, 0);
    red.line.reset();
    b.addPage().add(PubItem::rectangle(0, 0, 72, 72).styled(red));
    const QString layout = dir.filePath(QStringLiteral("prova.pub"));
    ASSERT_TRUE(b.save(layout));
    const QString png = dir.filePath(QStringLiteral("pagina.png"));

    lumetra::testsupport::ProgramRun run;
    for (const auto& [dpi, pixels] : {std::pair(QString(), 96), std::pair(QString("144"), 144)}) {
        run = pubinfo(QStringList{layout, QStringLiteral("--png"), QStringLiteral("1"), png} +
                      (dpi.isEmpty() ? QStringList() : QStringList{QStringLiteral("--dpi"), dpi}));
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        const QImage image(png);
        ASSERT_EQ(image.size(), QSize(2 * pixels, pixels));
        EXPECT_EQ(image.pixelColor(pixels / 2, pixels / 2).name(), QStringLiteral("#ff0000"));
        EXPECT_EQ(image.pixelColor(3 * pixels / 2, pixels / 2).name(), QStringLiteral("#ffffff"));
    }

    // Every page into a PDF, by the road of a printed job; never over the layout itself.
    const QString pdf = dir.filePath(QStringLiteral("layout.pdf"));
    run = pubinfo({layout, QStringLiteral("--pdf"), pdf});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(lumetra::composition::test::PagineDelPdf(pdf), 1);
    const QImage drawn = lumetra::composition::test::PaginaDelPdf(pdf, 1, 72);
    EXPECT_EQ(drawn.pixelColor(36, 36).name(), QStringLiteral("#ff0000"));
    run = pubinfo({layout, QStringLiteral("--pdf"), layout});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(lumetra::pub::Layout::readFile(layout).pages().size() == 1);

    run = pubinfo({layout, QStringLiteral("--png"), QStringLiteral("2"), png});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("La pagina 2 non esiste")))
        << run.errors.toStdString();

    const lumetra::testsupport::ProgramRun missing =
        pubinfo({dir.filePath(QStringLiteral("manca.pub"))});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.output.isEmpty());
    EXPECT_TRUE(missing.errors.contains(QStringLiteral("non esiste")))
        << missing.errors.toStdString();

    const QString junk = lumetra::testimages::writeTextFile(
        dir.filePath(QStringLiteral("rotto.pub")), QStringLiteral("non è un layout"));
    for (const QStringList& arguments :
         {QStringList{dir.path()},
          QStringList{junk, QStringLiteral("--png"), QStringLiteral("1"), png}}) {
        run = pubinfo(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_FALSE(run.errors.trimmed().isEmpty());
    }
}

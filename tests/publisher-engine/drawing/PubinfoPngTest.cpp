// The layout inspector's --png option: a page drawn to a PNG file, errors in Italian, exit 2.

#include "PixelProbe.h"
#include "PubBuilder.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace lumetra::drawing {

using namespace lumetra::pub;

namespace {

testsupport::ProgramRun pubinfo(const QStringList& arguments) {
    return testsupport::startProgram(qEnvironmentVariable("LUMETRA_PUBINFO"), arguments);
}

TEST(PubinfoPng, DrawsThePageAskedForOrFailsWithExitTwo) {
    if (qEnvironmentVariableIsEmpty("LUMETRA_PUBINFO"))
        GTEST_SKIP() << "LUMETRA_PUBINFO not set: the inspector tool is not available";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    layoutwriter::PubBuilder b;
    b.pageSize(144, 72); // 2 x 1 inch
    auto& page = b.addPage();
    layoutwriter::PubStyle red;
    red.fill = qRgb(255, 0, 0);
    red.line.reset();
    page.add(layoutwriter::PubItem::rectangle(0, 0, 72, 72).styled(red));
    const QString layout = dir.filePath(QStringLiteral("prova.pub"));
    ASSERT_TRUE(b.save(layout));
    const QString png = dir.filePath(QStringLiteral("pagina.png"));

    testsupport::ProgramRun run = pubinfo({layout, QStringLiteral("--png"), QStringLiteral("1"),
                                           png, QStringLiteral("--dpi"), QStringLiteral("50")});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QImage image(png);
    ASSERT_EQ(image.size(), QSize(100, 50));
    EXPECT_TRUE(test::near(image.pixelColor(25, 25), Qt::red));
    EXPECT_TRUE(test::near(image.pixelColor(75, 25), Qt::white));

    run = pubinfo({layout, QStringLiteral("--png"), QStringLiteral("1"), png});
    ASSERT_EQ(run.exitCode, 0);
    EXPECT_EQ(QImage(png).size(), QSize(192, 96)); // 96 dpi unless asked

    run = pubinfo({layout, QStringLiteral("--png"), QStringLiteral("2"), png});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("La pagina 2 non esiste")))
        << run.errors.toStdString();

    const QString junk = dir.filePath(QStringLiteral("rotto.pub"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("non è un layout");
    file.close();
    run = pubinfo({junk, QStringLiteral("--png"), QStringLiteral("1"), png});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_FALSE(run.errors.trimmed().isEmpty());
}

} // namespace
} // namespace lumetra::drawing

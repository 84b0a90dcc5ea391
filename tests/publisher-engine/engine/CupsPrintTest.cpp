// Printing end to end on a real CUPS queue: the test command starts a private cupsd whose
// default printer is a cups-pdf queue (CUPS_SERVER points at it). A 2-page document printed with
// Copies 3 and Collate must reach CUPS as one job with copies = 3 and Collate = true, and come
// out of cups-pdf as 6 pages in collated order.

#include "EngineTestSupport.h"

#include "CupsQueue.h"
#include "EngineErrors.h"
#include "TestImages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;
using namespace lumetra::cupstest;
namespace images = lumetra::testimages;

namespace {

struct PrintFixture : ::testing::Test {
    void SetUp() override {
        if (const QString reason = skipReason(); !reason.isEmpty()) {
            GTEST_SKIP() << reason.toStdString();
        }
        token =
            QStringLiteral("lumetra-%1-%2").arg(getpid()).arg(QDateTime::currentMSecsSinceEpoch());
        layout = twoPageLayout();
        layoutFile = dir.filePath(token + ".pub");
        images::writeTextFile(layoutFile, "layout");
        EngineOptions options;
        options.loadLayout = memoryLayoutLoader(layout);
        app = std::make_shared<EngineApplication>(options);
        document = std::dynamic_pointer_cast<EngineDocument>(app->Open(layoutFile, false, true, 3));
        // Page 1 says PRIMA and holds a picture, page 2 says SECONDA.
        auto pages = document->Pages();
        const char* words[] = {"PRIMA", "SECONDA"};
        for (int p = 1; p <= 2; ++p) {
            auto box = pages->Item(p)->Shapes()->AddTextbox(1, 100, 500, 300, "2 cm");
            box->TextFrame()->SetAutoFitText(2);
            box->TextFrame()->TextRange()->SetText(words[p - 1]);
        }
        const QString picture =
            images::writeJpeg(dir.filePath("foto.jpg"), QSize(300, 200), Qt::darkCyan);
        pages->Item(1)->Shapes()->AddPicture(picture, 0, -1, 50, 50, 200, 300);
    }

    QTemporaryDir dir;
    QString token;
    std::shared_ptr<MemoryLayout> layout;
    QString layoutFile;
    std::shared_ptr<EngineApplication> app;
    std::shared_ptr<EngineDocument> document;
};

} // namespace

TEST_F(PrintFixture, CopiesAndCollationAreJobOptions) {
    const int before = lastJobId();
    document->PrintOut(-1, -1, QString(), 3, true);
    ASSERT_TRUE(document->lastPrint().has_value());
    EXPECT_EQ(document->lastPrint()->printerName, Printer);
    EXPECT_TRUE(document->lastPrint()->pdfFile.isEmpty());

    const int job = lastJobId();
    ASSERT_EQ(job, before + 1) << "one job, not one per copy";
    const QString attributes = completedJobAttributes(job);
    ASSERT_TRUE(attributes.contains("job-state (enum) = completed")) << attributes.toStdString();
    EXPECT_TRUE(attributes.contains("copies (integer) = 3")) << attributes.toStdString();
    EXPECT_TRUE(attributes.contains(QRegularExpression("Collate \\(\\w+\\) = true")))
        << attributes.toStdString();
    EXPECT_TRUE(attributes.contains("job-name (nameWithoutLanguage) = " + token));

    // What came out of cups-pdf: 6 pages, collated.
    const QString pdf = outputPdf(token);
    ASSERT_FALSE(pdf.isEmpty()) << "cups-pdf wrote nothing for " << token.toStdString();
    const QString info = run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+6\\n"))) << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression("Page size:\\s+59[45](\\.\\d+)? x 84[12](\\.\\d+)? pts")))
        << info.toStdString();
    // Page 1 carries the picture, page 2 does not: read the order from the pixels.
    QStringList order;
    for (int page = 1; page <= 6; ++page) {
        const QString prefix = dir.filePath(QStringLiteral("uscita%1").arg(page));
        run("pdftoppm", {"-f", QString::number(page), "-l", QString::number(page), "-r", "18",
                         "-singlefile", "-png", pdf, prefix});
        const QImage image(prefix + ".png");
        const QRect picture(20, 20, 30, 50); // inside (50,50)-(250,350) pt at 0.25 px/pt
        order << (countPixels(image, picture, Qt::darkCyan) > 1000 ? "1" : "2");
    }
    EXPECT_EQ(order.join(""), "121212");
    QFile::remove(pdf);
}

TEST_F(PrintFixture, ARejectedJobIsAnErrorWithAnItalianDescription) {
    run("cupsreject", {"-h", server(), "-r", "prova", Printer});
    try {
        document->PrintOut(-1, -1, QString(), 1, true);
        ADD_FAILURE() << "a queue that rejects jobs printed";
    } catch (const Publisher::Error& error) {
        EXPECT_EQ(error.Number(), lumetra::runtime::ErrStampante);
        EXPECT_TRUE(error.Description().contains("rifiutato")) << error.what();
    }
    run("cupsaccept", {"-h", server(), Printer});
}

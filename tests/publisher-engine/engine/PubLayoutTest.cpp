// The engine over real layout files: generated .pub fixtures and, when present, the sample
// layouts (LUMETRA_PUB_SAMPLES). The layout file is never changed by a job.

#include "EngineTestSupport.h"

#include "EngineErrors.h"
#include "PubBuilder.h"
#include "TestImages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;
namespace images = lumetra::testimages;
using lumetra::layoutwriter::PubBuilder;
using lumetra::layoutwriter::PubItem;
using lumetra::layoutwriter::PubStyle;

namespace {

struct FileState {
    QByteArray hash;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return {QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256),
            QFileInfo(path).lastModified()};
}

} // namespace

TEST(PubLayout, ComposesAGeneratedLayoutAndLeavesTheFileAlone) {
    QTemporaryDir dir;
    PubBuilder builder;
    builder.pageSize(A4Width, A4Height);
    auto& first = builder.addPage();
    first.add(
        PubItem::rectangle(50, 50, 200, 300).styled(PubStyle{qRgb(255, 0, 0), qRgb(0, 0, 0)}));
    first.add(PubItem::oval(300, 600, 200, 150).styled(PubStyle{qRgb(0, 0, 255), std::nullopt}));
    first.add(
        PubItem::rectangle(300, 50, 200, 300).styled(PubStyle{qRgb(255, 0, 0), qRgb(0, 0, 0)}));
    builder.addPage().add(PubItem::textBox(50, 50, 300, 40, "seconda pagina"));
    const QString layout = dir.filePath("catalogo.pub");
    builder.save(layout);
    const FileState before = stateOf(layout);

    const QString pdf = dir.filePath("catalogo.pdf");
    EngineOptions options;
    options.pdfFile = pdf;
    auto app = fabbricaMotore(options)();
    auto document = app->Open(layout, false, true, 3);
    auto pages = document->Pages();
    ASSERT_EQ(pages->Count(), 2);
    auto shapes = pages->Item(1)->Shapes();
    ASSERT_EQ(shapes->Count(), 3);
    EXPECT_EQ(shapes->Item(1)->Type(), Publisher::msoAutoShape);
    EXPECT_EQ(shapes->Item(1)->AutoShapeType(), Publisher::msoShapeRectangle);
    EXPECT_EQ(shapes->Item(2)->AutoShapeType(), Publisher::msoShapeOval);
    EXPECT_NEAR(shapes->Item(3)->Left().Number(), 300, 0.5);
    EXPECT_NEAR(shapes->Item(3)->Height().Number(), 300, 0.5);

    // As the composition does: a copy of page 1 with a picture in slot 1, the copyShapes deleted,
    // then page 1 deleted.
    const QString photo = images::writeJpeg(dir.filePath("foto.jpg"), QSize(200, 300), Qt::green);
    auto page = pages->Add(1, pages->Count(), 1);
    auto copyShapes = page->Shapes();
    copyShapes->AddPicture(photo, 0, -1, copyShapes->Item(1)->Left(), copyShapes->Item(1)->Top(),
                           copyShapes->Item(1)->Width(), copyShapes->Item(1)->Height());
    copyShapes->Item(3)->Delete();
    copyShapes->Item(1)->Delete();
    pages->Item(1)->Delete();
    ASSERT_EQ(pages->Count(), 2);

    const auto* engineDocument = dynamic_cast<EngineDocument*>(document.get());
    const QImage composed = renderPage(*engineDocument, 1, 36);
    EXPECT_GT(countPixels(composed, QRect(30, 30, 90, 140), Qt::green), 90 * 140 * 9 / 10);
    EXPECT_EQ(countPixels(composed, QRect(150, 25, 100, 150), Qt::red, 60), 0)
        << "the deleted rectangle is not drawn";
    EXPECT_GT(countPixels(composed, QRect(160, 310, 80, 55), Qt::blue, 60), 2000)
        << "the oval stays";

    document->PrintOut(-1, -1, QString(), 2, true);
    if (!QStandardPaths::findExecutable("pdfinfo").isEmpty()) {
        EXPECT_TRUE(run("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+2\\n")));
    }
    document->Close();
    app->Quit();
    EXPECT_EQ(stateOf(layout), before) << "the layout file was changed";
}

TEST(PubLayout, SampleLayoutsOpenOrFailCleanly) {
    const QString folder = qEnvironmentVariable("LUMETRA_PUB_SAMPLES");
    if (folder.isEmpty() || !QDir(folder).exists()) {
        GTEST_SKIP() << "no sample layouts (LUMETRA_PUB_SAMPLES)";
    }
    QTemporaryDir dir;
    int opened = 0;
    for (const QFileInfo& sample : QDir(folder).entryInfoList({"*.pub"}, QDir::Files)) {
        SCOPED_TRACE(sample.fileName().toStdString());
        const FileState before = stateOf(sample.filePath());
        const QString pdf = dir.filePath(sample.completeBaseName() + ".pdf");
        EngineOptions options;
        options.pdfFile = pdf;
        auto app = fabbricaMotore(options)();
        try {
            auto document = app->Open(sample.filePath(), false, true, 3);
            const int count = document->Pages()->Count();
            EXPECT_GT(count, 0);
            document->PrintOut(-1, -1, QString(), 1, true);
            EXPECT_GT(QFileInfo(pdf).size(), 0);
            ++opened;
        } catch (const Publisher::Error& error) {
            EXPECT_NE(error.Number(), 0);
            EXPECT_FALSE(error.Description().isEmpty());
        }
        EXPECT_EQ(stateOf(sample.filePath()), before);
    }
    EXPECT_GT(opened, 0);
}

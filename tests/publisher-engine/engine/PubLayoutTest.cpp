// The engine over the sample layouts (LUMETRA_PUB_SAMPLES): every file opens and prints to a PDF,
// or is refused as no layout, and is never changed. Generated layouts are composed on this engine
// by the composition's contract suite, and left unchanged by every run of lumetra-componi.

#include "EngineTestSupport.h"

#include "EngineErrors.h"
#include "TestImages.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lumetra::engine;

namespace {

struct FileState {
    QByteArray hash;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const QString& path) {
    return {
        QCryptographicHash::hash(lumetra::testimages::readBytes(path), QCryptographicHash::Sha256),
        QFileInfo(path).lastModified()};
}

} // namespace

TEST(PubLayout, SampleLayoutsOpenAndPrintOrAreRefusedAndStayUnchanged) {
    const QString folder = qEnvironmentVariable("LUMETRA_PUB_SAMPLES");
    if (folder.isEmpty() || !QDir(folder).exists()) {
        GTEST_SKIP() << "no sample layouts (LUMETRA_PUB_SAMPLES)";
    }
    QTemporaryDir dir;
    int opened = 0, files = 0;
    for (const QFileInfo& sample : QDir(folder).entryInfoList({"*.pub"}, QDir::Files)) {
        SCOPED_TRACE(sample.fileName().toStdString());
        ++files;
        const FileState before = stateOf(sample.filePath());
        const QString pdf = dir.filePath(sample.completeBaseName() + ".pdf");
        EngineOptions options;
        options.pdfFile = pdf;
        auto app = engineFactory(options)();
        try {
            auto document = app->Open(sample.filePath(), false, true, 3);
            const int count = document->Pages()->Count();
            EXPECT_GT(count, 0);
            document->PrintOut(-1, -1, QString(), 1, true);
            EXPECT_GT(QFileInfo(pdf).size(), 0);
            ++opened;
        } catch (const Publisher::Error& error) {
            EXPECT_EQ(error.Number(), lumetra::runtime::ErrLayoutNonValido);
            EXPECT_FALSE(error.Description().isEmpty());
            // Only the files without any shape are refused.
            EXPECT_TRUE(sample.fileName().contains(QStringLiteral("metadata")));
        }
        EXPECT_EQ(stateOf(sample.filePath()), before);
    }
    EXPECT_GE(opened, files - 3);
}

// Printing without any printer: CUPS_SERVER names a port where no server listens.

#include "EngineTestSupport.h"

#include "EngineErrors.h"

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;

TEST(NoPrinter, PrintOutFailsWithAnItalianDescription) {
    EngineOptions options;
    auto layout = twoPageLayout();
    QTemporaryDir dir;
    const QString file = dir.filePath("layout.pub");
    QFile(file).open(QIODevice::WriteOnly);
    options.loadLayout = memoryLayoutLoader(layout);
    auto app = std::make_shared<EngineApplication>(options);
    auto document = app->Open(file, false, true, 3);
    try {
        document->PrintOut(-1, -1, QString(), 2, true);
        ADD_FAILURE() << "printed without a printer";
    } catch (const Publisher::Error& error) {
        EXPECT_EQ(error.Number(), lumetra::runtime::ErrStampante);
        EXPECT_TRUE(error.Description().contains("stampante")) << error.what();
    }
    // The document is still there and can be written as a PDF.
    document->PrintOut(-1, -1, dir.filePath("copia.pdf"), 1, true);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("copia.pdf")));
}

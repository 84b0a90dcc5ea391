// Printing without any printer: CUPS_SERVER names a port where no server listens.

#include "EngineTestSupport.h"

#include "EngineErrors.h"

#include <QFileInfo>

#include <gtest/gtest.h>

using namespace lumetra::engine::test;

TEST(NoPrinter, PrintOutFailsWithAnItalianDescription) {
    EngineFixture f(false);
    QString why;
    EXPECT_EQ(errorNumber([&] { f.document->PrintOut(-1, -1, QString(), 2, true); }, &why),
              lumetra::runtime::ErrStampante);
    EXPECT_TRUE(why.startsWith("La stampante predefinita non è disponibile: il server di stampa "
                               "'127.0.0.1:"))
        << why.toStdString();
    EXPECT_TRUE(why.endsWith("' non è raggiungibile")) << why.toStdString();
    // The document is still there and can be written as a PDF.
    f.document->PrintOut(-1, -1, f.pdfFile, 1, true);
    EXPECT_TRUE(QFileInfo::exists(f.pdfFile));
}

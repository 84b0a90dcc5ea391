// Printing on a real CUPS queue: the test command starts a private cupsd whose default printer is
// a cups-pdf queue (CUPS_SERVER points at it). Collated copies printed as one job, and what
// cups-pdf makes of them, are checked end to end from the window (print-job's EndToEnd); here,
// a queue that rejects jobs.

#include "EngineTestSupport.h"

#include "CupsQueue.h"
#include "EngineErrors.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

using namespace lumetra::engine::test;
using namespace lumetra::cupstest;
using lumetra::testsupport::runProgram;

TEST(CupsPrint, ARejectedJobIsAnErrorWithAnItalianDescription) {
    if (const QString reason = skipReason(); !reason.isEmpty()) {
        GTEST_SKIP() << reason.toStdString();
    }
    EngineFixture f(false);
    runProgram("cupsreject", {"-h", server(), "-r", "prova", Printer});
    QString why;
    EXPECT_EQ(errorNumber([&] { f.document->PrintOut(-1, -1, QString(), 1, true); }, &why),
              lumetra::runtime::ErrStampante);
    EXPECT_TRUE(why.contains("rifiutato")) << why.toStdString();
    runProgram("cupsaccept", {"-h", server(), Printer});
}

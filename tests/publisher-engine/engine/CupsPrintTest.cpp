// Printing on a real CUPS queue: the test command starts a private cupsd whose default printer is
// a cups-pdf queue (CUPS_SERVER points at it). Collated copies printed as one job, and what
// cups-pdf makes of them, are checked end to end from the window (print-job's EndToEnd); here,
// a queue that rejects jobs.

#include "EngineTestSupport.h"

#include "CupsQueue.h"
#include "EngineErrors.h"

#include <gtest/gtest.h>

using namespace lumetra::engine::test;
using namespace lumetra::cupstest;

TEST(CupsPrint, ARejectedJobIsAnErrorWithAnItalianDescription) {
    if (const QString reason = skipReason(); !reason.isEmpty()) {
        GTEST_SKIP() << reason.toStdString();
    }
    EngineFixture f(false);
    run("cupsreject", {"-h", server(), "-r", "prova", Printer});
    try {
        f.document->PrintOut(-1, -1, QString(), 1, true);
        ADD_FAILURE() << "a queue that rejects jobs printed";
    } catch (const Publisher::Error& error) {
        EXPECT_EQ(error.Number(), lumetra::runtime::ErrStampante);
        EXPECT_TRUE(error.Description().contains("rifiutato")) << error.what();
    }
    run("cupsaccept", {"-h", server(), Printer});
}

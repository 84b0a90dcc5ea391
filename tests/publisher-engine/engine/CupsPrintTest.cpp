// Printing on a real CUPS queue: the test command starts a private cupsd whose default printer is
// a cups-pdf queue (CUPS_SERVER points at it). Collated copies printed as one job, and what
// cups-pdf makes of them, are checked end to end from the window (print-job's EndToEnd); here,
// a queue that cannot take the job, and a picture that cannot be drawn.

#include "EngineTestSupport.h"

#include "CupsQueue.h"
#include "EngineErrors.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

#include <unistd.h>

using namespace lumetra::engine::test;
using namespace lumetra::cupstest;
using lumetra::testsupport::runProgram;

// A queue that rejects jobs or is stopped: the job fails with its own Italian message, and
// nothing reaches the queue.
TEST(CupsPrint, AQueueThatCannotTakeTheJobFailsWithNothingSent) {
    if (const QString reason = skipReason(); !reason.isEmpty()) {
        GTEST_SKIP() << reason.toStdString();
    }
    const struct {
        const char* stop;
        const char* restart;
        const char* message;
    } rows[] = {
        {"cupsreject", "cupsaccept", "La stampante 'LumetraPDF' non accetta lavori"},
        {"cupsdisable", "cupsenable", "La stampante 'LumetraPDF' è ferma"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stop);
        EngineFixture f(false);
        const int before = lastJobId();
        runProgram(row.stop, {"-h", server(), "-r", "prova", Printer});
        QString why;
        EXPECT_EQ(errorNumber([&] { f.document->PrintOut(-1, -1, QString(), 1, true); }, &why),
                  lumetra::runtime::ErrStampante);
        runProgram(row.restart, {"-h", server(), Printer});
        EXPECT_TRUE(why.startsWith(QString::fromUtf8(row.message))) << why.toStdString();
        EXPECT_EQ(lastJobId(), before);
    }
}

// A picture that can no longer be read when printing fails the job before anything is sent;
// printed again, its box is left empty and the job goes to the queue.
TEST(CupsPrint, APictureThatCannotBeDrawnSendsNothingUntilItIsLeftOut) {
    if (const QString reason = skipReason(); !reason.isEmpty()) {
        GTEST_SKIP() << reason.toStdString();
    }
    EngineFixture f(false);
    const QString file =
        lumetra::testimages::writeJpeg(f.path("svuotata.jpg"), QSize(100, 100), Qt::blue);
    f.document->Pages()->Item(2)->Shapes()->AddPicture(file, 0, -1, 300, 300, 100, 100);
    ASSERT_EQ(::truncate(QFile::encodeName(file).constData(), 0), 0);
    const int before = lastJobId();
    EXPECT_EQ(errorNumber([&] { f.document->PrintOut(-1, -1, QString(), 1, true); }),
              lumetra::runtime::ErrImmagineNonValida);
    EXPECT_EQ(lastJobId(), before);
    f.document->PrintOut(-1, -1, QString(), 1, true);
    EXPECT_EQ(lastJobId(), before + 1);
}

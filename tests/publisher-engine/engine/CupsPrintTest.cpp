// Printing on a real CUPS queue: the test command starts a private cupsd whose default printer is
// a cups-pdf queue (CUPS_SERVER points at it). Collated copies printed as one job, and what
// cups-pdf makes of them, are checked end to end from the window (print-job's EndToEnd); here,
// the jobs that must not reach the queue.

#include "EngineTestSupport.h"

#include "CupsJob.h"
#include "CupsQueue.h"
#include "EngineErrors.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;
using namespace lumetra::cupstest;
using lumetra::testsupport::runProgram;

// A queue that rejects jobs or is stopped fails the job with its own Italian message, a printer
// the server does not know with the Italian text of the server's status; a picture that can no
// longer be read fails it before anything is sent, and printed again, its box left empty, the
// job goes to the queue.
TEST(CupsPrint, NothingIsSentUnlessTheWholeJobCanBePrinted) {
    if (const QString reason = skipReason(); !reason.isEmpty()) {
        GTEST_SKIP() << reason.toStdString();
    }
    EngineFixture f(false);
    const int before = lastJobId();
    const char* const rows[][3] = {
        {"cupsreject", "cupsaccept", "La stampante 'LumetraPDF' non accetta lavori"},
        {"cupsdisable", "cupsenable", "La stampante 'LumetraPDF' è ferma"},
    };
    for (const auto& [stop, restart, message] : rows) {
        runProgram(stop, {"-h", server(), "-r", "prova", Printer});
        QString why;
        EXPECT_EQ(errorNumber([&] { f.document->PrintOut(-1, -1, QString(), 1, true); }, &why),
                  lumetra::runtime::ErrStampante);
        runProgram(restart, {"-h", server(), Printer});
        EXPECT_TRUE(why.startsWith(QString::fromUtf8(message))) << why.toStdString();
    }
    QString why;
    EXPECT_EQ(errorNumber(
                  [&] {
                      submitPdf(f.pdfFile, {QStringLiteral("Nessuna"), "prova"});
                  },
                  &why),
              lumetra::runtime::ErrStampante);
    EXPECT_EQ(why,
              QStringLiteral("La stampante 'Nessuna' non è disponibile: stampante non trovata"));
    const QString file =
        lumetra::testimages::writeJpeg(f.path("svuotata.jpg"), QSize(100, 100), Qt::blue);
    f.document->Pages()->Item(2)->Shapes()->AddPicture(file, 0, -1, 300, 300, 100, 100);
    ASSERT_TRUE(QFile(file).resize(0));
    EXPECT_EQ(errorNumber([&] { f.document->PrintOut(-1, -1, QString(), 1, true); }),
              lumetra::runtime::ErrImmagineNonValida);
    EXPECT_EQ(lastJobId(), before);
    f.document->PrintOut(-1, -1, QString(), 1, true);
    EXPECT_EQ(lastJobId(), before + 1);
}

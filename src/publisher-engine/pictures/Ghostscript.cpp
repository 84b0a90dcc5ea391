#include "Ghostscript.h"

#include "Length.h"
#include "LibraryDiagnostics.h"

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <mutex>

#include <sys/resource.h>

namespace lumetra::pictures {

namespace {

// A PostScript program may loop for ever, and Ghostscript's library offers no way to stop it
// from within: each rendering runs in a Ghostscript process of its own, with a limit on its
// processor time and on the wall clock. A program that runs too long or crashes Ghostscript
// costs its picture, never the program. One rendering at a time keeps the memory bounded.
constexpr int RenderSeconds = 20;      // of processor time
constexpr int RenderWallSeconds = 120; // on a busy machine a rendering may wait for the processor

std::mutex ghostscriptMutex;

QString number(double value) {
    return QString::number(value, 'f', 4);
}

} // namespace

QImage renderEps(QByteArrayView postScript, QSizeF points, QSize pixels) {
    if (points.isEmpty() || pixels.isEmpty()) {
        return {};
    }
    static const QString program = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (program.isEmpty()) {
        diagnostic("ghostscript", "the gs program is not installed");
        return {};
    }
    const double xDpi = runtime::PointsPerInch * pixels.width() / points.width();
    const double yDpi = runtime::PointsPerInch * pixels.height() / points.height();
    const QStringList arguments{
        QStringLiteral("-q"),
        QStringLiteral("-dSAFER"),
        QStringLiteral("-dBATCH"),
        QStringLiteral("-dNOPAUSE"),
        QStringLiteral("-dNOPROMPT"),
        QStringLiteral("-dEPSCrop"),
        QStringLiteral("-dTextAlphaBits=4"),
        QStringLiteral("-dGraphicsAlphaBits=4"),
        QStringLiteral("-dLastPage=1"), // an EPS has one page
        QStringLiteral("-sDEVICE=ppmraw"),
        QStringLiteral("-r%1x%2").arg(number(xDpi), number(yDpi)),
        QStringLiteral("-sOutputFile=-"),
        QStringLiteral("-"), // the program, from standard input
    };
    const std::lock_guard lock(ghostscriptMutex);
    QProcess gs;
    gs.setProgram(program);
    gs.setArguments(arguments);
    gs.setStandardErrorFile(QProcess::nullDevice());
    gs.setChildProcessModifier([] {
        const rlimit cpu{RenderSeconds, RenderSeconds + 1};
        ::setrlimit(RLIMIT_CPU, &cpu);
    });
    gs.start();
    if (!gs.waitForStarted()) {
        diagnostic("ghostscript", "the gs program did not start");
        return {};
    }
    gs.write(postScript.data(), postScript.size());
    gs.closeWriteChannel();
    if (!gs.waitForFinished(RenderWallSeconds * 1000)) {
        gs.kill();
        gs.waitForFinished();
        diagnostic("ghostscript", "rendering stopped after its time limit");
        return {};
    }
    const QByteArray page = gs.readAllStandardOutput();
    if (gs.exitStatus() != QProcess::NormalExit || gs.exitCode() != 0 || page.isEmpty()) {
        return {};
    }
    return QImage::fromData(page, "PPM").convertToFormat(QImage::Format_RGB32);
}

} // namespace lumetra::pictures

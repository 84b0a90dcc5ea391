#include "Ghostscript.h"

#include "Length.h"
#include "LibraryDiagnostics.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <mutex>

#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace lumetra::pictures {

namespace {

// A PostScript program may loop for ever, and Ghostscript's library offers no way to stop it
// from within: each rendering runs in a Ghostscript process of its own, with a limit on its
// processor time and on the wall clock. A program that runs too long or crashes Ghostscript
// costs its picture, never the program. One rendering at a time keeps the memory bounded.
constexpr int RenderSeconds = 20;      // of processor time
constexpr int RenderWallSeconds = 120; // on a busy machine a rendering may wait for the processor
// Ghostscript 10 maps about 64 MB before it draws anything, and renders a page of 12 MP (the
// most a drawing is rendered at) within 96 MB; a program that asks for more is stopped.
constexpr rlim_t AddressSpaceBytes = rlim_t(256) << 20;
// Pages up to this size are held whole in memory; larger ones are banded in memory too, never
// through temporary files.
constexpr qint64 MaxBitmapBytes = 64ll << 20;
// The page's header ("P6", a comment, the size, the depth) comes before the pixels.
constexpr qint64 PageHeaderBytes = 4096;

std::mutex ghostscriptMutex;

QString number(double value) {
    return QString::number(value, 'f', 4);
}

// Ghostscript's own safety (-dSAFER) lets a program read, write, rename and delete files in its
// temporary folder: given an empty one of its own, that is all it may touch. The page's size
// and resolution are fixed, so that a program cannot ask for a page of gigabytes; the bounding
// box is moved to the page's corner here (Ghostscript's -dEPSCrop would change the page size,
// which the fixed size forbids).
QStringList argumentsFor(QRectF box, QSize pixels) {
    const double xDpi = runtime::PointsPerInch * pixels.width() / box.width();
    const double yDpi = runtime::PointsPerInch * pixels.height() / box.height();
    return {
        QStringLiteral("-q"),
        QStringLiteral("-dSAFER"),
        QStringLiteral("-dBATCH"),
        QStringLiteral("-dNOPAUSE"),
        QStringLiteral("-dNOPROMPT"),
        QStringLiteral("-dFIXEDMEDIA"),
        QStringLiteral("-dFIXEDRESOLUTION"),
        QStringLiteral("-dMaxBitmap=%1").arg(MaxBitmapBytes),
        QStringLiteral("-sBandListStorage=memory"),
        QStringLiteral("-dTextAlphaBits=4"),
        QStringLiteral("-dGraphicsAlphaBits=4"),
        QStringLiteral("-dLastPage=1"),     // an EPS has one page
        QStringLiteral("-sstdout=%stderr"), // what the program prints stays out of the page
        QStringLiteral("-sDEVICE=ppmraw"),
        QStringLiteral("-g%1x%2").arg(pixels.width()).arg(pixels.height()),
        QStringLiteral("-r%1x%2").arg(number(xDpi), number(yDpi)),
        QStringLiteral("-sOutputFile=-"),
        // The program's own showpage does nothing, as where an EPS is placed; the page is
        // output once it has run, whether it called showpage or not, whatever it did to the
        // device (a setpagedevice undoes -dLastPage).
        QStringLiteral("-c"),
        QStringLiteral("/showpage {} def %1 %2 translate")
            .arg(number(-box.left()), number(-box.top())),
        QStringLiteral("-f"),
        QStringLiteral("-"), // the program, from standard input
        QStringLiteral("-c"),
        QStringLiteral("systemdict /showpage get exec"),
    };
}

QProcessEnvironment environmentFor(const QString& temporary) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("GS_OPTIONS")); // could undo -dSAFER
    for (const char* name : {"TMPDIR", "TEMP", "TMP"}) {
        environment.insert(QLatin1String(name), temporary);
    }
    return environment;
}

void limit(int resource, rlim_t soft, rlim_t hard) {
    const rlimit value{soft, hard};
    ::setrlimit(resource, &value);
}

// Between fork and exec, in the child (only async-signal-safe calls): a process group of its
// own, so that a stop reaches all of it; killed when the thread that started it ends (the
// program killed, or stopped by the user); its limits; no file written beyond an empty one (an
// attempt fails rather than killing it).
void prepareChild(pid_t parent) {
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) {
        ::_exit(127); // the program ended before the signal was asked for
    }
    limit(RLIMIT_CPU, RenderSeconds, RenderSeconds + 1);
    limit(RLIMIT_AS, AddressSpaceBytes, AddressSpaceBytes);
    limit(RLIMIT_FSIZE, 0, 0);
    limit(RLIMIT_CORE, 0, 0);
    ::signal(SIGXFSZ, SIG_IGN);
}

void stopGroup(QProcess& gs) {
    if (gs.state() != QProcess::NotRunning) {
        ::kill(-pid_t(gs.processId()), SIGKILL);
        gs.waitForFinished();
    }
}

// Ghostscript's page, read as it comes: null when the wall-clock limit passes first or the
// output grows beyond `expected` bytes (Ghostscript is then stopped, with all its group).
QByteArray readPage(QProcess& gs, qint64 expected) {
    QByteArray page;
    page.reserve(expected); // grown by doubling, it would take twice the page
    QElapsedTimer clock;
    clock.start();
    while (gs.state() != QProcess::NotRunning) {
        const qint64 left = RenderWallSeconds * 1000ll - clock.elapsed();
        if (left <= 0) {
            diagnostic("ghostscript", "rendering stopped after its time limit");
            stopGroup(gs);
            return {};
        }
        gs.waitForReadyRead(int(std::min<qint64>(left, 1000)));
        page += gs.readAllStandardOutput();
        if (page.size() > expected) {
            diagnostic("ghostscript", "rendering stopped: a page larger than asked for");
            stopGroup(gs);
            return {};
        }
    }
    page += gs.readAllStandardOutput();
    if (gs.exitStatus() != QProcess::NormalExit || gs.exitCode() != 0) {
        diagnostic("ghostscript", QStringLiteral("gs ended with status %1").arg(gs.exitCode()));
        return {};
    }
    return page.size() > expected ? QByteArray() : page;
}

} // namespace

QImage renderEps(QByteArrayView postScript, QRectF box, QSize pixels) {
    if (box.isEmpty() || pixels.isEmpty()) {
        return {};
    }
    static const QString program = QStandardPaths::findExecutable(QStringLiteral("gs"));
    if (program.isEmpty()) {
        diagnostic("ghostscript", "the gs program is not installed");
        return {};
    }
    const std::lock_guard lock(ghostscriptMutex);
    const QTemporaryDir temporary(QDir::tempPath() + QStringLiteral("/lumetra-gs-XXXXXX"));
    if (!temporary.isValid()) {
        diagnostic("ghostscript", "no temporary folder for gs");
        return {};
    }
    QProcess gs;
    gs.setProgram(program);
    gs.setArguments(argumentsFor(box, pixels));
    gs.setProcessEnvironment(environmentFor(temporary.path()));
    gs.setWorkingDirectory(temporary.path());
    gs.setStandardErrorFile(QProcess::nullDevice());
    const pid_t parent = ::getpid();
    gs.setChildProcessModifier([parent] { prepareChild(parent); });
    gs.start();
    if (!gs.waitForStarted()) {
        diagnostic("ghostscript", "the gs program did not start");
        return {};
    }
    gs.write(postScript.data(), postScript.size());
    gs.closeWriteChannel();
    const QByteArray page =
        readPage(gs, PageHeaderBytes + 3 * qint64(pixels.width()) * pixels.height());
    const QImage image = QImage::fromData(page, "PPM");
    if (image.size() != pixels) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace lumetra::pictures

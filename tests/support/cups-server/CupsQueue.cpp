#include "CupsQueue.h"

#include "TestProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace lumetra::cupstest {

namespace {

// Where cups-pdf writes the jobs of the user running the tests ("Out" of cups-pdf.conf).
QString cupsPdfFolder() {
    const passwd* user = getpwuid(geteuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QString& line : QString::fromUtf8(conf.readAll()).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("Out "))) {
                out = line.mid(4).trimmed();
            }
        }
    }
    out.replace(QLatin1String("${HOME}"), home);
    if (user) {
        out.replace(QLatin1String("${USER}"), QString::fromLocal8Bit(user->pw_name));
    }
    return out;
}

} // namespace

QString server() {
    return qEnvironmentVariable("CUPS_SERVER");
}

QString skipReason() {
    if (server().isEmpty() || qEnvironmentVariable("LUMETRA_CUPS_IPPTEST").isEmpty()) {
        return QStringLiteral("no private CUPS server (CUPS_SERVER) for this test");
    }
    QFile unavailable(qEnvironmentVariable("LUMETRA_CUPS_DIR") +
                      QStringLiteral("/non-disponibile"));
    if (unavailable.open(QIODevice::ReadOnly)) {
        return QStringLiteral("private CUPS server not started: ") +
               QString::fromUtf8(unavailable.readAll().trimmed());
    }
    return QString();
}

int lastJobId() {
    const QString jobs = testsupport::runProgram(
        QStringLiteral("lpstat"), {"-h", server(), "-W", "all", "-o", Printer}, true);
    int last = 0;
    const QRegularExpression id(Printer + QStringLiteral("-(\\d+)"));
    for (auto it = id.globalMatch(jobs); it.hasNext();) {
        last = std::max(last, it.next().captured(1).toInt());
    }
    return last;
}

QString completedJobAttributes(int job) {
    QString attributes;
    QElapsedTimer wait;
    wait.start();
    do {
        QThread::msleep(300);
        attributes =
            testsupport::runProgram(QStringLiteral("ipptool"),
                                    {"-tv", "-d", QStringLiteral("job_id=%1").arg(job),
                                     QStringLiteral("ipp://%1/printers/%2").arg(server(), Printer),
                                     qEnvironmentVariable("LUMETRA_CUPS_IPPTEST")},
                                    true);
    } while (!attributes.contains(QLatin1String("job-state (enum) = completed")) &&
             wait.elapsed() < 60000);
    return attributes;
}

QString outputPdf(const QString& token) {
    const QDir folder(cupsPdfFolder());
    for (int i = 0; i < 50; ++i) {
        const QStringList found =
            folder.entryList({QStringLiteral("*%1*.pdf").arg(token)}, QDir::Files);
        if (!found.isEmpty()) {
            return folder.filePath(found.first());
        }
        QThread::msleep(200);
    }
    return QString();
}

} // namespace lumetra::cupstest

#include "TestProcess.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace lumetra::testsupport {

QString runProgram(const QString& program, const QStringList& arguments, bool mayFail) {
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    if (!mayFail &&
        (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace lumetra::testsupport

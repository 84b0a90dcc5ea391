#include "TestProcess.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace lumetra::testsupport {

ProgramRun startProgram(const QString& program, const QStringList& arguments,
                        const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(120000);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    ProgramRun run;
    if (finished && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.output = process.readAllStandardOutput();
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString runProgram(const QString& program, const QStringList& arguments, bool mayFail) {
    const ProgramRun run = startProgram(program, arguments);
    if (!mayFail && run.exitCode != 0) {
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString()
                      << " failed: " << run.errors.toStdString();
        return {};
    }
    return QString::fromUtf8(run.output);
}

} // namespace lumetra::testsupport

#include "TestProcess.h"

#include "FileNames.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <unistd.h>

#include <vector>

namespace lumetra::testsupport {

namespace {

// Words as the system takes them, with the null-ended list of pointers execve wants.
struct Words {
    std::vector<QByteArray> bytes;
    std::vector<char*> pointers;

    explicit Words(const QStringList& words) {
        for (const QString& word : words)
            bytes.push_back(runtime::nativeName(word));
        for (QByteArray& word : bytes)
            pointers.push_back(word.data());
        pointers.push_back(nullptr);
    }
};

} // namespace

ProgramRun startProgram(const QString& program, const QStringList& arguments,
                        const QProcessEnvironment& environment, int seconds) {
    // QProcess would hand the arguments over as UTF-8; names carried as runtime::nativeName
    // describes must reach the program as their own bytes, so the child starts it itself.
    const QString path =
        program.contains(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    const QByteArray file = runtime::nativeName(path);
    Words argv(QStringList{program} + arguments);
    Words envp(environment.toStringList());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setChildProcessModifier([&] {
        if (!file.isEmpty())
            ::execve(file.constData(), argv.pointers.data(), envp.pointers.data());
        // Failed: QProcess's own start reports it.
    });
    process.start(program, arguments);
    const bool finished = process.waitForFinished(seconds * 1000);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    ProgramRun run;
    if (finished && process.exitStatus() == QProcess::NormalExit) {
        run.exitCode = process.exitCode();
    }
    run.output = process.readAllStandardOutput();
    run.errors = runtime::fromNativeName(process.readAllStandardError());
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

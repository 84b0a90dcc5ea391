#pragma once
// Runs a helper program (poppler-utils, CUPS tools, the project's own tools) from a test.

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace lumetra::testsupport {

struct ProgramRun {
    int exitCode = -1; // -1 when the program could not start, timed out or crashed
    QByteArray output;
    QString errors; // file names in it carried as runtime::nativeName describes
};

// Runs `program` to its end (`seconds` at most) and gives what it said. Arguments reach it as
// runtime::nativeName gives them, so a test can name a file that is not UTF-8.
ProgramRun
startProgram(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
             int seconds = 120);

// The program's standard output. A program that cannot run, times out or ends with an error
// fails the calling test, unless mayFail (then its output so far, or the empty text, is given).
QString runProgram(const QString& program, const QStringList& arguments, bool mayFail = false);

} // namespace lumetra::testsupport

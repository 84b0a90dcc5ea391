#pragma once
// Runs a helper program (poppler-utils, CUPS tools, the project's own tools) from a test.

#include <QString>
#include <QStringList>

namespace lumetra::testsupport {

// The program's standard output. A program that cannot run, times out or ends with an error
// fails the calling test, unless mayFail (then its output so far, or the empty text, is given).
QString runProgram(const QString& program, const QStringList& arguments, bool mayFail = false);

} // namespace lumetra::testsupport

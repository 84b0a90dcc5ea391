#pragma once
// Where the program's output may never land: on a file the job reads (its layout, its pictures),
// or on any file that holds a picture or a Publisher layout, however the name leads there (the
// name itself, a symbolic link, another hard link of the same file).

#include <QString>
#include <QStringList>

namespace lumetra::engine {

class EngineDocument;

// Why `output` must not be written, in Italian, naming it; empty when it may be written.
QString refusedOutput(const QString& output, const QStringList& inputs);

// Throws Publisher::Error (ErrScritturaFile) when `output` would replace the document's layout,
// one of its pictures, or another picture or layout.
void checkOutput(const EngineDocument& document, const QString& output);

} // namespace lumetra::engine

#pragma once
// A composed document on paper or in a PDF file, drawn page by page with paintPage.

#include <QPageLayout>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;
class QPrinter;

namespace lumetra::engine {

class EngineDocument;
struct PrintRecord;

// The document's page size as a page layout without margins (landscape when wider than high).
QPageLayout documentPageLayout(const EngineDocument& document);

// Writes pages first..last (0-based, inclusive) into a PDF file at 300 dpi, atomically (see
// AtomicFile.h). Throws Publisher::Error: ErrScritturaFile when the file would replace the
// document's layout, one of its pictures or another picture or layout, or when it cannot be
// written completely (an earlier file of that name is then left as it was); ErrImmagineNonValida,
// naming them, when pictures cannot be drawn (nothing is written then).
void writePdf(const EngineDocument& document, const QString& path, int first, int last,
              QStringList* unreadable = nullptr);

// Paints pages first..last onto a printer that is already set up (printer name, copies), full
// page, in the document's page size. Throws Publisher::Error: ErrStampante when the printer
// refuses or the job fails; ErrImmagineNonValida, naming them, when pictures cannot be drawn
// (the job is then aborted before it is sent).
void printPages(const EngineDocument& document, QPrinter& printer, int first, int last,
                QStringList* unreadable = nullptr);

// Prints the pages of `record` (1-based range, copies, collation as job options) on the default
// printer and returns the printer's name. Throws Publisher::Error (ErrStampante) when
// there is no default printer or the job is refused or fails.
QString printToDefaultPrinter(const EngineDocument& document, const PrintRecord& record,
                              QStringList* unreadable = nullptr);

// Throws Publisher::Error (ErrImmagineNonValida) naming the pictures that could not be
// drawn (their boxes came out empty); does nothing when the list is empty.
void reportUnreadable(const QStringList& unreadable);
// The same, with what became of the output ("la stampa è stata annullata").
[[noreturn]] void failUnreadable(const QStringList& unreadable, const QString& consequence);

} // namespace lumetra::engine

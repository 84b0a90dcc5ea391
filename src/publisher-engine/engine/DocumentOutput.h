#pragma once
// The one road of a composed document to paper or to a PDF file: the pages are drawn into a
// PDF by the composed-page painter, and only when every picture drew is that PDF put in place
// (a file written atomically) or handed to CUPS (a file in a private temporary folder, removed
// afterwards). A picture that cannot be drawn fails the output before anything leaves, unless
// the caller already accepted its box staying empty. An output can be followed page by page and
// stopped between two pages from another thread (OutputControl).

#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>

namespace lumetra::engine {

class EngineDocument;

// The document's page size as a page layout without margins (landscape when wider than high).
QPageLayout documentPageLayout(const EngineDocument& document);

// Shared by an output and whoever follows it: `cancelled` may be set from any thread, and is
// looked at before each page and before the file is put in place or the job sent.
struct OutputControl {
    std::atomic<bool> cancelled{false};
    // Called on the output's thread after each page drawn: pages drawn, pages in all.
    std::function<void(int done, int total)> progress;
};

// Thrown by produceOutput when its control was cancelled: nothing was written or sent.
struct OutputCancelled : std::exception {
    const char* what() const noexcept override { return "output cancelled"; }
};

struct OutputRequest {
    int first = 0; // 0-based, inclusive
    int last = 0;
    int copies = 1;
    bool collate = true;
    QString pdfFile; // non-empty: this PDF file is written instead of printing
    QString printer; // empty: the default printer
    std::shared_ptr<OutputControl> control{}; // none: the output runs to its end
};

// Writes or prints the pages of `request` and gives the printer's name (empty when a PDF file
// was written). Pictures in `acceptedEmpty` that cannot be drawn leave their boxes empty; any
// other one fails the output with nothing written or sent: Publisher::Error
// (ErrImmagineNonValida) naming them, their files in `undrawn`. Throws Publisher::Error as
// well: ErrScritturaFile when the PDF file would replace the document's layout, one of its
// pictures or another picture or layout, or cannot be written completely (an earlier file of
// that name is then left as it was); ErrStampante as submitPdf (CupsJob.h) says. Throws
// OutputCancelled when the request's control was cancelled before the end.
QString produceOutput(const EngineDocument& document, const OutputRequest& request,
                      const QStringList& acceptedEmpty, QStringList* undrawn);

} // namespace lumetra::engine

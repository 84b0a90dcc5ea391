#pragma once
// The one road of a composed document to paper or to a PDF file: the pages are drawn into a
// PDF by the composed-page painter, and only when every picture drew is that PDF put in place
// (a file written atomically) or handed to CUPS (a file in a private temporary folder, removed
// afterwards). The painting and the sending may be two steps (PreparedOutput), the painted PDF
// held in between. A picture that cannot be drawn fails the output before anything leaves, unless
// the caller already accepted its box staying empty. An output can be followed page by page and
// stopped between two pages from another thread (OutputControl).

#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>

class QTemporaryDir;

namespace lumetra::runtime {
class AtomicFile;
}

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

// An output painted and not yet sent: its PDF waits in a temporary file (next to the target,
// or in a private folder for the printer), removed when the output is dropped uncommitted.
class PreparedOutput {
public:
    // Paints the pages of `request`. Pictures in `acceptedEmpty` that cannot be drawn leave
    // their boxes empty; any other one fails the output with nothing written or sent:
    // Publisher::Error (ErrImmagineNonValida) naming them, their files in `undrawn`. Throws
    // Publisher::Error as well: ErrScritturaFile when the PDF file would replace the
    // document's layout, one of its pictures or another picture or layout, or cannot be
    // written; ErrStampante when the job cannot be prepared. Throws OutputCancelled when the
    // request's control was cancelled before the end.
    PreparedOutput(const EngineDocument& document, const OutputRequest& request,
                   const QStringList& acceptedEmpty, QStringList* undrawn);
    ~PreparedOutput();
    PreparedOutput(const PreparedOutput&) = delete;
    PreparedOutput& operator=(const PreparedOutput&) = delete;

    // Puts the PDF file in place (an earlier file of that name is left as it was when it
    // cannot be written completely) or hands the job to CUPS (ErrStampante as submitPdf,
    // CupsJob.h, says), and gives the printer's name, empty for a PDF file. Throws
    // OutputCancelled when the request's control was cancelled. Once only.
    QString commit();

private:
    void paintToFile(const EngineDocument& document, const QStringList& acceptedEmpty,
                     QStringList* undrawn);
    void paintForPrinter(const EngineDocument& document, const QStringList& acceptedEmpty,
                         QStringList* undrawn);

    OutputRequest request_;
    QString title_;
    std::unique_ptr<runtime::AtomicFile> pdf_; // a PDF file to write
    std::unique_ptr<QTemporaryDir> folder_;    // or the printer's job, in this folder
    QString job_;
};

// Writes or prints the pages of `request` at once (PreparedOutput, then commit) and gives the
// printer's name, empty when a PDF file was written.
QString produceOutput(const EngineDocument& document, const OutputRequest& request,
                      const QStringList& acceptedEmpty, QStringList* undrawn);

} // namespace lumetra::engine

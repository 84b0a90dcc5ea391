#pragma once
// The composed document: the layout it was opened from and its pages.
//
// The layout file is read once, when the document is opened, and never written or locked.

#include "DocumentOutput.h"
#include "EnginePage.h"
#include "LayoutSource.h"
#include "PublisherApi.h"

#include <QSizeF>
#include <QString>

#include <memory>
#include <mutex>
#include <vector>

namespace lumetra::engine {

// Where PrintOut sends the document.
struct OutputSettings {
    QString pdfFile; // empty: the default printer; otherwise this PDF file is written instead
};

class EngineDocument final : public Publisher::Document,
                             public std::enable_shared_from_this<EngineDocument> {
public:
    // A document with one page per layout page, each holding its layout shapes.
    static std::shared_ptr<EngineDocument> create(std::shared_ptr<const LayoutSource> layout,
                                                  const QString& fileName,
                                                  OutputSettings output = {});

    std::shared_ptr<Publisher::Pages> Pages() override;
    // Prints, or writes the PDF file of the options or of `printToFile`, as produceOutput
    // does (DocumentOutput.h), through output().
    void PrintOut(int from, int to, const QString& printToFile, int copies, bool collate) override;
    // PrintOut's painting, held (PreparedOutput) until committed, discarded, replaced by the
    // next one, or the document closed or gone; every picture's damage is known after it.
    bool PrepareOutput(int from, int to, const QString& printToFile, int copies,
                       bool collate) override;
    void CommitOutput() override;
    void DiscardOutput() override;
    void Close() override;
    // The pictures that could not be drawn at an output (first, flagged NotDrawn), then those
    // found damaged.
    std::vector<Publisher::PictureWarning> PictureWarnings() override;
    std::shared_ptr<Publisher::PageSetup> PageSetup() override;
    // Kept for the document's window; never printed or written.
    void SetCheckNotes(std::vector<Publisher::CheckNote> notes, const QString& summary) override;
    const std::vector<Publisher::CheckNote>& checkNotes() const { return checkNotes_; }
    const QString& checkSummary() const { return checkSummary_; }

    // Writes or prints as `request` says and gives the printer's name (empty for a PDF file).
    // A picture that cannot be drawn fails the output (ErrImmagineNonValida, nothing written or
    // sent) and is remembered: the outputs after it leave its box empty. May run on a thread
    // of its own while the pages are painted elsewhere, as long as the document is not changed
    // meanwhile.
    QString output(const OutputRequest& request);

    const LayoutSource& layout() const { return *layout_; }
    QSizeF pageSize() const { return layout_->pageSize(); }
    const QString& fileName() const { return fileName_; }
    int pageCount() const { return static_cast<int>(pages_.size()); }
    const EnginePage& page(int index) const { return *pages_.at(static_cast<std::size_t>(index)); }
    const std::vector<std::shared_ptr<EnginePage>>& pages() const { return pages_; }
    bool isClosed() const { return closed_; }

    // Throws when the document was closed.
    void checkOpen() const;
    // Inserts `count` pages after page `after` (0: before the first); with `duplicateFrom`
    // (1-based) they hold copies of that page's shapes, otherwise they are blank. Returns the
    // first page added.
    std::shared_ptr<EnginePage> addPages(int count, int after, int duplicateFrom);
    void removePage(const EnginePage* page);

private:
    EngineDocument(std::shared_ptr<const LayoutSource> layout, QString fileName,
                   OutputSettings output);
    QStringList undrawable() const;
    std::unique_ptr<PreparedOutput> prepare(const OutputRequest& request);

    std::shared_ptr<const LayoutSource> layout_;
    QString fileName_;
    OutputSettings output_;
    std::vector<std::shared_ptr<EnginePage>> pages_;
    mutable std::mutex undrawableMutex_;       // outputs may run on other threads
    QStringList undrawable_;                   // pictures that could not be drawn, as reported
    std::unique_ptr<PreparedOutput> prepared_; // by PrepareOutput
    std::vector<Publisher::CheckNote> checkNotes_;
    QString checkSummary_;
    bool closed_ = false;
};

class EnginePages final : public Publisher::Pages {
public:
    explicit EnginePages(std::shared_ptr<EngineDocument> document)
        : document_(std::move(document)) {}

    int Count() const override;
    std::shared_ptr<Publisher::Page> Item(int index) override;
    std::shared_ptr<Publisher::Page> Add(int count, int after, int duplicateObjectsOnPage) override;

private:
    std::shared_ptr<EngineDocument> document_;
};

} // namespace lumetra::engine

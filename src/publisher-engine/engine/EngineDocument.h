#pragma once
// The composed document: the layout it was opened from and its pages.
//
// The layout file is read once, when the document is opened, and never written or locked.

#include "EnginePage.h"
#include "LayoutSource.h"
#include "PublisherApi.h"

#include <QSizeF>
#include <QString>

#include <memory>
#include <vector>

namespace lumetra::engine {

// Where PrintOut sends the document.
struct OutputSettings {
    QString pdfFile; // empty: the default printer; otherwise this PDF file is written instead
};

// What the last PrintOut did (for tests and tools).
struct PrintRecord {
    int firstPage = 1; // 1-based, inclusive
    int lastPage = 1;
    int copies = 1;
    bool collate = true;
    QString pdfFile;     // the PDF written, or empty when printed
    QString printerName; // the printer used, or empty when a PDF was written
};

class EngineDocument final : public Publisher::Document,
                             public std::enable_shared_from_this<EngineDocument> {
public:
    // A document with one page per layout page, each holding its layout shapes.
    static std::shared_ptr<EngineDocument> create(std::shared_ptr<const LayoutSource> layout,
                                                  const QString& fileName,
                                                  OutputSettings output = {});

    std::shared_ptr<Publisher::Pages> Pages() override;
    void PrintOut(int from, int to, const QString& printToFile, int copies, bool collate) override;
    void Close() override;
    std::vector<Publisher::PictureWarning> PictureWarnings() override;

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

    std::shared_ptr<const LayoutSource> layout_;
    QString fileName_;
    OutputSettings output_;
    std::vector<std::shared_ptr<EnginePage>> pages_;
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

#include "EngineDocument.h"

#include "DocumentOutput.h"
#include "EngineErrors.h"

#include <QFileInfo>

#include <algorithm>

namespace lumetra::engine {

EngineDocument::EngineDocument(std::shared_ptr<const LayoutSource> layout, QString fileName,
                               OutputSettings output)
    : layout_(std::move(layout)), fileName_(std::move(fileName)), output_(std::move(output)) {}

std::shared_ptr<EngineDocument> EngineDocument::create(std::shared_ptr<const LayoutSource> layout,
                                                       const QString& fileName,
                                                       OutputSettings output) {
    std::shared_ptr<EngineDocument> document(
        new EngineDocument(std::move(layout), fileName, std::move(output)));
    const LayoutSource& source = *document->layout_;
    for (int p = 0; p < source.pageCount(); ++p) {
        auto page = std::make_shared<EnginePage>(document, p);
        const auto& shapes = source.shapes(p);
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            page->append(EngineShape::layoutShape(static_cast<int>(i), shapes[i]));
        }
        document->pages_.push_back(page);
    }
    if (document->pages_.empty()) {
        fail(runtime::ErrLayoutNonValido, QStringLiteral("Il file di layout non contiene pagine"));
    }
    return document;
}

void EngineDocument::checkOpen() const {
    if (closed_) {
        fail(runtime::ErrOggettoNonValido, QStringLiteral("Il documento è stato chiuso"));
    }
}

std::shared_ptr<Publisher::Pages> EngineDocument::Pages() {
    checkOpen();
    return std::make_shared<EnginePages>(shared_from_this());
}

std::shared_ptr<EnginePage> EngineDocument::addPages(int count, int after, int duplicateFrom) {
    checkOpen();
    if (count < 1 || count > 10000) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("Numero di pagine non valido: %1").arg(count));
    }
    if (after < 0 || after > pageCount()) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("Posizione di inserimento non valida: %1").arg(after));
    }
    if (duplicateFrom < 0 || duplicateFrom > pageCount()) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("La pagina %1 da duplicare non esiste").arg(duplicateFrom));
    }
    std::vector<std::shared_ptr<EnginePage>> added;
    for (int i = 0; i < count; ++i) {
        if (duplicateFrom > 0) {
            added.push_back(
                pages_[static_cast<std::size_t>(duplicateFrom - 1)]->copy(shared_from_this()));
        } else {
            added.push_back(std::make_shared<EnginePage>(shared_from_this(), -1));
        }
    }
    pages_.insert(pages_.begin() + after, added.begin(), added.end());
    return added.front();
}

void EngineDocument::removePage(const EnginePage* page) {
    checkOpen();
    const auto it = std::find_if(pages_.begin(), pages_.end(),
                                 [page](const auto& p) { return p.get() == page; });
    if (it == pages_.end()) {
        fail(runtime::ErrOggettoNonValido,
             QStringLiteral("La pagina non appartiene più al documento"));
    }
    if (pages_.size() == 1) {
        fail(runtime::ErrUltimaPagina,
             QStringLiteral("Impossibile eliminare l'unica pagina rimasta nel documento"));
    }
    (*it)->detach();
    pages_.erase(it);
}

void EngineDocument::PrintOut(int from, int to, const QString& printToFile, int copies,
                              bool collate) {
    PrepareOutput(from, to, printToFile, copies, collate);
    CommitOutput();
}

bool EngineDocument::PrepareOutput(int from, int to, const QString& printToFile, int copies,
                                   bool collate) {
    checkOpen();
    prepared_.reset();
    const int first = from == -1 ? 1 : from;
    const int last = to == -1 ? pageCount() : to;
    if (first < 1 || last > pageCount() || first > last) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("Intervallo di pagine non valido: da %1 a %2").arg(from).arg(to));
    }
    if (copies < 1 || copies > 999) {
        fail(runtime::ErrArgomentoNonValido,
             QStringLiteral("Numero di copie non valido: %1").arg(copies));
    }
    prepared_ =
        prepare(OutputRequest{first - 1, last - 1, copies, collate,
                              !printToFile.isEmpty() ? printToFile : output_.pdfFile, QString()});
    return true;
}

void EngineDocument::CommitOutput() {
    checkOpen();
    if (!prepared_) {
        fail(runtime::ErrOggettoNonValido, QStringLiteral("Nessuna stampa preparata"));
    }
    const std::unique_ptr<PreparedOutput> prepared = std::move(prepared_);
    prepared->commit();
}

void EngineDocument::DiscardOutput() {
    prepared_.reset();
}

QString EngineDocument::output(const OutputRequest& request) {
    checkOpen();
    return prepare(request)->commit();
}

// Paints `request`, its undrawable pictures remembered when it fails on them.
std::unique_ptr<PreparedOutput> EngineDocument::prepare(const OutputRequest& request) {
    QStringList undrawn;
    try {
        return std::make_unique<PreparedOutput>(*this, request, undrawable(), &undrawn);
    } catch (const Publisher::Error&) {
        const std::lock_guard lock(undrawableMutex_);
        undrawable_.append(undrawn);
        throw;
    }
}

QStringList EngineDocument::undrawable() const {
    const std::lock_guard lock(undrawableMutex_);
    return undrawable_;
}

std::vector<Publisher::PictureWarning> EngineDocument::PictureWarnings() {
    checkOpen();
    std::vector<Publisher::PictureWarning> warnings;
    QStringList seen = undrawable();
    for (const QString& file : seen) {
        warnings.push_back(
            {file,
             QStringLiteral("Il file immagine '%1' non si è potuto leggere per la stampa")
                 .arg(QFileInfo(file).fileName()),
             true});
    }
    for (const auto& page : pages_) {
        for (const auto& shape : page->shapes()) {
            const auto& file = shape->heldPicture();
            if (!file || seen.contains(file->path())) {
                continue;
            }
            const QString damage = file->damage();
            if (!damage.isEmpty()) {
                seen.append(file->path());
                warnings.push_back({file->path(), damage});
            }
        }
    }
    return warnings;
}

namespace {

class EnginePageSetup final : public Publisher::PageSetup {
public:
    explicit EnginePageSetup(QSizeF size) : size_(size) {}
    double PageWidth() const override { return size_.width(); }
    double PageHeight() const override { return size_.height(); }

private:
    QSizeF size_;
};

} // namespace

std::shared_ptr<Publisher::PageSetup> EngineDocument::PageSetup() {
    checkOpen();
    return std::make_shared<EnginePageSetup>(pageSize());
}

void EngineDocument::SetCheckNotes(std::vector<Publisher::CheckNote> notes,
                                   const QString& summary) {
    checkOpen();
    checkNotes_ = std::move(notes);
    checkSummary_ = summary;
}

void EngineDocument::Close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    prepared_.reset();
    for (const auto& page : pages_) {
        page->detach();
    }
}

int EnginePages::Count() const {
    document_->checkOpen();
    return document_->pageCount();
}

std::shared_ptr<Publisher::Page> EnginePages::Item(int index) {
    document_->checkOpen();
    if (index < 1 || index > document_->pageCount()) {
        fail(runtime::ErrIndiceNonValido,
             QStringLiteral("La pagina %1 non esiste: il documento ne ha %2")
                 .arg(index)
                 .arg(document_->pageCount()));
    }
    return document_->pages()[static_cast<std::size_t>(index - 1)];
}

std::shared_ptr<Publisher::Page> EnginePages::Add(int count, int after,
                                                  int duplicateObjectsOnPage) {
    return document_->addPages(count, after, duplicateObjectsOnPage);
}

} // namespace lumetra::engine

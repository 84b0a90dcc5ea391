#include "EngineApplication.h"

#include "EngineErrors.h"

namespace lumetra::engine {

EngineApplication::EngineApplication(EngineOptions options) : options_(std::move(options)) {
    if (!options_.loadLayout) {
        options_.loadLayout = pubLayoutLoader();
    }
}

void EngineApplication::checkRunning() const {
    if (quit_) {
        fail(runtime::ErrApplicazioneChiusa,
             QStringLiteral("Il motore di impaginazione è stato chiuso"));
    }
}

// The layout is only ever read: it is opened read-only whatever the caller asks, kept off any
// recent-files list, and never saved, so those three arguments change nothing.
std::shared_ptr<Publisher::Document> EngineApplication::Open(const QString& fileName,
                                                             bool /*readOnly*/,
                                                             bool /*addToRecentFiles*/,
                                                             int /*saveChanges*/) {
    checkRunning();
    auto layout = options_.loadLayout(fileName);
    if (!layout) {
        fail(runtime::ErrLayoutNonValido,
             QStringLiteral("Impossibile caricare il file di layout '%1'").arg(fileName));
    }
    auto document =
        EngineDocument::create(std::move(layout), fileName, OutputSettings{options_.pdfFile});
    if (view_ && view_->isShowing()) {
        view_->close();
    }
    view_.reset();
    if (document_) {
        document_->Close();
    }
    document_ = document;
    return document;
}

std::shared_ptr<Publisher::Document> EngineApplication::ActiveDocument() {
    checkRunning();
    if (!document_ || document_->isClosed()) {
        fail(runtime::ErrOggettoNonValido, QStringLiteral("Nessun documento aperto"));
    }
    return document_;
}

std::shared_ptr<Publisher::Window> EngineApplication::ActiveWindow() {
    checkRunning();
    return std::make_shared<EngineWindow>(shared_from_this());
}

bool EngineApplication::isViewShowing() const {
    return view_ && view_->isShowing();
}

void EngineApplication::setViewVisible(bool visible) {
    checkRunning();
    if (!visible) {
        if (view_) {
            view_->close();
        }
        view_.reset();
        return;
    }
    if (isViewShowing()) {
        return;
    }
    if (!document_ || document_->isClosed()) {
        fail(runtime::ErrOggettoNonValido, QStringLiteral("Nessun documento da mostrare"));
    }
    if (!options_.openView) {
        fail(runtime::ErrOggettoNonValido,
             QStringLiteral("Questo motore non può mostrare documenti in una finestra"));
    }
    view_ = options_.openView(shared_from_this(), document_);
}

void EngineApplication::Quit() {
    if (quit_ || isViewShowing()) {
        return; // a window on the document keeps the engine running
    }
    if (document_) {
        document_->Close();
    }
    document_.reset();
    view_.reset();
    quit_ = true;
}

Publisher::ApplicationFactory engineFactory(EngineOptions options) {
    return [options = std::move(options)]() -> std::shared_ptr<Publisher::Application> {
        return std::make_shared<EngineApplication>(options);
    };
}

} // namespace lumetra::engine

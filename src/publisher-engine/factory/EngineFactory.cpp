#include "EngineFactory.h"

#include "PreviewWindow.h"

#include <QPointer>

namespace lumetra::factory {

using engine::DocumentView;
using engine::DocumentViewOpener;
using engine::EngineApplication;
using engine::EngineDocument;
using engine::EngineOptions;
using preview::PreviewWindow;

namespace {

class PreviewView final : public DocumentView {
public:
    explicit PreviewView(PreviewWindow* window) : window_(window) {}
    bool isShowing() const override { return window_ && window_->isVisible(); }
    void close() override {
        if (window_) {
            window_->close();
        }
    }

private:
    QPointer<PreviewWindow> window_;
};

} // namespace

DocumentViewOpener previewOpener() {
    return [](std::shared_ptr<EngineApplication> application,
              std::shared_ptr<EngineDocument> document) -> std::shared_ptr<DocumentView> {
        auto* window = new PreviewWindow(std::move(application), std::move(document));
        window->show();
        window->raise();
        window->activateWindow();
        return std::make_shared<PreviewView>(window);
    };
}

Publisher::ApplicationFactory applicationFactory(EngineOptions options) {
    if (!options.openView) {
        options.openView = previewOpener();
    }
    return engine::engineFactory(std::move(options));
}

Publisher::ApplicationFactory applicationFactory() {
    return applicationFactory(EngineOptions{});
}

Publisher::ApplicationFactory pdfApplicationFactory(const QString& pdfFile) {
    EngineOptions options;
    options.pdfFile = pdfFile;
    return applicationFactory(std::move(options));
}

} // namespace lumetra::factory

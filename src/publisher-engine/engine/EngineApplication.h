#pragma once
// The engine's application object and its factory.
//
//   auto create = lumetra::engine::engineFactory({.pdfFile = "out.pdf"});
//   auto app = create();                  // Publisher::Application
//   auto doc = app->Open(path, false, true, 3);
//
// Quit ends the engine (later calls fail with runtime::ErrApplicazioneChiusa) unless a document
// window is showing: the window keeps the engine, and its document, alive until the user closes it.

#include "EngineDocument.h"
#include "LayoutSource.h"
#include "PublisherApi.h"

#include <functional>
#include <memory>

namespace lumetra::engine {

class EngineApplication;

// A window showing a document (the preview window, kept in its own library).
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual bool isShowing() const = 0;
    virtual void close() = 0;
};

// Opens a window on `document`; the window keeps `application` alive while it is open.
using DocumentViewOpener = std::function<std::shared_ptr<DocumentView>(
    std::shared_ptr<EngineApplication> application, std::shared_ptr<EngineDocument> document)>;

struct EngineOptions {
    // Reads layouts; empty: .pub files through the layout reader and drawer.
    LayoutLoader loadLayout;
    // Non-empty: PrintOut writes this PDF file instead of printing.
    QString pdfFile;
    // Shows a document; empty: ActiveWindow().SetVisible(true) fails.
    DocumentViewOpener openView;
};

class EngineApplication final : public Publisher::Application,
                                public std::enable_shared_from_this<EngineApplication> {
public:
    explicit EngineApplication(EngineOptions options);

    std::shared_ptr<Publisher::Document> Open(const QString& fileName, bool readOnly,
                                              bool addToRecentFiles, int saveChanges) override;
    std::shared_ptr<Publisher::Document> ActiveDocument() override;
    std::shared_ptr<Publisher::Window> ActiveWindow() override;
    void Quit() override;

    // The open document (null when none), for tools and tests.
    std::shared_ptr<EngineDocument> document() const { return document_; }
    bool hasQuit() const { return quit_; }
    bool isViewShowing() const;
    void setViewVisible(bool visible);

private:
    void checkRunning() const;

    EngineOptions options_;
    std::shared_ptr<EngineDocument> document_;
    std::shared_ptr<DocumentView> view_;
    bool quit_ = false;
};

class EngineWindow final : public Publisher::Window {
public:
    explicit EngineWindow(std::shared_ptr<EngineApplication> application)
        : application_(std::move(application)) {}
    bool Visible() const override { return application_->isViewShowing(); }
    void SetVisible(bool visible) override { application_->setViewVisible(visible); }

private:
    std::shared_ptr<EngineApplication> application_;
};

// The reader of .pub layouts (reader and drawer behind a LayoutSource).
LayoutLoader pubLayoutLoader();

// Creates engines with these options ("Publisher.Application" of the built-in engine).
Publisher::ApplicationFactory engineFactory(EngineOptions options = {});

} // namespace lumetra::engine

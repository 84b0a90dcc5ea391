#pragma once
// The document window of the engine: shows the composed pages one under the other, drawn as they
// scroll into view, with zoom, page navigation, printing through the print dialog and saving as
// PDF. It keeps the engine (and so the document) alive while it is open, and deletes itself when
// closed; closing never saves anything.

#include <QMainWindow>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QScrollArea;
class QSpinBox;

namespace lumetra::engine {
class EngineApplication;
class EngineDocument;
struct OutputRequest;
} // namespace lumetra::engine

namespace lumetra::preview {

class PreviewPage;

class PreviewWindow final : public QMainWindow {
    Q_OBJECT
public:
    PreviewWindow(std::shared_ptr<engine::EngineApplication> application,
                  std::shared_ptr<engine::EngineDocument> document, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    int currentPage() const; // 1-based
    double zoom() const { return zoom_; }
    int pageCount() const;
    // Pages currently holding a drawing (drawn and not yet dropped).
    int drawnPageCount() const;

public slots:
    void goToPage(int page); // 1-based
    void setZoom(double zoom);
    // Zooms keeping the point `at` of the viewport in place (Ctrl + wheel, pinch).
    void zoomAt(double zoom, QPoint at);
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void fitPage();
    void printWithDialog();
    void saveAsPdf();

protected:
    void showEvent(QShowEvent* event) override;
    // Escape closes the window, as it closes every document viewer.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildToolBar();
    void updatePageIndicator();
    void updateNavigation();
    void settleLayout();
    void applyZoom(double zoom);
    void showZoom();
    void dropFarDrawings();
    void showUnreadable(const QStringList& files);
    // Writes or prints through the document's output, asking about pictures that cannot be
    // drawn; shows `done` in the status bar when it succeeded, the error otherwise.
    void produce(const engine::OutputRequest& request, const QString& done);

    std::shared_ptr<engine::EngineApplication> application_;
    std::shared_ptr<engine::EngineDocument> document_;
    QScrollArea* scroll_ = nullptr;
    std::vector<PreviewPage*> pages_;
    QSpinBox* pageBox_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QAction* previous_ = nullptr;
    QAction* next_ = nullptr;
    QAction* zoomIn_ = nullptr;
    QAction* zoomOut_ = nullptr;
    double zoom_ = 1.0;
    int requestedPage_ = 1; // the page the last navigation asked for
    bool fitted_ = false;
};

} // namespace lumetra::preview

#pragma once
// The document window of the engine: shows the composed pages one under the other, drawn as they
// scroll into view, with zoom, page navigation, printing through the print dialog and saving as
// PDF. It keeps the engine (and so the document) alive while it is open, and deletes itself when
// closed; closing never saves anything. Saving and printing run on a thread of their own, with
// their progress and a button to stop them at the bottom of the window; closing the window stops
// them. When the check before printing left notes, they are listed beside the pages and their
// places marked on the pages (on screen only).

#include <QMainWindow>

#include <memory>
#include <vector>

class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;

namespace lumetra::engine {
class EngineApplication;
class EngineDocument;
struct OutputRequest;
} // namespace lumetra::engine

namespace lumetra::preview {

class OutputJob;
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
    // A PDF is being written or a print job prepared.
    bool isProducing() const { return job_ != nullptr; }

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
    // Stops a save or print under way and waits for it: nothing of it is left behind.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolBar();
    void buildProgress();
    // The scroll area, with the check's notes beside it when there are any.
    QWidget* buildCentre();
    void updatePageIndicator();
    void updateNavigation();
    void settleLayout();
    void applyZoom(double zoom);
    void showZoom();
    void dropFarDrawings();
    void showUnreadable(const QStringList& files);
    // Starts writing or printing through the document's output on a thread of its own; shows
    // `done` in the status bar when it succeeded, the error otherwise.
    void produce(const engine::OutputRequest& request, const QString& done);
    // The output ended: asks about pictures that could not be drawn (and starts it again
    // without them), or tells how it went.
    void outputEnded();
    void showProgress(int done, int total);
    void setProducing(bool producing);

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
    QAction* print_ = nullptr;
    QAction* pdf_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    OutputJob* job_ = nullptr; // the output under way
    QString jobDone_;          // its message when it succeeds
    double zoom_ = 1.0;
    int requestedPage_ = 1; // the page the last navigation asked for
    bool fitted_ = false;
};

} // namespace lumetra::preview

#include "PreviewWindow.h"

#include "Length.h"

#include "CheckNotesList.h"
#include "DocumentOutput.h"
#include "EngineApplication.h"
#include "EngineDocument.h"
#include "OutputJob.h"
#include "PreviewPage.h"
#include "PrintRange.h"
#include "ZoomInput.h"

#include "PublisherApi.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumetra::preview {

using engine::EngineApplication;
using engine::EngineDocument;
using engine::OutputRequest;

namespace {

constexpr double MinZoom = 0.1;
constexpr double MaxZoom = 4.0;
constexpr int PageGap = 16;
constexpr int NotesWidth = 320;
// Zooms this close to a limit count as at the limit (the limit's button goes inactive).
constexpr double ZoomSlack = 1e-6;

void showError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QStringLiteral("Lumetra"), text);
}

// "Documento di 1 pagina", "Documento di 3 pagine".
QString documentText(int pages) {
    return pages == 1 ? QStringLiteral("Documento di 1 pagina")
                      : QStringLiteral("Documento di %1 pagine").arg(pages);
}

} // namespace

PreviewWindow::PreviewWindow(std::shared_ptr<EngineApplication> application,
                             std::shared_ptr<EngineDocument> document, QWidget* parent)
    : QMainWindow(parent), application_(std::move(application)), document_(std::move(document)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral("%1 - Anteprima documento - Lumetra")
                       .arg(QFileInfo(document_->fileName()).fileName()));

    auto* column = new QWidget;
    column->setObjectName(QStringLiteral("picPagine"));
    column->setAutoFillBackground(true);
    QPalette palette = column->palette();
    palette.setColor(QPalette::Window, QColor(128, 128, 128));
    column->setPalette(palette);
    auto* layout = new QVBoxLayout(column);
    layout->setSpacing(PageGap);
    layout->setContentsMargins(PageGap, PageGap, PageGap, PageGap);
    for (int i = 0; i < document_->pageCount(); ++i) {
        auto* page = new PreviewPage(document_, i, column);
        layout->addWidget(page, 0, Qt::AlignHCenter);
        connect(page, &PreviewPage::unreadablePictures, this, &PreviewWindow::showUnreadable);
        pages_.push_back(page);
    }

    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("scrPagine"));
    scroll_->setWidget(column);
    scroll_->setWidgetResizable(true);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->verticalScrollBar()->setSingleStep(40);
    setCentralWidget(buildCentre());
    connect(scroll_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        updatePageIndicator();
        dropFarDrawings();
    });
    connect(scroll_->verticalScrollBar(), &QScrollBar::rangeChanged, this,
            &PreviewWindow::updateNavigation);
    auto* zoomInput = new ZoomInput(scroll_->viewport());
    connect(zoomInput, &ZoomInput::zoomBy, this,
            [this](double factor, QPoint at) { zoomAt(zoom_ * factor, at); });

    buildToolBar();
    buildProgress();
    updateNavigation();
    statusBar()->showMessage(documentText(pageCount()));
    // A tall window, wide enough for the whole tool bar (and the notes), within the screen.
    const int notes = centralWidget() != scroll_ ? NotesWidth : 0;
    QSize size(std::max(900 + notes, sizeHint().width()), 1000);
    if (const QScreen* screen = this->screen()) {
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    }
    resize(size);
}

PreviewWindow::~PreviewWindow() = default;

QWidget* PreviewWindow::buildCentre() {
    if (document_->checkNotes().empty() && document_->checkSummary().isEmpty()) {
        return scroll_;
    }
    auto* notes = new CheckNotesList(document_->checkSummary(), document_->checkNotes());
    connect(notes, &CheckNotesList::pageChosen, this, &PreviewWindow::goToPage);
    std::vector<std::vector<NoteMark>> marks(pages_.size());
    for (const NoteMark& mark : notes->marks()) {
        if (mark.page >= 1 && mark.page <= pageCount()) {
            marks[std::size_t(mark.page - 1)].push_back(mark);
        }
    }
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->setMarks(std::move(marks[i]));
    }
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("splAnteprima"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(scroll_);
    splitter->addWidget(notes);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({900, NotesWidth});
    return splitter;
}

void PreviewWindow::buildProgress() {
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("prgUscita"));
    progress_->setFormat(QStringLiteral("%v di %m pagine"));
    progress_->setMinimumWidth(200);
    cancel_ = new QPushButton(QStringLiteral("Annulla"));
    cancel_->setObjectName(QStringLiteral("cmdAnnulla"));
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (job_) {
            job_->cancel();
            cancel_->setEnabled(false);
            statusBar()->showMessage(QStringLiteral("Annullamento in corso..."));
        }
    });
    statusBar()->addPermanentWidget(progress_);
    statusBar()->addPermanentWidget(cancel_);
    progress_->hide();
    cancel_->hide();
}

void PreviewWindow::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("Anteprima"));
    bar->setObjectName(QStringLiteral("tlbAnteprima"));
    bar->setMovable(false);

    print_ = bar->addAction(QStringLiteral("Stampa..."), this, &PreviewWindow::printWithDialog);
    print_->setObjectName(QStringLiteral("mnuStampa"));
    print_->setShortcut(QKeySequence::Print);
    pdf_ = bar->addAction(QStringLiteral("Salva come PDF..."), this, &PreviewWindow::saveAsPdf);
    pdf_->setObjectName(QStringLiteral("mnuSalvaPdf"));
    pdf_->setShortcut(QKeySequence::Save);
    bar->addSeparator();

    previous_ = bar->addAction(QStringLiteral("Pagina precedente"), this,
                               [this] { goToPage(currentPage() - 1); });
    previous_->setObjectName(QStringLiteral("mnuPaginaPrecedente"));
    pageBox_ = new QSpinBox;
    pageBox_->setObjectName(QStringLiteral("txtPagina"));
    pageBox_->setRange(1, std::max(1, pageCount()));
    pageBox_->setPrefix(QStringLiteral("Pagina "));
    pageBox_->setSuffix(QStringLiteral(" di %1").arg(pageCount()));
    pageBox_->setKeyboardTracking(false);
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int page) {
        if (page != currentPage()) {
            goToPage(page);
        }
    });
    bar->addWidget(pageBox_);
    next_ = bar->addAction(QStringLiteral("Pagina successiva"), this,
                           [this] { goToPage(currentPage() + 1); });
    next_->setObjectName(QStringLiteral("mnuPaginaSuccessiva"));
    bar->addSeparator();

    zoomOut_ = bar->addAction(QStringLiteral("Riduci"), this, &PreviewWindow::zoomOut);
    zoomOut_->setObjectName(QStringLiteral("mnuRiduci"));
    zoomOut_->setShortcut(QKeySequence::ZoomOut);
    zoomLabel_ = new QLabel;
    zoomLabel_->setObjectName(QStringLiteral("lblZoom"));
    zoomLabel_->setMinimumWidth(48);
    zoomLabel_->setAlignment(Qt::AlignCenter);
    bar->addWidget(zoomLabel_);
    zoomIn_ = bar->addAction(QStringLiteral("Ingrandisci"), this, &PreviewWindow::zoomIn);
    zoomIn_->setObjectName(QStringLiteral("mnuIngrandisci"));
    zoomIn_->setShortcut(QKeySequence::ZoomIn);
    QAction* width =
        bar->addAction(QStringLiteral("Adatta alla larghezza"), this, &PreviewWindow::fitWidth);
    width->setObjectName(QStringLiteral("mnuAdattaLarghezza"));
    QAction* whole = bar->addAction(QStringLiteral("Pagina intera"), this, &PreviewWindow::fitPage);
    whole->setObjectName(QStringLiteral("mnuPaginaIntera"));
    showZoom();
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void PreviewWindow::closeEvent(QCloseEvent* event) {
    if (job_) {
        // Between two pages at the latest the output stops, leaving no file; the document is
        // then no longer used when the engine lets it go.
        job_->cancelAndWait();
        std::exchange(job_, nullptr)->deleteLater();
        setProducing(false);
    }
    QMainWindow::closeEvent(event);
}

void PreviewWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!fitted_) {
        fitted_ = true;
        // Once the window has its size: the whole first page in view.
        QTimer::singleShot(0, this, &PreviewWindow::fitPage);
    }
}

int PreviewWindow::pageCount() const {
    return static_cast<int>(pages_.size());
}

int PreviewWindow::currentPage() const {
    if (pages_.empty()) {
        return 1;
    }
    // The page under the middle of the view.
    const int middle = scroll_->verticalScrollBar()->value() + scroll_->viewport()->height() / 2;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i]->geometry().bottom() + PageGap / 2 >= middle) {
            return static_cast<int>(i) + 1;
        }
    }
    return pageCount();
}

int PreviewWindow::drawnPageCount() const {
    return static_cast<int>(std::count_if(pages_.begin(), pages_.end(),
                                          [](const PreviewPage* p) { return p->hasDrawing(); }));
}

void PreviewWindow::goToPage(int page) {
    if (pages_.empty()) {
        return;
    }
    page = std::clamp(page, 1, pageCount());
    requestedPage_ = page;
    settleLayout();
    scroll_->verticalScrollBar()->setValue(pages_[std::size_t(page - 1)]->y() - PageGap / 2);
    updatePageIndicator();
}

void PreviewWindow::settleLayout() {
    // Page sizes just changed: let the column and the scroll bars take their new sizes first.
    scroll_->widget()->layout()->activate();
    QCoreApplication::sendPostedEvents(scroll_->widget(), QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(scroll_->viewport(), QEvent::LayoutRequest);
    QCoreApplication::sendPostedEvents(scroll_, QEvent::LayoutRequest);
}

void PreviewWindow::applyZoom(double zoom) {
    zoom_ = std::clamp(zoom, MinZoom, MaxZoom);
    for (PreviewPage* p : pages_) {
        p->setZoom(zoom_);
    }
    showZoom();
}

void PreviewWindow::showZoom() {
    zoomLabel_->setText(QStringLiteral("%1%").arg(qRound(zoom_ * 100)));
    zoomOut_->setEnabled(zoom_ > MinZoom * (1 + ZoomSlack));
    zoomIn_->setEnabled(zoom_ < MaxZoom * (1 - ZoomSlack));
}

void PreviewWindow::setZoom(double zoom) {
    const int page = currentPage();
    applyZoom(zoom);
    goToPage(page);
    // Once the scroll area has settled on the new sizes, the same page again (or the page
    // asked for since).
    QTimer::singleShot(0, this, [this] { goToPage(requestedPage_); });
}

void PreviewWindow::zoomAt(double zoom, QPoint at) {
    if (pages_.empty()) {
        return;
    }
    // The point of the page under `at`, as fractions of the page, stays under `at`.
    QWidget* column = scroll_->widget();
    const QPoint before = column->mapFrom(scroll_->viewport(), at);
    std::size_t index = pages_.size() - 1;
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        if (pages_[i]->geometry().bottom() + PageGap / 2 >= before.y()) {
            index = i;
            break;
        }
    }
    const QRect old = pages_[index]->geometry();
    const double fx = (before.x() - old.x()) / double(std::max(1, old.width()));
    const double fy = (before.y() - old.y()) / double(std::max(1, old.height()));
    applyZoom(zoom);
    settleLayout();
    const QRect now = pages_[index]->geometry();
    const QPoint after(now.x() + qRound(fx * now.width()), now.y() + qRound(fy * now.height()));
    scroll_->horizontalScrollBar()->setValue(scroll_->horizontalScrollBar()->value() +
                                             column->mapTo(scroll_->viewport(), after).x() -
                                             at.x());
    scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->value() +
                                           column->mapTo(scroll_->viewport(), after).y() - at.y());
    requestedPage_ = currentPage();
    updatePageIndicator();
}

void PreviewWindow::zoomIn() {
    setZoom(zoom_ * 1.25);
}

void PreviewWindow::zoomOut() {
    setZoom(zoom_ / 1.25);
}

void PreviewWindow::fitWidth() {
    const QSizeF points = document_->pageSize();
    const double available = scroll_->viewport()->width() - 2 * PageGap;
    if (points.width() > 0 && available > 0) {
        setZoom(available / (points.width() * logicalDpiX() / runtime::PointsPerInch));
    }
}

void PreviewWindow::fitPage() {
    const QSizeF points = document_->pageSize();
    const double w = scroll_->viewport()->width() - 2 * PageGap;
    const double h = scroll_->viewport()->height() - 2 * PageGap;
    if (points.isEmpty() || w <= 0 || h <= 0) {
        return;
    }
    const double perPoint = logicalDpiX() / runtime::PointsPerInch;
    setZoom(std::min(w / (points.width() * perPoint), h / (points.height() * perPoint)));
}

void PreviewWindow::updatePageIndicator() {
    const QSignalBlocker block(pageBox_);
    pageBox_->setValue(currentPage());
    updateNavigation();
}

void PreviewWindow::updateNavigation() {
    if (previous_ == nullptr) {
        return; // still building the window
    }
    // A button is active only where it leads: not back from the first page nor on from the last,
    // nor where the view cannot move any further that way.
    const QScrollBar* bar = scroll_->verticalScrollBar();
    const int page = currentPage();
    previous_->setEnabled(page > 1 && bar->value() > bar->minimum());
    next_->setEnabled(page < pageCount() && bar->value() < bar->maximum());
}

void PreviewWindow::dropFarDrawings() {
    // Keep the drawings of the pages in view and their neighbours; the rest go.
    const int top = scroll_->verticalScrollBar()->value();
    const int bottom = top + scroll_->viewport()->height();
    const int margin = scroll_->viewport()->height();
    for (PreviewPage* page : pages_) {
        const QRect g = page->geometry();
        if (g.bottom() < top - margin || g.top() > bottom + margin) {
            page->dropDrawing();
        }
    }
}

void PreviewWindow::showUnreadable(const QStringList& files) {
    QStringList names;
    for (const QString& file : files) {
        names << QStringLiteral("'%1'").arg(QFileInfo(file).fileName());
    }
    statusBar()->showMessage((names.size() == 1 ? QStringLiteral("Immagine non leggibile: %1")
                                                : QStringLiteral("Immagini non leggibili: %1"))
                                 .arg(names.join(QStringLiteral(", "))));
}

void PreviewWindow::printWithDialog() {
    if (job_) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(documentPageLayout(*document_));
    printer.setDocName(QFileInfo(document_->fileName()).completeBaseName());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Stampa"));
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::optional<PageSpan> pages = pagesToPrint(
        printer.printRange(), printer.fromPage(), printer.toPage(), currentPage(), pageCount());
    if (!pages) {
        QMessageBox::warning(
            this, QStringLiteral("Lumetra"),
            QStringLiteral("Nessuna pagina del documento nell'intervallo scelto."));
        return;
    }
    OutputRequest request{pages->first,        pages->last,
                          printer.copyCount(), printer.collateCopies(),
                          QString(),           printer.printerName()};
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        request.pdfFile = printer.outputFileName(); // "Stampa su file" of the dialog
        produce(request, QStringLiteral("Documento salvato in '%1'").arg(request.pdfFile));
    } else {
        produce(request, QStringLiteral("Documento inviato alla stampante"));
    }
}

namespace {

// Where "Salva come PDF" starts: the folder last saved to in this run, else the user's documents
// folder (or home). Never the layout's folder, which is often a customer's or a shared one.
QString pdfFolder(const QString& lastUsed) {
    if (!lastUsed.isEmpty() && QFileInfo(lastUsed).isDir()) {
        return lastUsed;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString lastPdfFolder; // for this run only: nothing is kept between runs

} // namespace

void PreviewWindow::saveAsPdf() {
    if (job_) {
        return;
    }
    const QString name =
        QFileInfo(document_->fileName()).completeBaseName() + QStringLiteral(".pdf");
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Salva come PDF"),
                                                      QDir(pdfFolder(lastPdfFolder)).filePath(name),
                                                      QStringLiteral("Documenti PDF (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    lastPdfFolder = QFileInfo(path).absolutePath();
    OutputRequest request{0, pageCount() - 1, 1, true, path, QString()};
    produce(request, QStringLiteral("Documento salvato in '%1'").arg(path));
}

void PreviewWindow::produce(const OutputRequest& request, const QString& done) {
    jobDone_ = done;
    job_ = new OutputJob(document_, request, this);
    connect(job_, &OutputJob::progressed, this, &PreviewWindow::showProgress);
    connect(job_, &OutputJob::finished, this, &PreviewWindow::outputEnded);
    setProducing(true);
    progress_->setRange(0, request.last - request.first + 1);
    progress_->setValue(0);
    statusBar()->showMessage(request.pdfFile.isEmpty()
                                 ? QStringLiteral("Preparazione della stampa in corso...")
                                 : QStringLiteral("Salvataggio del PDF in corso..."));
    repaint(); // a closed dialog leaves no picture of itself behind
    job_->start();
}

void PreviewWindow::showProgress(int done, int total) {
    progress_->setRange(0, total);
    progress_->setValue(done);
}

void PreviewWindow::setProducing(bool producing) {
    print_->setEnabled(!producing);
    pdf_->setEnabled(!producing);
    progress_->setVisible(producing);
    cancel_->setVisible(producing);
    cancel_->setEnabled(producing);
}

void PreviewWindow::outputEnded() {
    OutputJob* job = std::exchange(job_, nullptr);
    job->deleteLater();
    setProducing(false);
    const OutputRequest request = job->request();
    const QString& file = request.pdfFile;
    const QString why = job->errorText();
    switch (job->outcome()) {
    case OutputJob::Outcome::Done:
        statusBar()->showMessage(jobDone_, 5000);
        return;
    case OutputJob::Outcome::Cancelled:
        statusBar()->showMessage(
            file.isEmpty()
                ? QStringLiteral("Stampa annullata: nulla è stato inviato alla stampante")
                : QStringLiteral("Salvataggio annullato: il file '%1' non è stato scritto")
                      .arg(file),
            5000);
        return;
    case OutputJob::Outcome::Failed:
        break;
    }
    statusBar()->clearMessage();
    if (job->errorNumber() != runtime::ErrImmagineNonValida) {
        if (!why.isEmpty()) {
            showError(this, why);
        } else if (file.isEmpty()) {
            showError(this, QStringLiteral("Stampa non riuscita"));
        } else {
            showError(this, QStringLiteral("Impossibile scrivere il file PDF '%1'").arg(file));
        }
        return;
    }
    // A picture that cannot be drawn stops the output before anything is written or sent; the
    // user goes on without it (its box stays empty) or stops. Each round leaves at least one
    // more picture out, so the questions end.
    const auto answer = QMessageBox::warning(
        this, QStringLiteral("Lumetra"),
        why + QStringLiteral(".\n\nPremere 'Ok' per proseguire lasciando vuota la casella "
                             "dell'immagine, 'Annulla' per terminare l'operazione."),
        QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Ok && !job_ && isVisible()) {
        produce(request, jobDone_);
    }
}

} // namespace lumetra::preview

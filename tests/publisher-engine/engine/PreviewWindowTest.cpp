// The document window: shown through ActiveWindow().SetVisible(true), draws only the pages in
// view, navigates and zooms (also by Ctrl + wheel and pinching), keeps the engine alive until
// it is closed, saves PDFs in the background and shows the check's notes on screen only.

#include "EngineTestSupport.h"

#include "EngineFactory.h"
#include "OutputJob.h"
#include "PreviewPage.h"
#include "PreviewWindow.h"
#include "PrintRange.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QListWidget>
#include <QNativeGestureEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::factory;
using namespace lumetra::preview;
using namespace lumetra::engine::test;
namespace images = lumetra::testimages;

namespace {

PreviewWindow* findPreview() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* preview = qobject_cast<PreviewWindow*>(widget); preview && preview->isVisible()) {
            return preview;
        }
    }
    return nullptr;
}

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace

TEST(PreviewWindow, ShowsPagesLazilyAndKeepsTheEngineAliveUntilClosed) {
    QTemporaryDir dir;
    const QString layoutFile = dir.filePath("catalogo.pub");
    images::writeTextFile(layoutFile, "layout");
    const QString photo = images::writeJpeg(dir.filePath("foto.jpg"), QSize(300, 400), Qt::red);

    EngineOptions options;
    options.loadLayout = memoryLayoutLoader(twoPageLayout());
    std::weak_ptr<Publisher::Application> weakApp;
    {
        auto app = applicationFactory(options)();
        weakApp = app;
        auto document = app->Open(layoutFile, false, true, 3);
        auto pages = document->Pages();
        for (int i = 0; i < 18; ++i) {
            auto page = pages->Add(1, pages->Count(), 1);
            page->Shapes()->AddPicture(photo, 0, -1, 50, 50, 200, 300);
        }
        auto window = app->ActiveWindow();
        EXPECT_FALSE(window->Visible());
        window->SetVisible(true);
        EXPECT_TRUE(window->Visible());
        app->Quit(); // a window is showing: the engine stays
        EXPECT_NO_THROW(app->ActiveDocument());
    } // the composition lets go of everything

    settle();
    ASSERT_FALSE(weakApp.expired()) << "the window keeps the engine alive";
    PreviewWindow* preview = findPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->windowTitle().contains("catalogo.pub"));
    preview->resize(800, 900);
    preview->fitWidth();
    settle();
    const int drawn = preview->drawnPageCount();
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 5) << "only the pages in view are drawn";
    EXPECT_EQ(preview->currentPage(), 1);

    preview->goToPage(15);
    settle();
    EXPECT_LT(preview->drawnPageCount(), 8) << "pages far from view give their drawing up";
    const double zoom = preview->zoom();
    preview->zoomIn();
    EXPECT_GT(preview->zoom(), zoom);
    EXPECT_EQ(preview->currentPage(), 15) << "gone to, and kept by the zoom";
    preview->goToPage(99); // past the end: the last of the 20 pages
    EXPECT_EQ(preview->currentPage(), 20);

    QTest::keyClick(preview, Qt::Key_Escape); // closes it, as any viewer
    settle();
    EXPECT_EQ(findPreview(), nullptr);
    EXPECT_TRUE(weakApp.expired()) << "closing the window ends the engine";
}

namespace {

// A preview of `pages` pages of the A4 test layout, shown, one whole page in view.
struct ShownPreview {
    explicit ShownPreview(int pages, std::vector<Publisher::CheckNote> notes = {},
                          const QString& summary = {}) {
        auto& document = *fixture.document;
        document.SetCheckNotes(std::move(notes), summary);
        while (document.pageCount() > pages) {
            document.removePage(&document.page(document.pageCount() - 1));
        }
        if (document.pageCount() < pages) {
            document.addPages(pages - document.pageCount(), document.pageCount(), 1);
        }
        window = new PreviewWindow(fixture.app, fixture.document);
        window->resize(800, 900);
        window->show();
        settle();
        window->fitPage();
        settle();
    }
    ~ShownPreview() {
        window->close();
        settle();
    }
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    QScrollArea* scroll() const { return window->findChild<QScrollArea*>("scrPagine"); }

    EngineFixture fixture;
    PreviewWindow* window = nullptr;
};

} // namespace

// "Pagina precedente" and "Pagina successiva" are active only where they lead somewhere, and
// the status line counts the pages in the right number.
TEST(PreviewWindow, PageButtonsLeadSomewhereOnly) {
    const struct {
        int pages;
        int page; // the page gone to
        bool previous;
        bool next;
        const char* status;
    } rows[] = {{1, 1, false, false, "Documento di 1 pagina"},
                {3, 1, false, true, "Documento di 3 pagine"},
                {3, 2, true, true, "Documento di 3 pagine"},
                {3, 3, true, false, "Documento di 3 pagine"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "page " << row.page << " of " << row.pages);
        ShownPreview preview(row.pages);
        preview.window->goToPage(row.page);
        settle();
        ASSERT_EQ(preview.window->currentPage(), row.page);
        EXPECT_EQ(preview.action("mnuPaginaPrecedente")->isEnabled(), row.previous);
        EXPECT_EQ(preview.action("mnuPaginaSuccessiva")->isEnabled(), row.next);
        EXPECT_EQ(preview.window->statusBar()->currentMessage(), QString::fromUtf8(row.status));

        // An active button leads to the page beside (the states there are the next row's).
        if (row.next) {
            preview.action("mnuPaginaSuccessiva")->trigger();
            settle();
            EXPECT_EQ(preview.window->currentPage(), row.page + 1);
        }
    }
}

// Ctrl + wheel and pinching zoom around the pointer; the wheel alone scrolls.
TEST(PreviewWindow, ZoomsAroundThePointer) {
    const struct {
        const char* name;
        bool pinch;
        Qt::KeyboardModifiers modifiers;
        double amount; // wheel: eighths of a degree; pinch: change of scale
        double factor; // of the zoom; 1: no zoom
    } rows[] = {{"Ctrl + rotella su", false, Qt::ControlModifier, 120, 1.25},
                {"Ctrl + rotella giù di due", false, Qt::ControlModifier, -240, 1 / (1.25 * 1.25)},
                {"rotella sola", false, Qt::NoModifier, -120, 1.0},
                {"pizzico in fuori", true, Qt::NoModifier, 0.5, 1.5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ShownPreview preview(3);
        // Pages wider and taller than the view before and after, so that the view can follow.
        preview.window->setZoom(2.0);
        settle();
        QScrollBar* across = preview.scroll()->horizontalScrollBar();
        across->setValue(across->maximum() / 2);
        preview.scroll()->verticalScrollBar()->setValue(800);
        QWidget* viewport = preview.scroll()->viewport();
        const QPoint at(viewport->width() / 2, viewport->height() / 2);
        const auto pagePoint = [&] {
            const QPoint inColumn = preview.scroll()->widget()->mapFrom(viewport, at);
            const QRect page = preview.window->findChildren<PreviewPage*>().front()->geometry();
            return QPointF((inColumn.x() - page.x()) / double(page.width()),
                           (inColumn.y() - page.y()) / double(page.height()));
        };
        const double zoom = preview.window->zoom();
        const QPointF under = pagePoint();
        const int scrolled = preview.scroll()->verticalScrollBar()->value();

        const QPointF global = viewport->mapToGlobal(QPointF(at));
        if (!row.pinch) {
            QWheelEvent wheel(at, global, QPoint(), QPoint(0, int(row.amount)), Qt::NoButton,
                              row.modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &wheel);
        } else {
            QNativeGestureEvent pinch(Qt::ZoomNativeGesture,
                                      QPointingDevice::primaryPointingDevice(), 2, at, at, global,
                                      row.amount, QPointF(), 0);
            QApplication::sendEvent(viewport, &pinch);
        }
        settle();

        EXPECT_NEAR(preview.window->zoom() / zoom, row.factor, 1e-6);
        if (row.factor != 1.0) {
            const QPointF now = pagePoint();
            EXPECT_NEAR(now.x(), under.x(), 0.01) << "the point under the pointer stays";
            EXPECT_NEAR(now.y(), under.y(), 0.01) << "the point under the pointer stays";
        } else {
            EXPECT_GT(preview.scroll()->verticalScrollBar()->value(), scrolled);
        }
    }
}

// Answers the dialog of "Salva come PDF" by saving in `folder` under the name proposed (no
// folder: by cancelling), and waits for the save to end; gives the folder the dialog showed.
QString saveThroughDialog(PreviewWindow* window, const QString& folder,
                          const std::function<void()>& whileSaving = {}) {
    QString shown;
    QTimer::singleShot(100, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = dialog->directory().absolutePath();
        if (folder.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->setDirectory(folder);
        static_cast<QDialog*>(dialog)->accept();
    });
    window->saveAsPdf();
    if (whileSaving) {
        whileSaving();
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isProducing(); }, 300000));
    return shown;
}

// "Salva come PDF" starts in the user's documents folder, never beside the layout (often a
// customer's or a shared folder), and then where the user last saved in this run.
TEST(PreviewWindow, SaveAsPdfStartsInTheDocumentsFolderThenTheLastOneUsed) {
    ShownPreview preview(1);
    QTemporaryDir elsewhere;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    ASSERT_TRUE(QDir().mkpath(documents));
    EXPECT_EQ(saveThroughDialog(preview.window, elsewhere.path()), QDir(documents).absolutePath());
    EXPECT_EQ(QDir(elsewhere.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files).size(), 1);
    EXPECT_EQ(saveThroughDialog(preview.window, QString()), QDir(elsewhere.path()).absolutePath());
}

// The PDF is written on a thread of its own: the window pages on meanwhile, its "Annulla" leaves
// no file at all, and a save left to end holds every page. The check's notes are listed beside
// the pages, grouped by kind, and their places marked on screen, never in the PDF.
TEST(PreviewWindow, SavesInTheBackgroundAndMarksNotesOnScreenOnly) {
    const QRectF noted(100, 420, 200, 150); // white paper on page 1
    ShownPreview preview(
        12,
        {{1, noted, "risoluzione", "Risoluzione bassa: 'foto.jpg'", "Risoluzione insufficiente"},
         {3, QRectF(), "duplicato", "Codice 'A1' ripetuto", "Codici articolo ripetuti"}},
        "12 pagine composte");
    const QString photo = images::writeJpeg(preview.fixture.path("foto.jpg"),
                                            images::photoLikeImage(QSize(1600, 1600)));
    for (int page = 1; page <= 12; ++page) {
        preview.fixture.document->Pages()->Item(page)->Shapes()->AddPicture(photo, 0, -1, 50, 620,
                                                                            300, 200);
    }
    auto* notes = preview.window->findChild<QListWidget*>("lstControllo");
    ASSERT_NE(notes, nullptr);
    QStringList listed;
    for (int row = 0; row < notes->count(); ++row) {
        listed << notes->item(row)->text();
    }
    EXPECT_EQ(listed,
              QStringList({"12 pagine composte", "Risoluzione insufficiente (1)",
                           "1. Pagina 1: Risoluzione bassa: 'foto.jpg'",
                           "Codici articolo ripetuti (1)", "Pagina 3: Codice 'A1' ripetuto"}));
    notes->setCurrentRow(4);
    EXPECT_EQ(preview.window->currentPage(), 3);

    QTemporaryDir out;
    int pageMeanwhile = 0;
    saveThroughDialog(preview.window, out.path(), [&] {
        auto* job = preview.window->findChild<OutputJob*>();
        ASSERT_NE(job, nullptr);
        EXPECT_FALSE(preview.action("mnuSalvaPdf")->isEnabled());
        QObject::connect(job, &OutputJob::progressed, job, [&] {
            if (pageMeanwhile == 0) {
                preview.window->goToPage(5);
                pageMeanwhile = preview.window->currentPage();
                preview.window->findChild<QPushButton*>("cmdAnnulla")->click();
            }
        });
    });
    EXPECT_EQ(pageMeanwhile, 5) << "the window answered while the pages were written";
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
    EXPECT_TRUE(preview.action("mnuSalvaPdf")->isEnabled());

    QTemporaryDir saved; // another folder: no question about replacing a file
    saveThroughDialog(preview.window, saved.path());
    const QString pdf = saved.filePath("layout.pdf");
    EXPECT_TRUE(lumetra::testsupport::runProgram("pdfinfo", {pdf})
                    .contains(QRegularExpression("Pages:\\s+12\\n")));
    lumetra::testsupport::runProgram(
        "pdftoppm", {"-r", "72", "-l", "1", "-singlefile", "-png", pdf, out.filePath("p")});
    const QImage paper(out.filePath("p.png"));
    const QRect area = noted.toAlignedRect().adjusted(-3, -3, 3, 3);
    ASSERT_EQ(paper.size(), QSize(595, 842));
    EXPECT_GT(countPixels(paper, area, Qt::white), area.width() * area.height() / 2);
    EXPECT_EQ(countPixels(paper, area, PreviewPage::MarkColour, 30), 0);

    const QImage screen = preview.window->findChildren<PreviewPage*>().front()->grab().toImage();
    const double scale = screen.width() / 595.0;
    const QRect shown = QRectF(noted.topLeft() * scale, noted.size() * scale)
                            .toAlignedRect()
                            .adjusted(-3, -3, 3, 3);
    EXPECT_GT(countPixels(screen, shown, PreviewPage::MarkColour, 30), shown.width() * 2);
}

// The print dialog's choice, as pages of the document: all, the page shown, a range cut at the
// end, and ranges that hold no page.
TEST(PreviewWindow, PrintDialogRangesBecomePagesOfTheDocument) {
    using lumetra::preview::PageSpan;
    const struct {
        QPrinter::PrintRange range;
        int from, to, current, count;
        std::optional<PageSpan> pages;
    } rows[] = {
        {QPrinter::AllPages, 0, 0, 3, 5, PageSpan{0, 4}},
        {QPrinter::CurrentPage, 0, 0, 3, 5, PageSpan{2, 2}},
        {QPrinter::PageRange, 2, 99, 1, 5, PageSpan{1, 4}},
        {QPrinter::PageRange, 2, 0, 1, 5, PageSpan{1, 4}},
        {QPrinter::PageRange, 4, 2, 1, 5, std::nullopt},
        {QPrinter::PageRange, 7, 9, 1, 5, std::nullopt},
        {QPrinter::AllPages, 0, 0, 1, 0, std::nullopt},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(
            lumetra::preview::pagesToPrint(row.range, row.from, row.to, row.current, row.count),
            row.pages)
            << row.range << " " << row.from << "-" << row.to << " of " << row.count;
    }
}

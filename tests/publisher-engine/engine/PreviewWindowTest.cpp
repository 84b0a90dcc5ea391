// The document window: shown through ActiveWindow().SetVisible(true), draws only the pages in
// view, navigates and zooms, and keeps the engine alive until it is closed.

#include "EngineTestSupport.h"

#include "EngineFactory.h"
#include "PreviewWindow.h"
#include "TestImages.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumetra::engine;
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
        auto app = fabbricaApplicazione(options)();
        weakApp = app;
        auto document = app->Open(layoutFile, false, true, 3);
        auto pages = document->Pages();
        for (int i = 0; i < 18; ++i) {
            auto page = pages->Add(1, pages->Count(), 1);
            page->Shapes()->AddPicture(photo, 0, -1, 50, 50, 200, 300);
        }
        ASSERT_EQ(pages->Count(), 20);
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
    EXPECT_EQ(preview->pageCount(), 20);
    preview->resize(800, 900);
    preview->fitWidth();
    settle();
    const int drawn = preview->drawnPageCount();
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 5) << "only the pages in view are drawn";
    EXPECT_EQ(preview->currentPage(), 1);

    preview->goToPage(15);
    settle();
    EXPECT_EQ(preview->currentPage(), 15);
    EXPECT_LT(preview->drawnPageCount(), 8) << "pages far from view give their drawing up";
    const double zoom = preview->zoom();
    preview->zoomIn();
    EXPECT_GT(preview->zoom(), zoom);
    EXPECT_EQ(preview->currentPage(), 15);
    preview->goToPage(99);
    EXPECT_EQ(preview->currentPage(), 20);

    preview->close();
    settle();
    EXPECT_EQ(findPreview(), nullptr);
    EXPECT_TRUE(weakApp.expired()) << "closing the window ends the engine";
}

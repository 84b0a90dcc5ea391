// The window and pane layouts, the size limits and the folder picker's result.

#include "PaneLayout.h"
#include "PlatformDoubles.h"
#include "Units.h"
#include "modBrowseForFolder.h"
#include "modSubClass.h"
#include "objMinMaxInfo.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace lumetra;
using geometry::PaneControls;

// A pane laid out on the real window; one too small neither fails nor clamps the buttons.
TEST(PaneLayout, TooSmallPanesNeitherFailNorClampButtons) {
    const QSizeF button(1095, 375);
    PaneControls pane;
    pane.label = QRectF(0, 0, 1, 255);
    pane.leftButton = pane.rightButton = QRectF(QPointF(), button);
    const PaneControls narrow = geometry::PaneLayout(QSizeF(1000, 3900), button, 240, pane);
    EXPECT_EQ(narrow.rightButton->left(), -155);
    const PaneControls crushed = geometry::PaneLayout(QSizeF(100, 300), button, 240, pane);
    EXPECT_EQ(crushed.list.height(), 0);
    EXPECT_EQ(crushed.firstColumnWidth, 0);
}

TEST(SizeLimits, RoundToEvenAndApplyOnlyLimitsThatAreSet) {
    EXPECT_EQ(platform::roundHalfEven(8422.5 / 15), 562);
    EXPECT_EQ(platform::roundHalfEven(8407.5 / 15), 560);

    geometry::objMinMaxInfo limits;
    geometry::MINMAXINFO info;
    info.ptMinTrackSize = QPoint(100, 100);
    info.ptMaxTrackSize = QPoint(2000, 1500);
    geometry::ProceduraFinestra(info);
    EXPECT_EQ(info.ptMinTrackSize, QPoint(100, 100)); // all -1: system values stay
    EXPECT_EQ(info.ptMaxTrackSize, QPoint(2000, 1500));

    limits.setMinWidth(561);
    limits.setMinHeight(0);
    limits.setMaxHeight(900);
    geometry::ProceduraFinestra(info);
    EXPECT_EQ(info.ptMinTrackSize, QPoint(561, 0)); // 0 is a limit
    EXPECT_EQ(info.ptMaxTrackSize, QPoint(2000, 900));

    geometry::objMinMaxInfo second;
    EXPECT_EQ(limits.MinWidth(), -1);
    EXPECT_EQ(limits.MinHeight(), -1);
    EXPECT_EQ(limits.MaxHeight(), -1);
}

TEST(SizeLimits, AnActiveInstanceKeepsItsWindowAndEnforcesTheMinimum) {
    QWidget window;
    window.resize(700, 400);
    geometry::objMinMaxInfo limits;
    limits.Inizializza(); // no window: nothing
    EXPECT_FALSE(limits.Inizializzato());
    limits.setHWnd(&window);
    limits.setMinWidth(561);
    limits.setMinHeight(330);
    limits.Inizializza();
    EXPECT_TRUE(limits.Inizializzato());
    QWidget other;
    limits.setHWnd(&other);
    EXPECT_EQ(limits.hWnd(), &window);

    // That the limits hold for the whole window, frame included, is checked on the real window.
    window.show();
    window.resize(100, 100);
    EXPECT_EQ(window.frameGeometry().size(), QSize(561, 330));

    limits.Termina();
    EXPECT_FALSE(limits.Inizializzato());
    window.resize(100, 100);
    EXPECT_EQ(window.size(), QSize(100, 100));
    limits.Termina(); // inactive: nothing
}

TEST(FolderPicker, TrimsOneTrailingSeparatorButKeepsTheRoot) {
    doubles::ScriptedDialogHost host;
    const QString title =
        QStringLiteral("Selezionare la cartella contenente le immagini da stampare");
    host.folderAnswers = {QStringLiteral("/srv/Immagini/Catalogo"),
                          QStringLiteral("/srv/Immagini/"), QStringLiteral("/"), QString()};
    EXPECT_EQ(geometry::SfogliaCartella(host, QStringLiteral("/srv/x/"), title),
              QStringLiteral("/srv/Immagini/Catalogo"));
    EXPECT_EQ(geometry::SfogliaCartella(host, QString(), title), QStringLiteral("/srv/Immagini"));
    EXPECT_EQ(geometry::SfogliaCartella(host, QString(), title), QStringLiteral("/"));
    EXPECT_EQ(geometry::SfogliaCartella(host, QStringLiteral("/srv"), title), QString());
    ASSERT_EQ(host.folderRequests.size(), 4u);
    EXPECT_EQ(host.folderRequests[0].first, QStringLiteral("/srv/x/")); // handed over as given
    EXPECT_EQ(host.folderRequests[1].first, QStringLiteral("/"));       // empty: the root
    EXPECT_EQ(host.folderRequests[0].second, title);
}

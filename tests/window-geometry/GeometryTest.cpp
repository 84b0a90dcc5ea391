// The window and pane layouts, the size limits and the folder picker's result.

#include "FormLayout.h"
#include "PaneLayout.h"
#include "PlatformDoubles.h"
#include "Units.h"
#include "modBrowseForFolder.h"
#include "modSubClass.h"
#include "objMinMaxInfo.h"

#include <QWidget>
#include <gtest/gtest.h>

using namespace lumetra;
using geometry::FormControls;
using geometry::PaneControls;

namespace {

// What the layouts read of the controls they are given: the heights of the status label
// (390 twips) and of the progress bar (135), the sizes of a pane's label and buttons.
FormControls controls() {
    FormControls c;
    c.lblInformazioni.setHeight(390);
    c.prgBar.setHeight(135);
    return c;
}

PaneControls pane(bool buttons) {
    PaneControls c;
    c.label = QRectF(0, 0, 1, 255);
    if (buttons) {
        c.leftButton = QRectF(0, 0, 1095, 375);
        c.rightButton = QRectF(0, 0, 1095, 375);
    }
    return c;
}

} // namespace

// The bands for a large window and for the window's opening size (twips).
TEST(FormResize, PlacesTheStatusLineSeparatorAndSplitter) {
    const FormControls c = geometry::Form_Resize(12000, 7000, controls());
    EXPECT_EQ(c.lblInformazioni, QRectF(0, 6610, 12000, 390));
    EXPECT_EQ(c.prgBar, QRectF(60, 6805, 11880, 135));
    EXPECT_EQ(c.line1, (geometry::Line{0, 6535, 12000, 6535}));
    EXPECT_EQ(c.line2, (geometry::Line{0, 6550, 12000, 6550}));
    EXPECT_EQ(c.splitter, QRectF(0, 1200, 12000, 5290));

    const FormControls start = geometry::Form_Resize(10110, 5580, controls());
    EXPECT_EQ(start.lblInformazioni, QRectF(0, 5190, 10110, 390));
    EXPECT_EQ(start.line1.y1, 5115);
    EXPECT_EQ(start.line2.y1, 5130);
    EXPECT_EQ(start.prgBar, QRectF(60, 5385, 9990, 135));
    EXPECT_EQ(start.splitter, QRectF(0, 1200, 10110, 3870));
}

TEST(FormResize, GrowingMovesOnlyTheBottomBandsAndKeepsNoState) {
    const FormControls small = geometry::Form_Resize(10110, 5580, controls());
    const FormControls wide = geometry::Form_Resize(10410, 5580, small);
    EXPECT_EQ(wide.lblInformazioni.width() - small.lblInformazioni.width(), 300);
    EXPECT_EQ(wide.prgBar.width() - small.prgBar.width(), 300);
    EXPECT_EQ(wide.line1.x2 - small.line1.x2, 300);
    EXPECT_EQ(wide.splitter.width() - small.splitter.width(), 300);
    const FormControls tall = geometry::Form_Resize(10110, 6080, small);
    EXPECT_EQ(tall.splitter.top(), 1200);
    EXPECT_EQ(tall.splitter.height() - small.splitter.height(), 500);
    EXPECT_EQ(tall.line1.y1 - small.line1.y1, 500);
    // Minimising and restoring: the same layout as before.
    const FormControls minimised = geometry::Form_Resize(0, 0, tall);
    EXPECT_EQ(geometry::Form_Resize(10110, 5580, minimised), small);
}

TEST(FormResize, NegativeSizesSkipTheirStepOnly) {
    const FormControls start = geometry::Form_Resize(10110, 5580, controls());
    const FormControls low = geometry::Form_Resize(10110, 4000, start);
    EXPECT_EQ(low.splitter.height(), 2290);
    const FormControls tiny = geometry::Form_Resize(10110, 1500, low);
    EXPECT_EQ(tiny.splitter, low.splitter); // would be -210: kept
    EXPECT_EQ(tiny.lblInformazioni.top(), 1110);
    EXPECT_EQ(tiny.line1.y1, 1035);
    const FormControls narrow = geometry::Form_Resize(100, 5580, start);
    EXPECT_EQ(narrow.prgBar, start.prgBar); // width 100 - 120 < 0: kept
    EXPECT_EQ(narrow.lblInformazioni.width(), 100);
    EXPECT_EQ(narrow.splitter.width(), 100);
}

TEST(PaneLayout, ButtonsAtTheBottomListBetweenColumnLessTheScrollBar) {
    const QSizeF button(1095, 375);
    const PaneControls file = geometry::PaneLayout(QSizeF(2700, 3900), button, 240, pane(true));
    EXPECT_EQ(file.label, QRectF(0, 0, 2700, 255));
    EXPECT_EQ(file.rightButton->topLeft(), QPointF(1545, 3465));
    EXPECT_EQ(file.leftButton->topLeft(), QPointF(60, 3465));
    EXPECT_EQ(file.list, QRectF(0, 255, 2700, 3150));
    EXPECT_EQ(file.firstColumnWidth, 2460);

    // The printed-files pane has no buttons but keeps their strip.
    const PaneControls printed = geometry::PaneLayout(QSizeF(2700, 3900), button, 240, pane(false));
    EXPECT_EQ(printed.list, QRectF(0, 255, 2700, 3150));
    EXPECT_EQ(printed.firstColumnWidth, 2460);
    EXPECT_FALSE(printed.rightButton.has_value());

    const PaneControls wider = geometry::PaneLayout(QSizeF(3000, 3900), button, 240, file);
    EXPECT_EQ(wider.rightButton->left() - file.rightButton->left(), 300);
    EXPECT_EQ(wider.leftButton->left(), 60);
    EXPECT_EQ(wider.firstColumnWidth - file.firstColumnWidth, 300);

    const PaneControls allowance =
        geometry::PaneLayout(QSizeF(2700, 3900), button, 20.0 * 17, pane(true));
    EXPECT_EQ(allowance.firstColumnWidth, 2700 - 340);
}

TEST(PaneLayout, TooSmallPanesNeitherFailNorClampButtons) {
    const PaneControls narrow =
        geometry::PaneLayout(QSizeF(1000, 3900), QSizeF(1095, 375), 240, pane(true));
    EXPECT_EQ(narrow.rightButton->left(), -155);
    const PaneControls crushed =
        geometry::PaneLayout(QSizeF(100, 300), QSizeF(1095, 375), 240, pane(true));
    EXPECT_EQ(crushed.list.height(), 0);
    EXPECT_EQ(crushed.firstColumnWidth, 0);
}

TEST(SizeLimits, RoundToEvenAndApplyOnlyLimitsThatAreSet) {
    EXPECT_EQ(platform::roundHalfEven(8422.5 / 15), 562);
    EXPECT_EQ(platform::roundHalfEven(8407.5 / 15), 560);
    EXPECT_EQ(platform::roundHalfEven(8415.0 / 15), 561);
    EXPECT_EQ(platform::roundHalfEven(4950.0 / 15), 330);

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

    window.show();
    window.resize(100, 100);
    // The limits hold for the whole window, frame included.
    EXPECT_EQ(window.frameGeometry().size(), QSize(561, 330));
    EXPECT_LT(window.size().width(), 561 + 1);
    window.resize(1500, 1000); // no maximum
    EXPECT_EQ(window.size(), QSize(1500, 1000));

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

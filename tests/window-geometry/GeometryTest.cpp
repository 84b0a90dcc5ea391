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

const QSizeF Button(1095, 375);

PaneControls pane(bool buttons) {
    PaneControls c;
    c.label = QRectF(0, 0, 1, 255);
    if (buttons) {
        c.leftButton = QRectF(QPointF(), Button);
        c.rightButton = QRectF(QPointF(), Button);
    }
    return c;
}

} // namespace

// At any size the bands stack without overlapping, each across the whole width: the splitter
// from the settings area down, the etched separator, and the status label at the bottom with
// the progress bar centred inside it. Growing moves only the bottom bands and gives the splitter
// every extra twip of height; nothing depends on the layout before, so minimising and restoring
// gives the same layout. (The opening size's exact layout is checked on the real window.)
TEST(FormResize, BandsStackAcrossTheWidthAndOnlyTheSplitterGrows) {
    const FormControls start = geometry::Form_Resize(10110, 5580, controls());
    for (const QSizeF size :
         {QSizeF(10110, 5580), QSizeF(12000, 7000), QSizeF(10410, 5580), QSizeF(10110, 6080)}) {
        SCOPED_TRACE(std::to_string(size.width()) + " x " + std::to_string(size.height()));
        const double W = size.width();
        const double H = size.height();
        const FormControls c = geometry::Form_Resize(float(W), float(H), start);
        EXPECT_EQ(c.lblInformazioni, QRectF(0, H - 390, W, 390));
        EXPECT_TRUE(c.lblInformazioni.contains(c.prgBar));
        EXPECT_EQ(c.prgBar.center().x(), W / 2);
        EXPECT_EQ(c.prgBar.height(), 135);
        EXPECT_EQ(c.splitter.top(), 1200);
        EXPECT_EQ(c.splitter.width(), W);
        EXPECT_LT(c.splitter.bottom(), c.line1.y1);
        EXPECT_LT(c.line1.y1, c.line2.y1);
        EXPECT_LT(c.line2.y1, c.lblInformazioni.top());
        for (const geometry::Line& line : {c.line1, c.line2}) {
            EXPECT_EQ(line, (geometry::Line{0, line.y1, float(W), line.y1}));
        }
        EXPECT_EQ(c.splitter.height() - start.splitter.height(), H - 5580);
        EXPECT_EQ(c.line1.y1 - start.line1.y1, H - 5580);
        EXPECT_EQ(c.prgBar.width() - start.prgBar.width(), W - 10110);
        EXPECT_EQ(geometry::Form_Resize(float(W), float(H), geometry::Form_Resize(0, 0, c)), c);
    }
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
    const PaneControls file = geometry::PaneLayout(QSizeF(2700, 3900), Button, 240, pane(true));
    EXPECT_EQ(file.label, QRectF(0, 0, 2700, 255));
    EXPECT_EQ(file.rightButton->topLeft(), QPointF(1545, 3465));
    EXPECT_EQ(file.leftButton->topLeft(), QPointF(60, 3465));
    EXPECT_EQ(file.list, QRectF(0, 255, 2700, 3150));
    EXPECT_EQ(file.firstColumnWidth, 2460);

    // The printed-files pane has no buttons but keeps their strip.
    const PaneControls printed = geometry::PaneLayout(QSizeF(2700, 3900), Button, 240, pane(false));
    EXPECT_EQ(printed.list, QRectF(0, 255, 2700, 3150));
    EXPECT_EQ(printed.firstColumnWidth, 2460);
    EXPECT_FALSE(printed.rightButton.has_value());

    const PaneControls wider = geometry::PaneLayout(QSizeF(3000, 3900), Button, 240, file);
    EXPECT_EQ(wider.rightButton->left() - file.rightButton->left(), 300);
    EXPECT_EQ(wider.leftButton->left(), 60);
    EXPECT_EQ(wider.firstColumnWidth - file.firstColumnWidth, 300);

    const PaneControls allowance =
        geometry::PaneLayout(QSizeF(2700, 3900), Button, 20.0 * 17, pane(true));
    EXPECT_EQ(allowance.firstColumnWidth, 2700 - 340);
}

TEST(PaneLayout, TooSmallPanesNeitherFailNorClampButtons) {
    const PaneControls narrow = geometry::PaneLayout(QSizeF(1000, 3900), Button, 240, pane(true));
    EXPECT_EQ(narrow.rightButton->left(), -155);
    const PaneControls crushed = geometry::PaneLayout(QSizeF(100, 300), Button, 240, pane(true));
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

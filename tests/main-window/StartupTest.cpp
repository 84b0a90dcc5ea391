// The window as the user drives it: keyboard order, the copies' limits, the close question and a
// layout that follows the window.

#include "LineControl.h"
#include "UpDown.h"
#include "WindowTestSupport.h"
#include "modGenerale.h"
#include "objMinMaxInfo.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace lumetra;
using testsupport::WindowTest;

// Tab moves in the design's order, past the labels, the panes and the progress bar.
TEST_F(WindowTest, FocusMovesInTheDesignsOrder) {
    const QStringList order =
        QStringLiteral("txtIndirizzo cmdIndirizzo txtLayout cmdLayout lvwFile cmdSeleziona "
                       "lvwStampati cmdStampa cmdRimuovi lvwSelezionati updwnCopie txtCopie "
                       "cmdMarca chkAnteprima cmbCodiceArticoloEsterno cmbCodiceArticoloInterno "
                       "txtAltezzaCodiceArticolo cmdFont")
            .split(QLatin1Char(' '));
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->findChild<QWidget*>(order[0])->setFocus();
    for (qsizetype i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), order[i])
            << "after " << order[i - 1].toStdString();
    }
}

TEST_F(WindowTest, CopiesMoveOnlyWithTheArrowsBetweenOneAndTen) {
    auto* copies = control<QLineEdit>("txtCopie");
    auto* updown = control<platform::UpDown>("updwnCopie");
    window->show();
    QTest::mouseClick(updown->downButton(), Qt::LeftButton);
    EXPECT_EQ(copies->text(), QStringLiteral("1"));
    for (int i = 0; i < 9; ++i) {
        QTest::mouseClick(updown->upButton(), Qt::LeftButton);
    }
    EXPECT_EQ(copies->text(), QStringLiteral("10"));
    QTest::mouseClick(updown->upButton(), Qt::LeftButton);
    QTest::mouseClick(updown->upButton(), Qt::LeftButton);
    EXPECT_EQ(copies->text(), QStringLiteral("10"));
    QTest::mouseClick(updown->downButton(), Qt::LeftButton);
    EXPECT_EQ(copies->text(), QStringLiteral("9"));

    // Typing changes none of the read-only fields.
    for (const char* name : {"txtCopie", "txtLayout", "txtIndirizzo"}) {
        auto* field = control<QLineEdit>(name);
        const QString before = field->text();
        QTest::keyClicks(field, QStringLiteral("7x"));
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), before) << name;
    }

    auto* height = control<QLineEdit>("txtAltezzaCodiceArticolo");
    height->selectAll();
    QTest::keyClicks(height, QStringLiteral("1234"));
    EXPECT_EQ(height->text(), QStringLiteral("123"));
}

TEST_F(WindowTest, CloseAsksAndCancelKeepsEverything) {
    window->show();
    const QString folder = folderWith({QStringLiteral("a.jpg"), QStringLiteral("b.jpg")});
    chooseFolder(folder);
    window->lvwFileModel()->SetChecked(0, true);
    window->SelezionaMarcati();

    messages->answer(lumetra::runtime::vbCancel);
    EXPECT_FALSE(window->close());
    // The question and the title are put together from the application's name and version.
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Lumetra - Versione 1.0.4"));
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].prompt, QStringLiteral("Terminare l'applicazione 'Lumetra'?"));
    EXPECT_EQ(messages->shown[0].style,
              lumetra::runtime::vbOKCancel | lumetra::runtime::vbQuestion);
    EXPECT_EQ(messages->shown[0].title, QStringLiteral("Lumetra"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->scaricata());
    EXPECT_EQ(texts(window->lvwSelezionatiModel()), QStringList{QStringLiteral("a.jpg")});
    EXPECT_EQ(control<QLineEdit>("txtIndirizzo")->text(), folder);
    EXPECT_EQ(control<QLabel>("lblInformazioni")->text(), QStringLiteral("Pronto"));
    EXPECT_TRUE(window->objMinMax()->Inizializzato());

    messages->answer(lumetra::runtime::vbOK);
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages->shown.size(), 2u);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->scaricata());
    EXPECT_EQ(window->objMinMax(), nullptr);
    EXPECT_EQ(modGenerale::objFileSystem, nullptr);
}

TEST_F(WindowTest, ClosingForOtherCausesAsksNothingAndAJobHoldsTheClose) {
    int cancel = 0;
    window->Form_QueryUnload(cancel, lumetra::runtime::vbAppWindows);
    window->Form_QueryUnload(cancel, lumetra::runtime::vbFormCode);
    EXPECT_EQ(cancel, 0);
    EXPECT_TRUE(messages->shown.empty());

    window->show();
    window->setLavoroInCorso(true);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(messages->shown.empty()); // asked only once the job is over
    EXPECT_TRUE(window->isVisible());
    messages->answer(lumetra::runtime::vbOK);
    window->setLavoroInCorso(false);
    QTRY_VERIFY(!window->isVisible());
    EXPECT_EQ(messages->shown.size(), 1u);
}

// The window cannot be made smaller than it opened; its layout follows it and the splitter bars.
TEST_F(WindowTest, LayoutFollowsTheWindowAndTheSplitterBarsDownToTheOpeningSize) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QSize opened = window->frameGeometry().size();
    const platform::TwipsScale& scale = window->scala();
    auto* line1 = control<mainwindow::LineControl>("Line1");
    auto* splitter = control<QSplitter>("SSSplitterFile");
    ASSERT_TRUE(line1 && splitter);

    // Growing gives the splitter the extra height; the settings stay where they are.
    const QRect settings = control<QLineEdit>("txtLayout")->geometry();
    const int splitterHeight = splitter->height();
    window->resize(window->width() + 100, window->height() + 60);
    EXPECT_EQ(splitter->height(), splitterHeight + 60);
    EXPECT_EQ(control<QLineEdit>("txtLayout")->geometry(), settings);
    window->resize(200, 100);
    EXPECT_EQ(window->frameGeometry().size(), opened);
    window->resize(1200, 900);
    EXPECT_EQ(window->size(), QSize(1200, 900));
    // At any size the bands stack across the whole width: the splitter, the separators, the
    // status label at the bottom with the progress bar inside it.
    const QRect label = control<QLabel>("lblInformazioni")->geometry();
    EXPECT_EQ(label, QRect(0, 900 - label.height(), 1200, label.height()));
    EXPECT_TRUE(label.contains(control<QProgressBar>("prgBar")->geometry()));
    EXPECT_EQ(splitter->width(), 1200);
    EXPECT_LT(scale.toTwipsY(splitter->geometry().bottom()), line1->Y1());
    EXPECT_LT(line1->Y1(), scale.toTwipsY(label.top()));
    EXPECT_EQ(line1->X2(), scale.toTwipsX(1200));

    // Each pane lays out its list and buttons whenever a bar moves: the buttons in the corners of
    // a strip at the bottom (kept without buttons too), the list above it, its column less the
    // scroll bar.
    splitter->setSizes({300, 200, 200});
    auto* select = control<QPushButton>("cmdSeleziona");
    for (const char* pane : {"picFile", "picSelezionati", "picStampati"}) {
        auto* host = control<QWidget>(pane);
        auto* list = host->findChild<QTreeView*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->width(), host->width()) << pane;
        EXPECT_EQ(list->geometry().bottom() + 1, host->height() - select->height() - 8) << pane;
        const int allowance = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
        EXPECT_EQ(list->columnWidth(0), host->width() - allowance) << pane;
    }
    EXPECT_EQ(select->geometry().bottomRight() + QPoint(1, 1),
              QPoint(control<QWidget>("picFile")->width() - 4,
                     control<QWidget>("picFile")->height() - 4));
    EXPECT_EQ(control<QPushButton>("cmdMarca")->pos(), QPoint(4, select->y()));
}

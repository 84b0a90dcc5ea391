// The window as it opens and closes: controls, start values, keyboard order, size limits and the
// close question.

#include "LineControl.h"
#include "MousePointer.h"
#include "UpDown.h"
#include "WindowTestSupport.h"
#include "modGenerale.h"
#include "objMinMaxInfo.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

using namespace lumetra;
using testsupport::WindowTest;

TEST_F(WindowTest, OpensWithTheStartValuesOfTheDesign) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Lumetra - Versione 1.0.4"));
    EXPECT_EQ(control<QLabel>("lblInformazioni")->text(), QStringLiteral("Pronto"));
    const std::pair<const char*, QStringList> combos[] = {
        {"cmbCodiceArticoloEsterno", {"Nessuno", "Sopra", "Sotto"}},
        {"cmbCodiceArticoloInterno", {"Nessuno", "Sinistra", "Destra"}}};
    for (const auto& [name, items] : combos) {
        auto* combo = control<QComboBox>(name);
        ASSERT_EQ(combo->count(), 3) << name;
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_FALSE(combo->isEditable());
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(combo->itemText(i), items[i]) << name;
            EXPECT_EQ(combo->itemData(i).toInt(), i);
        }
    }
    EXPECT_FALSE(control<QCheckBox>("chkAnteprima")->isChecked());
    EXPECT_EQ(control<QCheckBox>("chkAnteprima")->text(), QStringLiteral("Visualizza pagine"));
    EXPECT_EQ(control<QLineEdit>("txtCopie")->text(), QStringLiteral("1"));
    EXPECT_EQ(control<QLineEdit>("txtAltezzaCodiceArticolo")->text(), QStringLiteral("0,7"));
    EXPECT_TRUE(control<QLineEdit>("txtLayout")->text().isEmpty());
    EXPECT_TRUE(control<QLineEdit>("txtIndirizzo")->text().isEmpty());
    EXPECT_EQ(window->dlgFont()->FontName, QStringLiteral("Times New Roman"));
    EXPECT_EQ(window->dlgFont()->FontSize, 8);
    EXPECT_FALSE(window->dlgFont()->FontBold);
    EXPECT_FALSE(window->dlgFont()->FontItalic);
    EXPECT_NE(modGenerale::objFileSystem, nullptr);

    auto* bar = control<QProgressBar>("prgBar");
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_EQ(control<QLabel>("lblInformazioni")->palette().color(QPalette::Window),
              QColor(Qt::white));

    // Captions of the buttons and labels.
    const std::pair<const char*, const char*> captions[] = {
        {"cmdLayout", "..."},      {"cmdIndirizzo", "..."},          {"cmdFont", "..."},
        {"cmdMarca", "Marca"},     {"cmdSeleziona", "Seleziona >>"}, {"cmdRimuovi", "<< Rimuovi"},
        {"cmdStampa", "Stampa >>"}};
    for (const auto& [name, caption] : captions) {
        EXPECT_EQ(control<QPushButton>(name)->text(), QString::fromUtf8(caption)) << name;
    }
    const std::pair<const char*, const char*> labels[] = {
        {"lblLayout", "Layout"},
        {"lblIndirizzo", "Cartella"},
        {"lblCopie", "Copie di stampa"},
        {"lblCodiceArticoloEsterno", "Codice articolo esterno"},
        {"lblCodiceArticoloInterno", "Codice articolo interno"},
        {"lblAltezzaCodiceArticolo", "Altezza codice articolo cm"},
        {"lblFile", "File nella cartella"},
        {"lblSelezionati", "File da stampare"},
        {"lblStampati", "File stampati"}};
    for (const auto& [name, caption] : labels) {
        EXPECT_EQ(control<QLabel>(name)->text(), QString::fromUtf8(caption)) << name;
    }
    for (const char* name : {"lvwFile", "lvwSelezionati", "lvwStampati"}) {
        auto* list = control<QTreeView>(name);
        EXPECT_EQ(list->model()->columnCount(), 1);
        EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nome"));
    }
    EXPECT_NE(window->findChild<mainwindow::LineControl*>(QStringLiteral("Line2")), nullptr);
    EXPECT_EQ(window->findChild<QMenuBar*>(), nullptr);
    const QList<QSize> iconSizes = window->windowIcon().availableSizes();
    EXPECT_TRUE(iconSizes.contains(QSize(16, 16)));
    EXPECT_TRUE(iconSizes.contains(QSize(32, 32)));
}

// Focus moves in the design's order; labels, panes and the progress bar never take it.
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
    for (const char* name : {"lblInformazioni", "prgBar", "picFile", "SSSplitterFile"}) {
        EXPECT_EQ(control<QWidget>(name)->focusPolicy(), Qt::NoFocus) << name;
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

    // Typing changes none of the read-only fields, yet their text can be selected.
    for (const char* name : {"txtCopie", "txtLayout", "txtIndirizzo"}) {
        auto* field = control<QLineEdit>(name);
        const QString before = field->text();
        QTest::keyClicks(field, QStringLiteral("7x"));
        QTest::keyClick(field, Qt::Key_Backspace);
        EXPECT_EQ(field->text(), before) << name;
        EXPECT_TRUE(field->isReadOnly());
    }
    copies->selectAll();
    EXPECT_EQ(copies->selectedText(), QStringLiteral("9"));

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
    EXPECT_EQ(geometry::objMinMaxInfo::MinWidth(), opened.width());
    EXPECT_EQ(geometry::objMinMaxInfo::MinHeight(), opened.height());
    EXPECT_EQ(geometry::objMinMaxInfo::MaxWidth(), -1);
    const platform::TwipsScale& scale = window->scala();
    // At the design size: status line at the bottom, splitter between the bands.
    EXPECT_EQ(control<QSplitter>("SSSplitterFile")->geometry(),
              scale.toPixels(QRectF(0, 1200, 10110, 3870)));
    EXPECT_EQ(control<QLabel>("lblInformazioni")->geometry(),
              scale.toPixels(QRectF(0, 5190, 10110, 390)));
    EXPECT_EQ(control<QProgressBar>("prgBar")->geometry(),
              scale.toPixels(QRectF(60, 5385, 9990, 135)));
    auto* line1 = control<mainwindow::LineControl>("Line1");
    ASSERT_NE(line1, nullptr);
    EXPECT_EQ(line1->Y1(), 5115);
    EXPECT_EQ(line1->X2(), 10110);

    // Growing gives the splitter the extra height; the settings stay where they are.
    const QRect settings = control<QLineEdit>("txtLayout")->geometry();
    window->resize(window->width() + 100, window->height() + 60);
    EXPECT_EQ(control<QSplitter>("SSSplitterFile")->height(),
              scale.toPixels(QRectF(0, 1200, 10110, 3870)).height() + 60);
    EXPECT_EQ(control<QLineEdit>("txtLayout")->geometry(), settings);
    window->resize(200, 100);
    EXPECT_EQ(window->frameGeometry().size(), opened);
    window->resize(1200, 900);
    EXPECT_EQ(window->size(), QSize(1200, 900));

    // Each pane lays out its list and buttons whenever a bar moves.
    auto* splitter = control<QSplitter>("SSSplitterFile");
    splitter->setSizes({300, 200, 200});
    for (const char* pane : {"picFile", "picSelezionati", "picStampati"}) {
        auto* host = control<QWidget>(pane);
        auto* list = host->findChild<QTreeView*>();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->width(), host->width()) << pane;
        const int allowance = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
        EXPECT_EQ(list->columnWidth(0), host->width() - allowance) << pane;
    }
    auto* select = control<QPushButton>("cmdSeleziona");
    EXPECT_EQ(select->x() + select->width(), control<QWidget>("picFile")->width() - 4);
    EXPECT_EQ(control<QPushButton>("cmdMarca")->x(), 4);
}

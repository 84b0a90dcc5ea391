// The window of lumetra-nuovo-layout driven offscreen through its controls: a grid with room for
// the article code saved through the real save dialog and read back; then a label sheet with
// that room saved onto the same name, refused once and accepted once at the question about the
// existing file.

#include "FinestraNuovoLayout.h"
#include "AnteprimaLayout.h"
#include "LayoutTestSupport.h"
#include "ModalDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

using lumetra::layoutwriter::LabelCatalogue;
using lumetra::nuovolayout::AnteprimaLayout;
using lumetra::nuovolayout::FinestraNuovoLayout;

using lumetra::testsupport::answerWhenShown;

void saveAs(FinestraNuovoLayout& window, const QString& path) {
    answerWhenShown<QFileDialog>(QStringLiteral("dlgSalva"), [path](QFileDialog* dialog) {
        // As a user does: the name typed, then the dialog's Save button.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(path);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        buttons->button(QDialogButtonBox::Save)->click();
    });
    window.findChild<QPushButton*>(QStringLiteral("cmdSalva"))->click();
}

void answerReplace(QMessageBox::StandardButton button) {
    answerWhenShown<QMessageBox>(QStringLiteral("msgSostituisci"),
                                 [button](QMessageBox* box) { box->button(button)->click(); });
}

TEST(FinestraNuovoLayout, SavesAGridThenALabelSheetAskingBeforeReplacing) {
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("modelli"));
    lumetra::layouttest::writeTemplateFixture(database);
    FinestraNuovoLayout window(LabelCatalogue::loadFolder(database));
    window.show();
    auto* preview = window.findChild<AnteprimaLayout*>(QStringLiteral("picAnteprima"));
    ASSERT_NE(preview, nullptr);

    // A grid of 2 x 3 with a title and 7 mm for the code above each rectangle: the drawing
    // follows every choice.
    auto* gridPanel = window.findChild<QWidget*>(QStringLiteral("fraGriglia"));
    window.findChild<QSpinBox*>(QStringLiteral("txtRighe"))->setValue(2);
    window.findChild<QSpinBox*>(QStringLiteral("txtColonne"))->setValue(3);
    window.findChild<QLineEdit*>(QStringLiteral("txtTitolo"))->setText(QStringLiteral("Vetrina"));
    gridPanel->findChild<QDoubleSpinBox*>(QStringLiteral("txtSpazioCodice"))->setValue(0.7);
    gridPanel->findChild<QComboBox*>(QStringLiteral("cboPosizioneCodice"))->setCurrentIndex(1);
    ASSERT_TRUE(preview->Piano());
    EXPECT_EQ(preview->Piano()->rectangles.size(), 6u);
    EXPECT_EQ(preview->Piano()->captionBands.size(), 6u);
    lumetra::layouttest::expectSameRect(preview->Piano()->rectangles.front(),
                                        lumetra::layouttest::mm(10, 34, 60, 120.5), "first", 0.01);
    EXPECT_EQ(preview->Piano()->title, QStringLiteral("Vetrina"));
    const lumetra::layoutwriter::LayoutPlan grid = *preview->Piano();

    const QString path = dir.filePath(QStringLiteral("vetrina.pub"));
    saveAs(window, path);
    EXPECT_EQ(window.UltimoFile(), path);
    EXPECT_TRUE(window.findChild<QLabel*>(QStringLiteral("lblStato"))
                    ->text()
                    .contains(QStringLiteral("Layout salvato")));
    lumetra::layouttest::expectLayoutIsPlan(lumetra::layouttest::readLayout(path), grid);

    // A label sheet onto the same name: "No" keeps the grid, "Yes" replaces it.
    window.findChild<QTabWidget*>(QStringLiteral("tabTipo"))->setCurrentIndex(1);
    window.findChild<QLineEdit*>(QStringLiteral("txtCerca"))->setText(QStringLiteral("tonde"));
    EXPECT_EQ(window.findChild<QListWidget*>(QStringLiteral("lstFogli"))->count(), 1);
    // The code's room inside each round label, below the picture.
    window.findChild<QWidget*>(QStringLiteral("fraEtichette"))
        ->findChild<QDoubleSpinBox*>(QStringLiteral("txtSpazioCodice"))
        ->setValue(0.7);
    ASSERT_TRUE(preview->Piano());
    lumetra::layouttest::expectSameRect(preview->Piano()->rectangles.front(),
                                        QRectF(61.340, 97.340, 93.319, 73.477), "label", 0.01);
    const lumetra::layoutwriter::LayoutPlan labels = *preview->Piano();
    EXPECT_EQ(labels.rectangles.size(), 6u);
    EXPECT_DOUBLE_EQ(labels.pageWidth, 612);

    answerReplace(QMessageBox::No);
    saveAs(window, path);
    lumetra::layouttest::expectLayoutIsPlan(lumetra::layouttest::readLayout(path), grid);

    answerReplace(QMessageBox::Yes);
    saveAs(window, path);
    lumetra::layouttest::expectLayoutIsPlan(lumetra::layouttest::readLayout(path), labels);
    // Nothing but the layout is left in its folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("vetrina.pub")});
}

} // namespace

// The window of lumetra-nuovo-layout driven offscreen through its controls: a grid saved through
// the real save dialog and read back; then a label sheet saved onto the same name, refused once
// and accepted once at the question about the existing file.

#include "FinestraNuovoLayout.h"
#include "AnteprimaLayout.h"
#include "LayoutTestSupport.h"
#include "ModalDialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
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

    // A grid of 2 x 3 with a title: the drawing follows every choice.
    window.findChild<QSpinBox*>(QStringLiteral("txtRighe"))->setValue(2);
    window.findChild<QSpinBox*>(QStringLiteral("txtColonne"))->setValue(3);
    window.findChild<QLineEdit*>(QStringLiteral("txtTitolo"))->setText(QStringLiteral("Vetrina"));
    ASSERT_TRUE(preview->Piano());
    EXPECT_EQ(preview->Piano()->rectangles.size(), 6u);
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
    ASSERT_TRUE(preview->Piano());
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

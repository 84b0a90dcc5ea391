// The caption font through the real font dialog: it opens on the family the captions are really
// drawn with (the installed stand-in for "Times New Roman", by its own name, in its plain style),
// and keeps "Times New Roman" as the font's name while that family stays chosen; cancelled, it
// changes nothing. Its sample stays readable, and it offers no effects.

#include "PlatformDoubles.h"
#include "TestProcess.h"
#include "frmLumetra.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTimer>

#include <gtest/gtest.h>

using namespace lumetra;

TEST(FontDialog, OpensOnTheDrawnFamilyAndKeepsTheRequestedName) {
    const QString fcMatch = QStandardPaths::findExecutable(QStringLiteral("fc-match"));
    if (fcMatch.isEmpty()) {
        GTEST_SKIP() << "fc-match non è installato (fontconfig)";
    }
    const QString drawn =
        testsupport::runProgram(fcMatch, {"-f", "%{family[0]}", "Times New Roman"});
    const struct {
        const char* choose; // family picked in the dialog; "" keeps the one it opens on
        bool styled;        // the dialog's bold italic style picked too
        bool cancel;        // the dialog cancelled instead
        const char* result; // FontName afterwards
    } rows[] = {{"", false, false, "Times New Roman"},
                {"", true, false, "Times New Roman"},
                {"DejaVu Sans", false, false, "DejaVu Sans"},
                {"DejaVu Sans", true, true, "Times New Roman"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.choose) + (row.styled ? " bold italic" : "") +
                     (row.cancel ? " cancelled" : ""));
        mainwindow::Servizi servizi;
        servizi.messageBox = std::make_shared<doubles::ScriptedMessageBox>();
        mainwindow::frmLumetra window(servizi); // the real dialogs
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->adjustSize();
            EXPECT_EQ(dialog->currentFont().family(), drawn);
            const QList<QLineEdit*> edits = dialog->findChildren<QLineEdit*>();
            ASSERT_EQ(edits.size(), 4);
            const QString style = edits[1]->text(); // family, style, size, sample
            EXPECT_FALSE(QFontDatabase::bold(drawn, style)) << style.toStdString();
            EXPECT_FALSE(QFontDatabase::italic(drawn, style)) << style.toStdString();
            EXPECT_GE(edits[3]->height(), 40) << "the sample must stay readable";
            for (QCheckBox* effect : dialog->findChildren<QCheckBox*>())
                EXPECT_FALSE(effect->isVisibleTo(dialog)) << "captions have no strike-out";
            if (*row.choose != '\0' || row.styled) {
                QFont font(*row.choose != '\0' ? QString::fromLatin1(row.choose)
                                               : dialog->currentFont().family());
                font.setBold(row.styled);
                font.setItalic(row.styled);
                font.setPointSizeF(dialog->currentFont().pointSizeF());
                dialog->setCurrentFont(font);
            }
            // After the dialog has settled on the choice.
            QTimer::singleShot(0, dialog, row.cancel ? &QDialog::reject : &QDialog::accept);
        });
        window.cmdFont_Click();

        EXPECT_EQ(window.dlgFont()->FontName, QString::fromLatin1(row.result));
        EXPECT_EQ(window.dlgFont()->FontBold, row.styled && !row.cancel);
        EXPECT_EQ(window.dlgFont()->FontItalic, row.styled && !row.cancel);
        EXPECT_EQ(window.dlgFont()->FontSize, 8.0) << "the design's size stays";
    }
}

// The real message box, open, folder and font dialogs, and the busy mouse pointer. What the file
// system object lists is checked through the window (ListsTest).

#include "CommonDialog.h"
#include "MessageBox.h"
#include "MousePointer.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace lumetra;

TEST(MousePointer, BusyGuardPutsTheDefaultBackOnEveryPath) {
    EXPECT_EQ(platform::Screen::MousePointer(), lumetra::runtime::vbDefault);
    try {
        platform::BusyPointer busy;
        EXPECT_EQ(platform::Screen::MousePointer(), lumetra::runtime::vbArrowHourglass);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
        throw std::runtime_error("interrotto");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(platform::Screen::MousePointer(), lumetra::runtime::vbDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtMessageBox, StylesGiveTheirIconButtonsAndAnswers) {
    struct Case {
        int style;
        QMessageBox::Icon icon;
        int buttons;
        int key;
        int answer;
    };
    const Case cases[] = {
        {49, QMessageBox::Warning, 2, Qt::Key_Escape, lumetra::runtime::vbCancel},
        {49, QMessageBox::Warning, 2, Qt::Key_Return, lumetra::runtime::vbOK},
        {33, QMessageBox::Question, 2, Qt::Key_Escape, lumetra::runtime::vbCancel},
        {16, QMessageBox::Critical, 1, Qt::Key_Escape, lumetra::runtime::vbOK},
        {64, QMessageBox::Information, 1, Qt::Key_Return, lumetra::runtime::vbOK},
        {0, QMessageBox::NoIcon, 1, Qt::Key_Escape, lumetra::runtime::vbOK},
    };
    platform::QtMessageBox box;
    for (const Case& c : cases) {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        qsizetype buttons = 0;
        QString defaultButton;
        // The real modal box: looked at, then closed with a key, while MsgBox waits.
        QTimer::singleShot(0, [&] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            title = shown->windowTitle();
            text = shown->text();
            icon = shown->icon();
            buttons = shown->buttons().size();
            defaultButton = shown->defaultButton() ? shown->defaultButton()->text() : QString();
            QTest::keyClick(shown, static_cast<Qt::Key>(c.key));
        });
        const int answer =
            box.MsgBox(QStringLiteral("Domanda?"), c.style, QStringLiteral("Lumetra"));
        EXPECT_EQ(answer, c.answer) << c.style;
        EXPECT_EQ(title, QStringLiteral("Lumetra"));
        EXPECT_EQ(text, QStringLiteral("Domanda?"));
        EXPECT_EQ(icon, c.icon) << c.style;
        EXPECT_EQ(buttons, c.buttons) << c.style;
        EXPECT_EQ(defaultButton, QStringLiteral("OK"));
    }
}

TEST(QtDialogHost, OpenAndFolderDialogsShowWhatWasAskedAndGiveTheChoice) {
    QTemporaryDir dir;
    QFile layout(dir.filePath(QStringLiteral("catalogo.pub")));
    ASSERT_TRUE(layout.open(QIODevice::WriteOnly));
    const auto canonical = [](const QString& path) { return QFileInfo(path).canonicalFilePath(); };
    platform::QtDialogHost host;

    platform::DialogHost::OpenRequest request;
    request.title = QStringLiteral("Apri layout");
    request.filter = platform::CommonDialog::qtFilter(QStringLiteral("Publisher|*.pub"));
    request.defaultSuffix = QStringLiteral("pub");
    request.mustExist = true;
    // Looked at while open; the choice comes back only if the dialog showed and was accepted.
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->nameFilters(), QStringList{QStringLiteral("Publisher (*.pub)")});
        EXPECT_EQ(shown->defaultSuffix(), QStringLiteral("pub"));
        EXPECT_EQ(shown->windowTitle(), QStringLiteral("Apri layout"));
        EXPECT_EQ(shown->fileMode(), QFileDialog::ExistingFile);
        shown->setDirectory(dir.path());
        shown->selectFile(layout.fileName());
        QMetaObject::invokeMethod(shown, "accept");
    });
    const std::optional<QString> chosen = host.showOpen(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(canonical(*chosen), canonical(layout.fileName()));

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(host.showOpen(request).has_value());

    // A name typed without extension gets the default one, through the common dialog.
    platform::CommonDialog dialog(std::make_shared<platform::QtDialogHost>());
    dialog.DefaultExt = QStringLiteral("pub");
    dialog.Filter = QStringLiteral("Publisher|*.pub");
    dialog.Flags = platform::cdlOFNFileMustExist;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        shown->setDirectory(dir.path());
        shown->selectFile(QStringLiteral("catalogo"));
        QMetaObject::invokeMethod(shown, "accept");
    });
    dialog.ShowOpen();
    EXPECT_EQ(canonical(dialog.FileName), canonical(layout.fileName()));
    EXPECT_EQ(dialog.Flags & platform::cdlOFNExtensionDifferent, 0);

    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(canonical(shown->directory().absolutePath()), canonical(dir.path()));
        EXPECT_EQ(shown->windowTitle(), QStringLiteral("Scegli"));
        QMetaObject::invokeMethod(shown, "accept");
    });
    const QString folder = host.browseForFolder(dir.path(), QStringLiteral("Scegli"));
    EXPECT_EQ(canonical(folder), canonical(dir.path()));
}

// What the dialog offers and gives back is checked through the window (FontDialogTest), where
// the current font is never italic.
TEST(QtDialogHost, FontDialogOpensOnTheCurrentFont) {
    platform::QtDialogHost host;
    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->currentFont().family(), QStringLiteral("Liberation Serif"));
        EXPECT_TRUE(shown->currentFont().italic());
        shown->close();
    });
    EXPECT_FALSE(
        host.showFont({QStringLiteral("Liberation Serif"), 8, false, true}, 0).has_value());
}

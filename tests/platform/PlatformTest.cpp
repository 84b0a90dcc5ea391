// The real message box, open, folder and font dialogs, and the busy mouse pointer. What the file
// system object lists is checked through the window (ListsTest).

#include "CommonDialog.h"
#include "MessageBox.h"
#include "MousePointer.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGuiApplication>
#include <QLineEdit>
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
    platform::QtDialogHost host;

    platform::DialogHost::OpenRequest request;
    request.title = QStringLiteral("Apri layout");
    request.filter = platform::CommonDialog::qtFilter(QStringLiteral("Publisher|*.pub"));
    request.defaultSuffix = QStringLiteral("pub");
    request.mustExist = true;
    QStringList filters;
    QString suffix;
    QString title;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        filters = shown->nameFilters();
        suffix = shown->defaultSuffix();
        title = shown->windowTitle();
        mode = shown->fileMode();
        shown->setDirectory(dir.path());
        shown->selectFile(dir.filePath(QStringLiteral("catalogo.pub")));
        QMetaObject::invokeMethod(shown, "accept");
    });
    const std::optional<QString> chosen = host.showOpen(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(QFileInfo(*chosen).canonicalFilePath(),
              QFileInfo(dir.filePath(QStringLiteral("catalogo.pub"))).canonicalFilePath());
    EXPECT_EQ(filters, QStringList{QStringLiteral("Publisher (*.pub)")});
    EXPECT_EQ(suffix, QStringLiteral("pub"));
    EXPECT_EQ(title, QStringLiteral("Apri layout"));
    EXPECT_EQ(mode, QFileDialog::ExistingFile);

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
    EXPECT_EQ(QFileInfo(dialog.FileName).canonicalFilePath(),
              QFileInfo(dir.filePath(QStringLiteral("catalogo.pub"))).canonicalFilePath());
    EXPECT_EQ(dialog.Flags & platform::cdlOFNExtensionDifferent, 0);

    QString start;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        start = shown->directory().absolutePath();
        title = shown->windowTitle();
        QMetaObject::invokeMethod(shown, "accept");
    });
    const QString folder = host.browseForFolder(dir.path(), QStringLiteral("Scegli"));
    EXPECT_EQ(QFileInfo(start).canonicalFilePath(), QFileInfo(dir.path()).canonicalFilePath());
    EXPECT_EQ(QFileInfo(folder).canonicalFilePath(), QFileInfo(dir.path()).canonicalFilePath());
    EXPECT_EQ(title, QStringLiteral("Scegli"));
}

TEST(QtDialogHost, FontDialogShowsTheCurrentFontAndItsSampleWithoutEffects) {
    platform::QtDialogHost host;
    const platform::DialogHost::FontChoice current{QStringLiteral("Liberation Serif"), 8, false,
                                                   true};
    QFont shownFont;
    bool effectsShown = true;
    int sampleHeight = 0;
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        shown->adjustSize();
        shownFont = shown->currentFont();
        effectsShown = false;
        for (QCheckBox* effect : shown->findChildren<QCheckBox*>()) {
            effectsShown = effectsShown || effect->isVisibleTo(shown);
        }
        for (QLineEdit* edit : shown->findChildren<QLineEdit*>()) {
            if (edit->text().startsWith(QStringLiteral("Aa"))) {
                sampleHeight = edit->height();
            }
        }
        QFont boldItalic(shownFont.family(), 8);
        boldItalic.setBold(true);
        boldItalic.setItalic(true);
        shown->setCurrentFont(boldItalic);
        QMetaObject::invokeMethod(shown, "accept");
    });
    const auto chosen = host.showFont(current, 0);
    EXPECT_EQ(shownFont.family(), QStringLiteral("Liberation Serif"));
    EXPECT_TRUE(shownFont.italic());
    EXPECT_FALSE(effectsShown) << "the caption font has no strike-out or underline";
    EXPECT_GE(sampleHeight, 40) << "the sample must stay readable";
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->name, QStringLiteral("Liberation Serif"));
    EXPECT_TRUE(chosen->bold);
    EXPECT_TRUE(chosen->italic);

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(host.showFont(current, 0).has_value());
}

#pragma once
// A real frmLumetra, offscreen, with scripted dialogs and message boxes and a hook on the local
// file system (to change a folder just before it is read); helpers reach its controls by name.

#include "FileListModel.h"
#include "PlatformDoubles.h"
#include "frmLumetra.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace lumetra::testsupport {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        messages = std::make_shared<doubles::ScriptedMessageBox>();
        dialogs = std::make_shared<doubles::ScriptedDialogHost>();
        mainwindow::Servizi servizi;
        servizi.messageBox = messages;
        servizi.dialogHost = dialogs;
        servizi.creaFileSystem = [fs = hooked] { return fs; };
        servizi.creaPublisher = creaPublisher;
        window = std::make_unique<mainwindow::frmLumetra>(servizi);
    }

    template <typename T> T* control(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << "control " << name;
        return found;
    }

    // Creates the named files (and folders, for names ending in "/") in a fresh folder.
    QString folderWith(const QStringList& names) {
        dirs.push_back(std::make_unique<QTemporaryDir>());
        const QString path = dirs.back()->path();
        for (const QString& name : names) {
            if (name.endsWith(QLatin1Char('/'))) {
                QDir(path).mkdir(name.chopped(1));
            } else {
                QFile file(path + QLatin1Char('/') + name);
                EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            }
        }
        return path;
    }

    // Chooses a folder through the folder button, as the user does.
    void chooseFolder(const QString& path) {
        dialogs->folderAnswers.push_back(path);
        window->cmdIndirizzo_Click();
    }

    static QStringList texts(const mainwindow::FileListModel* model) { return model->Texts(); }
    static QList<bool> marks(const mainwindow::FileListModel* model) {
        QList<bool> result;
        for (int i = 0; i < model->Count(); ++i) {
            result.append(model->Checked(i));
        }
        return result;
    }

    std::shared_ptr<doubles::ScriptedMessageBox> messages;
    std::shared_ptr<doubles::ScriptedDialogHost> dialogs;
    std::shared_ptr<doubles::HookedFileSystem> hooked =
        std::make_shared<doubles::HookedFileSystem>();
    Publisher::ApplicationFactory creaPublisher; // set before SetUp to replace
    std::unique_ptr<mainwindow::frmLumetra> window;
    std::vector<std::unique_ptr<QTemporaryDir>> dirs;
};

} // namespace lumetra::testsupport

#pragma once
// Doubles of the platform services: they answer from a script and record what was asked.

#include "DialogHost.h"
#include "FileSystemObject.h"
#include "MessageBox.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace lumetra::doubles {

class ScriptedMessageBox : public platform::MessageBox {
public:
    struct Shown {
        QString prompt;
        int style;
        QString title;
    };

    // Answers are used in order; with none left the box answers OK.
    void answer(int button) { answers_.push_back(button); }
    int MsgBox(const QString& prompt, int style, const QString& title) override;

    std::vector<Shown> shown;
    // Runs while a box is "open", before it answers (to look at the window at that moment).
    std::function<void(const Shown&)> onShow;

private:
    std::deque<int> answers_;
};

class ScriptedDialogHost : public platform::DialogHost {
public:
    std::deque<std::optional<QString>> openAnswers;
    std::deque<QString> folderAnswers;

    std::vector<OpenRequest> openRequests;
    std::vector<std::pair<QString, QString>> folderRequests; // start, title

    std::optional<QString> showOpen(const OpenRequest& request) override;
    // The font is chosen through the real dialog (FontDialogTest): cancelled here.
    std::optional<FontChoice> showFont(const FontChoice&, int) override { return std::nullopt; }
    QString browseForFolder(const QString& start, const QString& title) override;
};

// The real file system, with a hook that runs just before a folder is listed (to make it vanish
// or change under the scan).
class HookedFileSystem : public platform::LocalFileSystem {
public:
    std::function<void(const QString&)> beforeListing;
    platform::Folder GetFolder(const QString& path) const override {
        if (beforeListing) {
            beforeListing(path);
        }
        return LocalFileSystem::GetFolder(path);
    }
};

} // namespace lumetra::doubles

#include "PlatformDoubles.h"

namespace lumetra::doubles {

int ScriptedMessageBox::MsgBox(const QString& prompt, int style, const QString& title) {
    shown.push_back(Shown{prompt, style, title});
    if (onShow) {
        onShow(shown.back());
    }
    if (answers_.empty()) {
        return lumetra::runtime::vbOK;
    }
    const int button = answers_.front();
    answers_.pop_front();
    return button;
}

std::optional<QString> ScriptedDialogHost::showOpen(const OpenRequest& request) {
    openRequests.push_back(request);
    if (openAnswers.empty() || !openAnswers.front().has_value()) {
        if (!openAnswers.empty()) {
            openAnswers.pop_front();
        }
        return std::nullopt;
    }
    const QString answer = *openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<platform::DialogHost::FontChoice>
ScriptedDialogHost::showFont(const FontChoice& current, int flags) {
    fontRequests.emplace_back(current, flags);
    if (fontAnswers.empty() || !fontAnswers.front().has_value()) {
        if (!fontAnswers.empty()) {
            fontAnswers.pop_front();
        }
        return std::nullopt;
    }
    const FontChoice answer = *fontAnswers.front();
    fontAnswers.pop_front();
    return answer;
}

QString ScriptedDialogHost::browseForFolder(const QString& start, const QString& title) {
    folderRequests.emplace_back(start, title);
    if (folderAnswers.empty()) {
        return QString();
    }
    QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
}

} // namespace lumetra::doubles

#include "PlatformDoubles.h"

namespace lumetra::doubles {
namespace {

// The next scripted answer, taken from the front; `none` when the script has run out.
template <typename T> T next(std::deque<T>& answers, T answer = T()) {
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    return answer;
}

} // namespace

int ScriptedMessageBox::MsgBox(const QString& prompt, int style, const QString& title) {
    shown.push_back(Shown{prompt, style, title});
    if (onShow) {
        onShow(shown.back());
    }
    return next(answers_, int(lumetra::runtime::vbOK));
}

std::optional<QString> ScriptedDialogHost::showOpen(const OpenRequest& request) {
    openRequests.push_back(request);
    return next(openAnswers);
}

QString ScriptedDialogHost::browseForFolder(const QString& start, const QString& title) {
    folderRequests.emplace_back(start, title);
    return next(folderAnswers);
}

} // namespace lumetra::doubles

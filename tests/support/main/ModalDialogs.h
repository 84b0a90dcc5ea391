#pragma once
// Answers the modal dialog named `name` as soon as it shows. One that never shows is a failure,
// and whatever modal dialog is up by then is closed, so the test never hangs.

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace lumetra::testsupport {

template <class Dialog>
void answerWhenShown(const QString& name, std::function<void(Dialog*)> answer) {
    auto* timer = new QTimer;
    auto attempts = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == name) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        } else if (++*attempts > 1500) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the dialog " << name.toStdString() << " did not show";
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                other->reject();
        }
    });
    timer->start(20);
}

} // namespace lumetra::testsupport

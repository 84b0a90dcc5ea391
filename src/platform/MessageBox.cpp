#include "MessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace lumetra::platform {

int QtMessageBox::MsgBox(const QString& prompt, int style, const QString& title) {
    QMessageBox box(owner_);
    box.setWindowTitle(title);
    box.setText(prompt);
    switch (style & 0x70) {
    case runtime::vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case runtime::vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case runtime::vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case runtime::vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton* cancel = nullptr;
    if ((style & 0x0F) == runtime::vbOKCancel) {
        cancel = box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    box.setDefaultButton(ok);
    box.exec();
    if (cancel != nullptr && box.clickedButton() != ok) {
        return runtime::vbCancel;
    }
    return runtime::vbOK;
}

} // namespace lumetra::platform

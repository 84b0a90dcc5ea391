#pragma once
// The modal message box with the numeric styles and answers of the original runtime.

#include "Application.h"
#include "VbConstants.h"

#include <QString>

class QWidget;

namespace lumetra::platform {

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows a modal box and returns the button that closed it (vbOK or vbCancel). With OK and
    // Cancel,
    // OK is the default button; Escape and the close button answer Cancel.
    virtual int MsgBox(const QString& prompt, int style, const QString& title) = 0;
};

// The real box, a QMessageBox owned by the given window.
class QtMessageBox : public MessageBox {
public:
    explicit QtMessageBox(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    int MsgBox(const QString& prompt, int style, const QString& title) override;

private:
    QWidget* owner_;
};

} // namespace lumetra::platform

#pragma once
// The modal message box with the numeric styles and answers of the original runtime.

#include <QString>

class QWidget;

namespace lumetra::platform {

// Styles: buttons in the low bits, icon in the next ones.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
// Answers.
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;

inline const QString ApplicationTitle = QStringLiteral("Lumetra");

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows a modal box and returns the button that closed it (vbOK or vbCancel). With OK and
    // Cancel, OK is the default button; Escape and the close button answer Cancel.
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

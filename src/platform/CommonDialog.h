#pragma once
// The common dialog component (open dialog and font dialog) with the properties the window sets
// before showing it and reads afterwards. The dialog itself is shown by a DialogHost: the real
// Qt dialogs in the program, a scripted double in tests.

#include "DialogHost.h"

#include <QObject>
#include <QString>

#include <memory>
#include <stdexcept>

namespace lumetra::platform {

// Flags of the open dialog.
inline constexpr int cdlOFNExtensionDifferent = 0x400;
inline constexpr int cdlOFNFileMustExist = 0x1000;
// Flags of the font dialog.
inline constexpr int cdlCFScreenFonts = 0x1;
// Error number raised by a cancelled dialog whose CancelError is true.
inline constexpr int cdlCancel = 32755;

class DialogCancelled : public std::runtime_error {
public:
    DialogCancelled() : std::runtime_error("dialog cancelled") {}
    int number() const { return cdlCancel; }
};

class CommonDialog : public QObject {
    Q_OBJECT
public:
    explicit CommonDialog(std::shared_ptr<DialogHost> host, QObject* parent = nullptr);

    void setHost(std::shared_ptr<DialogHost> host) { host_ = std::move(host); }

    QString DefaultExt;
    QString Filter; // "Description|*.ext|Description|*.ext2"
    QString DialogTitle;
    QString FileName;
    bool CancelError = false;
    int Flags = 0;
    QString FontName;
    double FontSize = 8.0;
    bool FontBold = false;
    bool FontItalic = false;

    // Shows the open dialog. On a choice, FileName holds the full path (with DefaultExt added to a
    // name typed without extension) and Flags gains cdlOFNExtensionDifferent when the name's
    // extension is not DefaultExt. Cancel throws DialogCancelled when CancelError is true,
    // otherwise returns with the properties unchanged.
    void ShowOpen();
    // Shows the font dialog; on OK the font properties take the choice, on Cancel they stay
    // (DialogCancelled is thrown when CancelError is true).
    void ShowFont();

    // "Publisher|*.pub" in the form a Qt file dialog takes: "Publisher (*.pub)".
    static QString qtFilter(const QString& filter);

private:
    std::shared_ptr<DialogHost> host_;
};

} // namespace lumetra::platform

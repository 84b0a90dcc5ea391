#pragma once
// Shows the platform's modal dialogs: open file, font, folder. The program uses QtDialogHost;
// tests use a double that scripts the answers and records what was asked.

#include <QString>

#include <optional>

class QWidget;

namespace lumetra::platform {

class DialogHost {
public:
    struct OpenRequest {
        QString title;
        QString filter;        // Qt form: "Publisher (*.pub)"
        QString defaultSuffix; // added to a name typed without extension
        QString fileName;      // proposed name, empty for none
        bool mustExist = false;
        // A save dialog: any name is taken, and the caller asks about a file that exists.
        bool save = false;
    };
    struct FontChoice {
        QString name;
        double size = 8.0;
        bool bold = false;
        bool italic = false;
    };

    virtual ~DialogHost() = default;
    // The chosen file's full path, or nothing when the user cancels. Also the save dialog.
    virtual std::optional<QString> showOpen(const OpenRequest& request) = 0;
    // The chosen font, or nothing when the user cancels.
    virtual std::optional<FontChoice> showFont(const FontChoice& current, int flags) = 0;
    // The chosen folder's path as the platform writes it, or the empty text on cancel.
    virtual QString browseForFolder(const QString& start, const QString& title) = 0;
};

class QtDialogHost : public DialogHost {
public:
    explicit QtDialogHost(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    std::optional<QString> showOpen(const OpenRequest& request) override;
    std::optional<FontChoice> showFont(const FontChoice& current, int flags) override;
    QString browseForFolder(const QString& start, const QString& title) override;

private:
    QWidget* owner_;
};

} // namespace lumetra::platform

#include "DialogHost.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLineEdit>

namespace lumetra::platform {

std::optional<QString> QtDialogHost::showOpen(const OpenRequest& request) {
    QFileDialog dialog(owner_, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<DialogHost::FontChoice> QtDialogHost::showFont(const FontChoice& current,
                                                             int /*flags*/) {
    QFont font(current.name);
    font.setPointSizeF(current.size > 0 ? current.size : 8.0);
    font.setBold(current.bold);
    font.setItalic(current.italic);
    QFontDialog dialog(font, owner_);
    dialog.setWindowTitle(QStringLiteral("Carattere"));
    // Screen fonts only, no effects: the caption font is a name with bold and italic.
    for (QGroupBox* box : dialog.findChildren<QGroupBox*>()) {
        if (!box->findChildren<QCheckBox*>().isEmpty()) {
            box->hide();
        } else {
            // The sample shared its rows with the effects: without them it would shrink to
            // nothing.
            for (QLineEdit* sample : box->findChildren<QLineEdit*>()) {
                sample->setMinimumHeight(3 * sample->sizeHint().height());
            }
        }
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QFont chosen = dialog.selectedFont();
    return FontChoice{chosen.family(), chosen.pointSizeF(), chosen.bold(), chosen.italic()};
}

QString QtDialogHost::browseForFolder(const QString& start, const QString& title) {
    QFileDialog dialog(owner_, title, start);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace lumetra::platform

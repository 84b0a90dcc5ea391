#include "DialogHost.h"

#include "LocalisedFileModel.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QTimer>

namespace lumetra::platform {

namespace {

// The installed family that text in `font` is really drawn with ("Liberation Serif" for a
// "Times New Roman" that is not installed).
QString drawnFamily(QFont font) {
    font.setStyleStrategy(QFont::PreferOutline);
    return QFontInfo(font).family();
}

// The family's own name of its style with the weight and slant asked for ("Regular", "Bold
// Italic"): the dialog picks its style by name, and the name of the plain style differs
// between fonts and languages ("Normale", "Regular", "Book").
QString styleName(const QString& family, bool bold, bool italic) {
    const QStringList styles = QFontDatabase::styles(family);
    const int weight = bold ? QFont::Bold : QFont::Normal;
    // Oblique counts as italic, as it does for QFont::italic(); first choice are the styles of
    // the exact weight and of normal width.
    const auto matches = [&](const QString& style, bool exact) {
        const QFont font = QFontDatabase::font(family, style, 10);
        const bool normalWidth =
            font.stretch() == QFont::AnyStretch || font.stretch() == QFont::Unstretched;
        return font.italic() == italic &&
               (exact ? font.weight() == weight && normalWidth : font.bold() == bold);
    };
    for (bool exact : {true, false}) {
        for (const QString& style : styles) {
            if (matches(style, exact)) {
                return style;
            }
        }
    }
    return QString();
}

} // namespace

std::optional<QString> QtDialogHost::showOpen(const OpenRequest& request) {
    QFileDialog dialog(owner_, request.title);
    localiseFileDialog(dialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, request.save);
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
    QFont requested(current.name);
    requested.setBold(current.bold);
    requested.setItalic(current.italic);
    // The dialog opens on the family the captions are really drawn with; the name asked for
    // stays the choice as long as the user keeps that family.
    const QString drawn = drawnFamily(requested);
    QFont font(drawn);
    font.setPointSizeF(current.size > 0 ? current.size : 8.0);
    font.setBold(current.bold);
    font.setItalic(current.italic);
    font.setStyleName(styleName(drawn, current.bold, current.italic));
    QFontDialog dialog(font, owner_);
    dialog.setOption(QFontDialog::DontUseNativeDialog, true);
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
    // Another family keeps the weight and slant chosen so far: the dialog looks for the previous
    // style's name in the new family, and where the names differ ("Regular", "Book") it would
    // fall on whatever style the family lists first.
    struct Style {
        QString family;
        bool bold;
        bool italic;
    } kept{drawn, current.bold, current.italic};
    bool adjusting = false;
    QObject::connect(&dialog, &QFontDialog::currentFontChanged, &dialog, [&](const QFont& shown) {
        if (adjusting) {
            return;
        }
        if (shown.family() == kept.family) {
            kept.bold = shown.bold(); // the user chose another style
            kept.italic = shown.italic();
            return;
        }
        kept.family = shown.family();
        const QString style = styleName(shown.family(), kept.bold, kept.italic);
        if (style.isEmpty() || (shown.bold() == kept.bold && shown.italic() == kept.italic)) {
            return;
        }
        // Once the dialog is done with the family's change: the style list shows the new
        // family's styles (setCurrentFont would keep the style the dialog fell on).
        QTimer::singleShot(0, &dialog, [&dialog, &adjusting, family = shown.family(), style] {
            const QStringList styles = QFontDatabase::styles(family);
            for (QListView* list : dialog.findChildren<QListView*>()) {
                auto* model = qobject_cast<QStringListModel*>(list->model());
                if (model != nullptr && model->stringList() == styles) {
                    adjusting = true;
                    list->setCurrentIndex(model->index(static_cast<int>(styles.indexOf(style))));
                    adjusting = false;
                }
            }
        });
    });
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QFont chosen = dialog.selectedFont();
    const bool sameFamily = chosen.family().compare(drawn, Qt::CaseInsensitive) == 0;
    return FontChoice{sameFamily ? current.name : chosen.family(), chosen.pointSizeF(),
                      chosen.bold(), chosen.italic()};
}

QString QtDialogHost::browseForFolder(const QString& start, const QString& title) {
    QFileDialog dialog(owner_, title, start);
    localiseFileDialog(dialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace lumetra::platform

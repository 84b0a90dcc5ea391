#include "CommonDialog.h"

#include <QFileInfo>

namespace lumetra::platform {

CommonDialog::CommonDialog(std::shared_ptr<DialogHost> host, QObject* parent)
    : QObject(parent), host_(std::move(host)) {}

QString CommonDialog::qtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

void CommonDialog::ShowOpen() {
    DialogHost::OpenRequest request;
    request.title = DialogTitle;
    request.filter = qtFilter(Filter);
    request.defaultSuffix = DefaultExt;
    request.fileName = FileName;
    request.mustExist = (Flags & cdlOFNFileMustExist) != 0;
    const std::optional<QString> chosen = host_ ? host_->showOpen(request) : std::nullopt;
    if (!chosen || chosen->isEmpty()) {
        if (CancelError) {
            throw DialogCancelled();
        }
        return;
    }
    QString path = *chosen;
    QString suffix =
        QFileInfo(path).fileName().section(QLatin1Char('.'), -1, -1, QString::SectionSkipEmpty);
    if (!QFileInfo(path).fileName().contains(QLatin1Char('.')) && !DefaultExt.isEmpty()) {
        path += QLatin1Char('.') + DefaultExt;
        suffix = DefaultExt;
    }
    FileName = path;
    if (!DefaultExt.isEmpty() && suffix.compare(DefaultExt, Qt::CaseInsensitive) != 0) {
        Flags |= cdlOFNExtensionDifferent;
    } else {
        Flags &= ~cdlOFNExtensionDifferent;
    }
}

void CommonDialog::ShowFont() {
    DialogHost::FontChoice current{FontName, FontSize, FontBold, FontItalic};
    const std::optional<DialogHost::FontChoice> chosen =
        host_ ? host_->showFont(current, Flags) : std::nullopt;
    if (!chosen) {
        if (CancelError) {
            throw DialogCancelled();
        }
        return;
    }
    FontName = chosen->name;
    FontSize = chosen->size;
    FontBold = chosen->bold;
    FontItalic = chosen->italic;
}

} // namespace lumetra::platform

#include "LocalisedFileModel.h"

#include <QDateTime>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLocale>

namespace lumetra::platform {

namespace {
// QFileSystemModel's columns.
constexpr int SizeColumn = 1;
constexpr int DateColumn = 3;
} // namespace

QVariant LocalisedFileModel::data(const QModelIndex& index, int role) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr || role != Qt::DisplayRole || !index.isValid()) {
        return QIdentityProxyModel::data(index, role);
    }
    const QModelIndex source = mapToSource(index);
    if (index.column() == DateColumn) {
        const QDateTime modified = files->lastModified(source);
        return modified.isValid() ? QLocale().toString(modified, QLocale::ShortFormat) : QString();
    }
    if (index.column() == SizeColumn && !files->isDir(source)) {
        return QLocale().formattedDataSize(files->size(source));
    }
    return QIdentityProxyModel::data(index, role);
}

void localiseFileDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setProxyModel(new LocalisedFileModel(&dialog));
}

} // namespace lumetra::platform

#pragma once
// The file dialogs' view of the file system in the application's language: dates and sizes
// written by the application's locale (Italian), not by the machine's.

#include <QIdentityProxyModel>

class QFileDialog;

namespace lumetra::platform {

class LocalisedFileModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

// Has `dialog` (one of Qt's own file dialogs) show its files through a LocalisedFileModel.
void localiseFileDialog(QFileDialog& dialog);

} // namespace lumetra::platform

#pragma once
// A list view of file entries: one column "Nome", entries in list order, reporting the release of
// a mouse button over it. Clicking the header sorts the list itself by name (FileListModel::sort).

#include <QTreeView>

namespace lumetra::mainwindow {

class FileListModel;

class FileListView : public QTreeView {
    Q_OBJECT
public:
    FileListView(FileListModel* model, bool multiSelection, QWidget* parent = nullptr);
    FileListModel* fileModel() const { return model_; }
    // Rows (from 0) of the highlighted entries.
    QList<int> highlightedRows() const;

signals:
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The header's arrow shows the order the entries stand in, if any.
    void mostraOrdinamento();

    FileListModel* model_;
};

} // namespace lumetra::mainwindow

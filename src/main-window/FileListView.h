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
    // Drawn, greyed, in the empty list until an entry arrives (then it is dropped); empty: none.
    void setEmptyText(const QString& text);
    const QString& emptyText() const { return emptyText_; }

signals:
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The header's arrow shows the order the entries stand in, if any.
    void mostraOrdinamento();

    FileListModel* model_;
    QString emptyText_;
};

} // namespace lumetra::mainwindow

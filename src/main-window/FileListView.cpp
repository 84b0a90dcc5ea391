#include "FileListView.h"

#include "FileListModel.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace lumetra::mainwindow {

FileListView::FileListView(FileListModel* model, bool multiSelection, QWidget* parent)
    : QTreeView(parent), model_(model) {
    setModel(model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(multiSelection ? QAbstractItemView::ExtendedSelection
                                    : QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

QList<int> FileListView::highlightedRows() const {
    QList<int> rows;
    if (selectionModel() == nullptr) {
        return rows;
    }
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            rows.append(row);
        }
    }
    return rows;
}

void FileListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

} // namespace lumetra::mainwindow

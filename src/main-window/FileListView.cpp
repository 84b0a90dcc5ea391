#include "FileListView.h"

#include "FileListModel.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

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
    // A click on "Nome" puts the list in name order, the next one in reverse; until then the
    // list keeps the order its entries came in, and the header shows no order.
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(header(), &QHeaderView::sortIndicatorChanged, this,
            [this](int section, Qt::SortOrder order) {
                if (section == 0) {
                    model_->sort(0, order);
                }
            });
    connect(model_, &FileListModel::ordinamentoCambiato, this, &FileListView::mostraOrdinamento);
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this] { setEmptyText({}); });
}

void FileListView::setEmptyText(const QString& text) {
    if (text != emptyText_) {
        emptyText_ = text;
        viewport()->update();
    }
}

void FileListView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (emptyText_.isEmpty() || model_->rowCount() > 0) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const int margin = fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, emptyText_);
}

void FileListView::mostraOrdinamento() {
    const QSignalBlocker quiet(header());
    const std::optional<Qt::SortOrder> order = model_->Ordinamento();
    header()->setSortIndicator(order ? 0 : -1, order.value_or(Qt::AscendingOrder));
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

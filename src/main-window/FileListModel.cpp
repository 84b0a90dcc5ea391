#include "FileListModel.h"

#include "FileNames.h"
#include "NaturalOrder.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace lumetra::mainwindow {

namespace {
// Above this many separate runs of removed rows, one layout change is cheaper for the views
// than one removal per run.
constexpr int MaxRemovalRuns = 16;
} // namespace

FileListModel::FileListModel(bool checkable, QObject* parent)
    : QAbstractTableModel(parent), checkable_(checkable) {}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count();
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= Count()) {
        return {};
    }
    const Entry& entry = entries_[static_cast<size_t>(index.row())];
    if (role == Qt::EditRole) {
        return entry.name;
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return runtime::shownName(entry.name); // a name that is not UTF-8, readable
    }
    if (role == Qt::CheckStateRole && checkable_) {
        return entry.checked ? Qt::Checked : Qt::Unchecked;
    }
    return {};
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= Count() || role != Qt::CheckStateRole || !checkable_) {
        return false;
    }
    SetChecked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    if (checkable_) {
        result |= Qt::ItemIsUserCheckable;
    }
    return result;
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::DisplayRole) {
        return QStringLiteral("Nome");
    }
    if (orientation == Qt::Horizontal && section == 0 && role == Qt::InitialSortOrderRole) {
        return static_cast<int>(Qt::AscendingOrder);
    }
    return {};
}

QStringList FileListModel::Texts() const {
    QStringList names;
    names.reserve(Count());
    for (const Entry& entry : entries_) {
        names.append(entry.name);
    }
    return names;
}

void FileListModel::Add(const QString& name) {
    const int first = Count();
    beginInsertRows(QModelIndex(), first, first);
    entries_.push_back(Entry{name, false});
    endInsertRows();
    controllaOrdinamento(first);
}

void FileListModel::AddAll(const QStringList& names) {
    if (names.isEmpty()) {
        return;
    }
    beginInsertRows(QModelIndex(), Count(), Count() + static_cast<int>(names.size()) - 1);
    entries_.reserve(entries_.size() + static_cast<size_t>(names.size()));
    const int first = Count();
    for (const QString& name : names) {
        entries_.push_back(Entry{name, false});
    }
    endInsertRows();
    controllaOrdinamento(first);
}

void FileListModel::controllaOrdinamento(int first) {
    if (!ordinamento_) {
        return;
    }
    const int direction = *ordinamento_ == Qt::AscendingOrder ? 1 : -1;
    for (int row = std::max(1, first); row < Count(); ++row) {
        if (direction * ConfrontoNaturale(Text(row - 1), Text(row)) > 0) {
            ordinamento_.reset();
            emit ordinamentoCambiato();
            return;
        }
    }
}

void FileListModel::sort(int column, Qt::SortOrder order) {
    if (column != 0) {
        return;
    }
    std::vector<int> oldRow(entries_.size());
    std::iota(oldRow.begin(), oldRow.end(), 0);
    const auto before = [this, order](int x, int y) {
        const int result = ConfrontoNaturale(Text(x), Text(y));
        return order == Qt::AscendingOrder ? result < 0 : result > 0;
    };
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::stable_sort(oldRow.begin(), oldRow.end(), before);
    std::vector<int> newRow(entries_.size());
    std::vector<Entry> sorted;
    sorted.reserve(entries_.size());
    for (size_t i = 0; i < oldRow.size(); ++i) {
        newRow[static_cast<size_t>(oldRow[i])] = static_cast<int>(i);
        sorted.push_back(std::move(entries_[static_cast<size_t>(oldRow[i])]));
    }
    entries_ = std::move(sorted);
    const QModelIndexList persistent = persistentIndexList();
    QModelIndexList moved;
    moved.reserve(persistent.size());
    for (const QModelIndex& old : persistent) {
        moved.append(createIndex(newRow[static_cast<size_t>(old.row())], old.column()));
    }
    changePersistentIndexList(persistent, moved);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    ordinamento_ = order;
    emit ordinamentoCambiato();
}

void FileListModel::Remove(int row) {
    beginRemoveRows(QModelIndex(), row, row);
    entries_.erase(entries_.begin() + row);
    endRemoveRows();
}

void FileListModel::Clear() {
    if (entries_.empty()) {
        return;
    }
    beginResetModel();
    entries_.clear();
    endResetModel();
}

void FileListModel::SetChecked(int row, bool checked) {
    Entry& entry = entries_[static_cast<size_t>(row)];
    if (entry.checked == checked) {
        return;
    }
    entry.checked = checked;
    const QModelIndex at = index(row, 0);
    emit dataChanged(at, at, {Qt::CheckStateRole});
}

void FileListModel::SetAllChecked(bool checked) {
    if (entries_.empty()) {
        return;
    }
    for (Entry& entry : entries_) {
        entry.checked = checked;
    }
    emit dataChanged(index(0, 0), index(Count() - 1, 0), {Qt::CheckStateRole});
}

void FileListModel::CheckRows(const QList<int>& rows) {
    if (rows.isEmpty()) {
        return;
    }
    int first = Count();
    int last = -1;
    for (int row : rows) {
        if (row < 0 || row >= Count()) {
            continue;
        }
        entries_[static_cast<size_t>(row)].checked = true;
        first = std::min(first, row);
        last = std::max(last, row);
    }
    if (last >= first) {
        emit dataChanged(index(first, 0), index(last, 0), {Qt::CheckStateRole});
    }
}

QStringList FileListModel::TakeMarkedReversed() {
    QStringList taken;
    std::vector<bool> remove(entries_.size(), false);
    for (size_t i = entries_.size(); i-- > 0;) {
        if (entries_[i].checked) {
            taken.append(entries_[i].name);
            remove[i] = true;
        }
    }
    if (!taken.isEmpty()) {
        removeWhere(remove);
    }
    return taken;
}

QStringList FileListModel::TakeAllReversed() {
    QStringList taken;
    taken.reserve(Count());
    for (size_t i = entries_.size(); i-- > 0;) {
        taken.append(entries_[i].name);
    }
    Clear();
    return taken;
}

void FileListModel::removeWhere(const std::vector<bool>& remove) {
    // Runs of removed rows, from the last to the first.
    std::vector<std::pair<int, int>> runs;
    for (int i = Count() - 1; i >= 0;) {
        if (!remove[static_cast<size_t>(i)]) {
            --i;
            continue;
        }
        const int last = i;
        while (i >= 0 && remove[static_cast<size_t>(i)]) {
            --i;
        }
        runs.emplace_back(i + 1, last);
    }
    if (static_cast<int>(runs.size()) <= MaxRemovalRuns) {
        for (const auto& [first, last] : runs) {
            beginRemoveRows(QModelIndex(), first, last);
            entries_.erase(entries_.begin() + first, entries_.begin() + last + 1);
            endRemoveRows();
        }
        return;
    }
    // Many runs: one layout change, which keeps the views' highlights and current row on the
    // entries that stay.
    emit layoutAboutToBeChanged();
    std::vector<int> newRow(entries_.size(), -1);
    std::vector<Entry> kept;
    kept.reserve(entries_.size());
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (!remove[i]) {
            newRow[i] = static_cast<int>(kept.size());
            kept.push_back(std::move(entries_[i]));
        }
    }
    entries_ = std::move(kept);
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        const int row = newRow[static_cast<size_t>(old.row())];
        after.append(row < 0 ? QModelIndex() : createIndex(row, old.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

} // namespace lumetra::mainwindow

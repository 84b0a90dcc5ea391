#pragma once
// The entries of one file list: bare file names with a mark (check box), in list order.
// Batch moves take time linear in the list size, so folders of 100 000 photos stay instant.

#include <QAbstractTableModel>
#include <QStringList>

#include <optional>
#include <vector>

namespace lumetra::mainwindow {

class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // checkable: the entries show a check box (the mark).
    explicit FileListModel(bool checkable, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Puts the entries in name order (NaturalOrder.h), ascending or descending; the marks, the
    // views' highlights and current entry go with their entries. Column -1: nothing changes.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // The name order the entries stand in since the last sort; none once entries added at the
    // end have broken it (the list is never kept sorted: new entries always go last).
    std::optional<Qt::SortOrder> Ordinamento() const { return ordinamento_; }

    // Positions here count from 0.
    int Count() const { return static_cast<int>(entries_.size()); }
    const QString& Text(int row) const { return entries_[static_cast<size_t>(row)].name; }
    bool Checked(int row) const { return entries_[static_cast<size_t>(row)].checked; }
    QStringList Texts() const;

    // New entries go last, unmarked.
    void Add(const QString& name);
    void AddAll(const QStringList& names);
    void Remove(int row);
    void Clear();

    void SetChecked(int row, bool checked);
    void SetAllChecked(bool checked);
    void CheckRows(const QList<int>& rows);

    // Removes the marked entries (or every entry) and gives their names from the last position
    // to the first.
    QStringList TakeMarkedReversed();
    QStringList TakeAllReversed();

signals:
    void ordinamentoCambiato();

private:
    struct Entry {
        QString name;
        bool checked = false;
    };
    void removeWhere(const std::vector<bool>& remove);
    // After entries were added from `first` on: forgets the sort order if they broke it.
    void controllaOrdinamento(int first);

    bool checkable_;
    std::vector<Entry> entries_;
    std::optional<Qt::SortOrder> ordinamento_;
};

} // namespace lumetra::mainwindow

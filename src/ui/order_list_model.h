#pragma once
// TOrderListModel: the registry grid's rows, read from the registry table in
// its current order, with the grid's marks. The marks (the check-box column
// "[...]") live only here, in the order the rows were marked, and follow
// their rows through a re-read or a change of order.

#include <QAbstractTableModel>

#include <cstdint>
#include <string>
#include <vector>

namespace kvf {

class Table;

class TOrderListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        SelectedColumn,
        NoColumn,
        RegDateColumn,
        CustomerColumn,
        ObjectColumn,
        CostColumn,
        ColumnCount
    };

    struct Row {
        int64_t RowId = 0;
        QString No;
        QString RegDate;
        QString Customer;
        QString Object;
        QString Cost;
    };

    explicit TOrderListModel(QObject* parent = nullptr);

    // Reads every row of the table in its current order; marks of rows gone are dropped.
    void Reload(Table& table);

    const Row& At(int row) const { return rows_.at(static_cast<size_t>(row)); }
    // The row of that rowid, -1 when none.
    int RowOf(int64_t rowId) const;

    bool IsMarked(int row) const;
    void ToggleMark(int row);
    void Mark(int row);
    void MarkAll();
    void ClearMarks();
    // The rowids of the marked rows, in the order they were marked.
    const std::vector<int64_t>& Marks() const { return marks_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void marksChanged();

    std::vector<Row> rows_;
    std::vector<int64_t> marks_;
};

} // namespace kvf

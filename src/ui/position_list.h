#pragma once
// TPositionList: the order window's list of positions. Report style with a
// check box in the first column, whole-row selection, read-only, bold; rows
// can be dragged onto other rows of the same list only.

#include <QTreeWidget>

#include <vector>

namespace kvf {

class TkvfOrder;

class TPositionList : public QTreeWidget {
    Q_OBJECT
public:
    enum Column {
        CheckColumn,
        NoColumn,
        WidthColumn,
        HeightColumn,
        NumberColumn,
        NameColumn,
        CostColumn,
        TotalColumn
    };

    explicit TPositionList(QWidget* parent = nullptr);

    // Rebuilds every row from the order in one pass; `currency` follows the money columns.
    void Fill(const TkvfOrder& order, const QString& currency);
    // Row index of the current row; -1 for none.
    int CurrentIndex() const;
    void SelectIndex(int index);
    // Indices of every selected row, ascending.
    std::vector<int> SelectedIndices() const;

signals:
    // A row was dropped onto another row of this list.
    void RowDropped(int from, int to);
    // Enter on a row.
    void EnterPressed();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// Money as the list shows it: four decimals and the currency text.
QString FormatMoneyText(long long tenThousandths, const QString& currency);

} // namespace kvf

#pragma once
// TDataGrid: the editable grid of the dialogs, over a TTableModel. Leaving a
// row posts its pending edit; the grid's keys go first to a key handler
// (HandleGridKey) when one is set.

#include <QTableView>

#include <functional>

namespace kvf {

class TTableModel;

class TDataGrid : public QTableView {
    Q_OBJECT
public:
    explicit TDataGrid(QWidget* parent = nullptr);

    void SetTableModel(TTableModel* model);
    TTableModel* TableModel() const { return model_; }

    // Asks before deleting rows (the grid's confirm-delete option).
    bool ConfirmDelete = true;
    // Runs on every key press outside cell editing; true when it took the key.
    std::function<bool(QKeyEvent*)> KeyHandler;

    bool IsEditingCell() const { return state() == QAbstractItemView::EditingState; }
    // Commits and closes an open cell editor, so its text reaches the model.
    void CommitEditor();
    // The rows selected, in ascending order.
    std::vector<int> SelectedRows() const;
    // The current row, -1 for none.
    int CurrentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }
    void GoToRow(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    TTableModel* model_ = nullptr;
};

} // namespace kvf

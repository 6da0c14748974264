#include "ui/data_grid.h"

#include "ui/table_model.h"

#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

namespace kvf {

TDataGrid::TDataGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
}

void TDataGrid::SetTableModel(TTableModel* model) {
    model_ = model;
    setModel(model);
    const int charWidth = fontMetrics().averageCharWidth();
    for (int c = 0; c < static_cast<int>(model->Columns().size()); ++c) {
        setColumnWidth(c, model->Columns()[c].WidthChars * charWidth + 12);
    }
    if (model->rowCount() > 0) {
        setCurrentIndex(model->index(0, 0));
    }
}

void TDataGrid::CommitEditor() {
    if (!IsEditingCell()) {
        return;
    }
    for (QWidget* editor : viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (editor->isVisible()) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
}

std::vector<int> TDataGrid::SelectedRows() const {
    std::vector<int> rows;
    if (selectionModel() != nullptr) {
        for (const QModelIndex& index : selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void TDataGrid::GoToRow(int row) {
    if (model_ == nullptr || row < 0 || row >= model_->rowCount()) {
        return;
    }
    int column = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(model_->index(row, column));
}

void TDataGrid::keyPressEvent(QKeyEvent* event) {
    if (!IsEditingCell() && KeyHandler && KeyHandler(event)) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void TDataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (model_ == nullptr || !current.isValid()) {
        return;
    }
    if (model_->EditingRow() >= 0 && model_->EditingRow() != current.row()) {
        const int editing = model_->EditingRow();
        if (!model_->PostEdits()) {
            // The row that failed to post stays current and in edit mode.
            setCurrentIndex(model_->index(editing, current.column()));
            return;
        }
        if (!currentIndex().isValid()) {
            // Posting a new row re-read the table: stay on the posted row.
            GoToRow(model_->CurrentTableRow());
            return;
        }
    }
    model_->MoveTo(current.row());
}

} // namespace kvf

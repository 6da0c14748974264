#include "ui/grid_keys.h"

#include "base/prompter.h"
#include "catalog/table.h"
#include "ui/data_grid.h"
#include "ui/table_model.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <cstdio>

namespace kvf {

namespace {

std::string format(const char* pattern, int n) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, n);
    return text;
}

} // namespace

bool HandleGridKey(TDataGrid& grid, QKeyEvent& key, Prompter& prompter, const TGridKeyHandlers& handlers) {
    TTableModel* model = grid.TableModel();
    if (model == nullptr || grid.IsEditingCell()) {
        return false;
    }
    const Qt::KeyboardModifiers mods =
        key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const bool modifiable = !model->ReadOnly();
    const int row = grid.CurrentRow();
    const int column = grid.currentIndex().isValid() ? grid.currentIndex().column() : -1;

    if (key.key() == Qt::Key_Insert && mods == Qt::ControlModifier) {
        if (row >= 0 && column >= 0) {
            const std::string keyField = model->KeyFieldOf(column);
            QString text = model->CellText(row, column);
            if (keyField != model->Columns()[column].Field && model->MoveTo(row)) {
                text = QString::fromStdString(model->GetTable().AsString(keyField));
            }
            QApplication::clipboard()->setText(text);
        }
        return true;
    }
    if (key.key() == Qt::Key_Insert && mods == Qt::ShiftModifier) {
        if (modifiable && row >= 0 && column >= 0) {
            model->SetField(row, model->KeyFieldOf(column), QApplication::clipboard()->text());
        }
        return true;
    }
    if (key.key() == Qt::Key_Insert && mods == Qt::NoModifier) {
        if (modifiable) {
            const int at = row < 0 ? 0 : row;
            if (model->InsertRecord(at)) {
                grid.GoToRow(at);
            }
        }
        return true;
    }
    if (mods == Qt::ControlModifier && key.key() == Qt::Key_C) {
        if (handlers.OnCtrlC) {
            handlers.OnCtrlC();
        }
        return true;
    }
    if (mods == Qt::ControlModifier && key.key() == Qt::Key_V) {
        if (handlers.OnCtrlV && modifiable) {
            handlers.OnCtrlV();
        }
        return true;
    }
    if (mods == Qt::ControlModifier && key.key() == Qt::Key_B) {
        if (handlers.OnCtrlB && modifiable) {
            handlers.OnCtrlB();
        }
        return true;
    }
    if (key.key() == Qt::Key_Delete && mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        if (modifiable && model->rowCount() > 0 &&
            (!grid.ConfirmDelete || prompter.Confirm("Удалить все записи?"))) {
            grid.selectAll();
            std::vector<int> all(model->rowCount());
            for (int r = 0; r < model->rowCount(); ++r) {
                all[r] = r;
            }
            model->DeleteRows(all);
            grid.clearSelection();
        }
        return true;
    }
    if (key.key() == Qt::Key_Delete && mods == Qt::ControlModifier) {
        if (modifiable && model->rowCount() > 0) {
            std::vector<int> selected = grid.SelectedRows();
            if (selected.size() > 1) {
                if (!grid.ConfirmDelete ||
                    prompter.Confirm(format("Удалить %d записей?", static_cast<int>(selected.size())))) {
                    model->DeleteRows(selected);
                    grid.clearSelection();
                }
            } else if (row >= 0 && (!grid.ConfirmDelete || prompter.Confirm("Удалить запись?"))) {
                model->DeleteRows({row});
                grid.clearSelection();
            }
        }
        return true;
    }
    return false;
}

} // namespace kvf

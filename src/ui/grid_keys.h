#pragma once
// HandleGridKey: the keyboard routine of the editable grids. Outside cell
// editing: Ctrl+Insert copies the cell (a lookup column's key), Shift+Insert
// pastes into the field, Insert inserts a row, Ctrl+C/Ctrl+V/Ctrl+B call the
// given handlers, Ctrl+Delete deletes the current or the selected rows and
// Ctrl+Shift+Delete every row, each after its question when the grid's
// ConfirmDelete is on. True when the key was taken.

#include <functional>

class QKeyEvent;

namespace kvf {

class Prompter;
class TDataGrid;

struct TGridKeyHandlers {
    std::function<void()> OnCtrlB;
    std::function<void()> OnCtrlV;
    std::function<void()> OnCtrlC;
};

bool HandleGridKey(TDataGrid& grid, QKeyEvent& key, Prompter& prompter, const TGridKeyHandlers& handlers);

} // namespace kvf

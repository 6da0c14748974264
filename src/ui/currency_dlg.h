#pragma once
// TCurrencyDlg: the currency rates, edited in place in the currency table
// (columns Name "Валюта" and Value "Курс"). However the dialog closes, a
// record still being edited is posted; while it cannot be, the dialog stays open.

#include <QDialog>

namespace kvf {

class Prompter;
class Table;
class TDataGrid;
class TTableModel;

class TCurrencyDlg : public QDialog {
    Q_OBJECT
public:
    TCurrencyDlg(Table& currency, Prompter& prompter, QWidget* parent = nullptr);

    TDataGrid* Grid() const { return grid_; }
    TTableModel* Model() const { return model_; }

    void done(int result) override;

private:
    TDataGrid* grid_;
    TTableModel* model_;
};

// Posts what a grid still holds when its dialog closes. False when the record
// cannot be posted (the error is shown): the dialog then stays open with the
// record in edit mode, so nothing typed is lost and the shared table is never
// left in edit mode behind a closed dialog.
bool PostOnClose(TDataGrid& grid, TTableModel& model);

} // namespace kvf

#pragma once
// TPriceGroupDlg: "Справочник ценновых групп (скидки)". Page TS_1 "Группы
// скидок": a navigator and the editable grid over the price-group table,
// whose keys run through HandleGridKey (Ctrl+C copies the current row into the
// record clipboard, Ctrl+V pastes it as a new row). Page TS_2 "Наименования":
// a text grid. A record still being edited is posted when the dialog closes.

#include <QDialog>

class QTabWidget;
class QTableWidget;

namespace kvf {

class Prompter;
class Table;
class TDataGrid;
class TDBNavigator;
class TRecClipBoard;
class TTableModel;
class TkvfSetup;

class TPriceGroupDlg : public QDialog {
    Q_OBJECT
public:
    TPriceGroupDlg(Table& priceGrp, const TkvfSetup& setup, Prompter& prompter, TRecClipBoard* clipBoard,
                   QWidget* parent = nullptr);

    TDataGrid* Grid() const { return grid_; }
    TTableModel* Model() const { return model_; }
    TDBNavigator* Navigator() const { return navigator_; }
    QTabWidget* Pages() const { return pages_; }
    QTableWidget* SGrid() const { return sGrid_; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void copyRows();
    void pasteRows();

    Table& table_;
    Prompter& prompter_;
    TRecClipBoard* clipBoard_;
    QTabWidget* pages_;
    TDataGrid* grid_;
    TTableModel* model_;
    TDBNavigator* navigator_;
    QTableWidget* sGrid_;
};

} // namespace kvf

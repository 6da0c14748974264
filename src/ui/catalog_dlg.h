#pragma once
// TCatalogDlg: "Справочник комплектующих", the article table in an editable
// grid with lookup combos for the currency and the price group, a navigator,
// a print button (the table as a plain list, to a printer or a PDF file),
// "Сравнить с каталогом..." (the registered orders recalculated against a
// catalog in another folder) and OK. A record still being edited is posted
// when the dialog closes.

#include <QDialog>

#include <string>

class QComboBox;
class QPrinter;
class QPushButton;

namespace kvf {

class Prompter;
class TDM;
class TDataGrid;
class TDBNavigator;
class TRegistryCompareDlg;
class TTableModel;

class TCatalogDlg : public QDialog {
    Q_OBJECT
public:
    TCatalogDlg(TDM& dm, Prompter& prompter, QWidget* parent = nullptr);

    // Takes the client area (global coordinates) less 100 each way, 50 in from its left and top.
    void PlaceIn(const QRect& clientArea);
    // The table as a list: a title and one line per row with the grid's columns.
    void PrintTable(QPrinter& printer) const;

    TDataGrid* Grid() const { return grid_; }
    TTableModel* Model() const { return model_; }
    TDBNavigator* Navigator() const { return navigator_; }
    QComboBox* CurrencyCombo() const { return currencyCombo_; }
    QComboBox* PriceGroupCombo() const { return priceGroupCombo_; }

    // The orders folder the registry's order files are stored relative to;
    // comparing is offered once it is known.
    void SetOrdersFolder(const std::string& folder);
    // Recalculates every registered order against this catalog and the one in
    // `folder`, with a progress bar that can cancel, and shows the result
    // window; nullptr when the other catalog cannot be opened or the user
    // cancelled.
    TRegistryCompareDlg* CompareWith(const QString& folder);

    void done(int result) override;

private:
    void syncCombos();
    void print();
    void compare();

    TDM& dm_;
    Prompter& prompter_;
    std::string ordersFolder_;
    QPushButton* compareBut_;
    TDataGrid* grid_;
    TTableModel* model_;
    TTableModel* currencies_;
    TTableModel* priceGroups_;
    TDBNavigator* navigator_;
    QComboBox* currencyCombo_;
    QComboBox* priceGroupCombo_;
};

} // namespace kvf

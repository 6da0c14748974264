#pragma once
// TSelectionPropDlg: the selection's properties ("Выборка"): number, date,
// name, VAT rate, price group, rounding mode, currency and the currency rates
// (edited on copies, which the selection takes on OK), and the note.

#include "model/currency_item.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kvf {

class CatalogLookups;
class Prompter;
class TkvfOrderSelection;
class TkvfSetup;

class TSelectionPropDlg : public QDialog {
    Q_OBJECT
public:
    TSelectionPropDlg(TkvfSetup& setup, CatalogLookups& lookups, Prompter& prompter,
                      QWidget* parent = nullptr);

    // Shows the dialog for the selection; on OK the selection takes the values.
    // True when OK was pressed.
    bool Run(TkvfOrderSelection& selection);
    // After OK: whether the VAT rate, price group, rounding mode or currency changed.
    bool PricingChanged() const { return pricingChanged_; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fill(const TkvfOrderSelection& selection);
    // Refills the rate list and the currency combo from `rates_`, selecting `currency`.
    void showRates(int currency);
    void CurrencyButClick();
    void editRate(QTreeWidgetItem* item);
    void closeRateEdit(bool store);
    void apply(TkvfOrderSelection& selection);

    TkvfSetup& setup_;
    CatalogLookups& lookups_;
    Prompter& prompter_;
    TkvfOrderSelection* selection_ = nullptr;
    std::vector<TkvfCurrencyItem> rates_; // the copies the rows hold, in row order
    bool pricingChanged_ = false;
    int editedRow_ = -1;
    bool closingRateEdit_ = false;

    QLineEdit* selectionNoEdit_ = nullptr;
    QDateEdit* regDateEdit_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QDoubleSpinBox* ndsTaxEdit_ = nullptr;
    QComboBox* priceGrpNoCombo_ = nullptr;
    QComboBox* roundModeCombo_ = nullptr;
    QComboBox* currencyCombo_ = nullptr;
    QTreeWidget* rateList_ = nullptr;
    QLineEdit* rateEdit_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
};

} // namespace kvf

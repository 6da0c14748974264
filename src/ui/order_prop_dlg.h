#pragma once
// TOrderPropDlg ("Заказ"): the header of an order on four pages: its number,
// date and customer; the defaults new positions take (systems, colours,
// handle, rebate, backset, double-sash type, sash type, material); the VAT
// rate, the order currency and the currency rates; the notes. OK checks the
// number against the registry, writes the values back and makes them the
// defaults for the next new order.

#include "model/currency_item.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;
class QTreeWidget;

namespace kvf {

class TLookupCombo;
class TkvfOrder;
struct TAppContext;

class TOrderPropDlg : public QDialog {
    Q_OBJECT
public:
    TOrderPropDlg(TAppContext& ctx, TkvfOrder& order, QWidget* parent = nullptr);

    // True after OK when the VAT rate or the order currency changed.
    bool PricesChanged() const { return pricesChanged_; }

    // The rate editor over the current row of the currency list.
    void StartRateEdit();
    QLineEdit* RateEdit() const { return rateEdit_; }
    // Rebuilds the currency rows from the catalog's current rates.
    void SetCurrentRates();
    // Shows the number of the order saved last.
    void ShowLastOrderNo();

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createRequisitesPage();
    QWidget* createTechnicalPage();
    QWidget* createCurrencyPage();
    QWidget* createNotesPage();
    void fillFromOrder();
    void fillCurrencies(const TkvfCurrencyList& list);
    void fillCurrencyCombo();
    void finishRateEdit();
    bool closeCheck();
    void writeBack();
    void storeDefaults();
    std::string handleFilter() const;

    TAppContext& ctx_;
    TkvfOrder& order_;
    std::string openedNo_;
    int openedCurrency_ = 0;
    bool rateEditCancelled_ = false;
    bool pricesChanged_ = false;
    TkvfCurrencyList rows_;

    QTabWidget* pages_ = nullptr;
    QLineEdit* orderNoEdit_ = nullptr;
    QDateEdit* regDateEdit_ = nullptr;
    QCheckBox* regDateSet_ = nullptr;
    QLineEdit* altOrderNoEdit_ = nullptr;
    QLineEdit* customerEdit_ = nullptr;
    QLineEdit* objectNameEdit_ = nullptr;
    QLineEdit* addressEdit_ = nullptr;
    QLineEdit* phonesEdit_ = nullptr;
    QLineEdit* remEdit_ = nullptr;
    TLookupCombo* profSysEdit_ = nullptr;
    TLookupCombo* innerProfColorEdit_ = nullptr;
    TLookupCombo* outerProfColorEdit_ = nullptr;
    TLookupCombo* furnSysEdit_ = nullptr;
    TLookupCombo* furnColorEdit_ = nullptr;
    TLookupCombo* handleEdit_ = nullptr;
    TLookupCombo* falzCombo_ = nullptr;
    TLookupCombo* dornCombo_ = nullptr;
    TLookupCombo* stulpTypeCombo_ = nullptr;
    TLookupCombo* openTypeCombo_ = nullptr;
    TLookupCombo* materialEdit_ = nullptr;
    QTreeWidget* listView_ = nullptr;
    QLineEdit* rateEdit_ = nullptr;
    QComboBox* currencyCombo_ = nullptr;
    QDoubleSpinBox* ndsTaxEdit_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
};

// Runs the dialog on the order; true on OK, with `pricesChanged` set when the
// VAT rate or the order currency changed.
bool ExecuteOrderPropDlg(TAppContext& ctx, TkvfOrder& order, bool& pricesChanged, QWidget* parent = nullptr);

} // namespace kvf

#pragma once
// TPZExpDlg: what the three supplier export dialogs share: the firm, the
// order number, the date and the file name, loaded from and remembered in
// the format's registry key, the file name rebuilt when the firm code or the
// number changes, and the run of an export on OK. The dialogs differ in the
// third text field (order name or order list) and in what follows writing.

#include "exports/export_values.h"

#include <QDialog>

class QDateEdit;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kvf {

struct SupplierFormat;
struct TAppContext;
struct TExportSource;
class TkvfOrder;
class TkvfOrderSelection;

class TPZExpDlg : public QDialog {
    Q_OBJECT
public:
    // The order or selection: the dialog loaded, shown modally, and on OK the
    // values remembered and the file written. True when OK was pressed.
    bool ExportOrder(TkvfOrder& order);
    bool ExportSelection(TkvfOrderSelection& selection);

    // The dialog's values as they stand in the controls.
    TExportValues Values() const;

    QLineEdit* FirmIDEdit;
    QLineEdit* FirmNameEdit;
    QSpinBox* OrderNoEdit;
    // "Наименование заявки" of the text exports, "Список заказов" of the XML one.
    QLineEdit* OrderNameEdit;
    QDateEdit* OrderDateEdit;
    QLineEdit* FileNameEdit;
    QPushButton* OkBut;
    QPushButton* CancelBut;

protected:
    // The third text field: its object name and label.
    struct NameField {
        const char* Object;
        const char* Label;
    };
    TPZExpDlg(const SupplierFormat& format, TAppContext& ctx, const char* caption, NameField nameField,
              QWidget* parent);

    // Fills the controls; the XML dialog adds its own.
    virtual void LoadValues(const TExportValues& values);
    virtual void CompleteValues(TExportValues& values) const { (void)values; }
    // After the file was written or not written (declined or failed).
    virtual void AfterWrite(const TExportValues& values) { (void)values; }

    QFormLayout* Form() const { return form_; }
    TAppContext& Ctx() const { return ctx_; }

private:
    bool runExport(const TExportSource& source);
    void RebuildFileName();

    const SupplierFormat& format_;
    TAppContext& ctx_;
    QFormLayout* form_;
};

} // namespace kvf

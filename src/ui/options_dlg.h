#pragma once
// TOptionsDlg: "Параметры", five check boxes over the settings; loaded when
// the dialog opens, written back on OK only.

#include <QDialog>

class QCheckBox;

namespace kvf {

class TkvfSetup;

class TOptionsDlg : public QDialog {
    Q_OBJECT
public:
    TOptionsDlg(TkvfSetup& setup, QWidget* parent = nullptr);

    QCheckBox* AlertIfNotFullCheck;
    QCheckBox* AutoLoadCurrencyCheck;
    QCheckBox* AutoRegCheck;
    QCheckBox* AutoOpenRegCheck;
    QCheckBox* MoveToRecycledCheck;

    void accept() override;

private:
    TkvfSetup& setup_;
};

} // namespace kvf

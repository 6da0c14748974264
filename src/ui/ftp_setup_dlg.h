#pragma once
// TFTPSetupDlg: "Настройка FTP" over the settings' FTP values; loaded when
// the dialog opens, written back on OK. The password shows in clear text.

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace kvf {

class TkvfSetup;

class TFTPSetupDlg : public QDialog {
    Q_OBJECT
public:
    TFTPSetupDlg(TkvfSetup& setup, QWidget* parent = nullptr);

    QLineEdit* HostEdit;
    QLineEdit* PortEdit;
    QLineEdit* UserNameEdit;
    QLineEdit* PasswordEdit;
    QLineEdit* ftpDirEdit;
    QCheckBox* UploadFTPCheck;

    void accept() override;

private:
    TkvfSetup& setup_;
};

} // namespace kvf

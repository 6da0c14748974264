#pragma once
// TFirmInfoDlg: "Реквизиты фирмы", the settings' section "Firm". Every field
// is loaded when the dialog is shown and written back on OK; Cancel discards.
// The logo picture shows when its file exists.

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace kvf {

class TkvfSetup;

class TFirmInfoDlg : public QDialog {
    Q_OBJECT
public:
    TFirmInfoDlg(TkvfSetup& setup, QWidget* parent = nullptr);

    // The edit of a control name ("NameEdit", "LogoEdit", ...); nullptr when unknown.
    QLineEdit* Edit(const QString& name) const;
    QLabel* Image() const { return image_; }
    // Shows the picture of the file, or none when it does not exist or does not load.
    void ShowLogo(const QString& fileName);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct FieldEdit {
        QLineEdit* edit;
        std::string TkvfSetup::*member;
    };
    void load();
    void chooseLogo();

    TkvfSetup& setup_;
    std::vector<FieldEdit> fields_;
    QLabel* image_;
};

} // namespace kvf

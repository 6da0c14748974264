#pragma once
// TConfigListDlg: "Конфигурация", the choice of the database configuration at
// start-up: a drop-down list of the configuration names, OK and Cancel.

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace kvf {

class TConfigListDlg : public QDialog {
    Q_OBJECT
public:
    // Selects the entry equal to defaultName, or the first one.
    TConfigListDlg(const std::vector<std::string>& names, const std::string& defaultName,
                   QWidget* parent = nullptr);

    QComboBox* ConfigCombo() const { return configCombo_; }
    QPushButton* OkBut() const { return okBut_; }
    QPushButton* CancelBut() const { return cancelBut_; }
    std::string SelectedName() const;

private:
    QComboBox* configCombo_;
    QPushButton* okBut_;
    QPushButton* cancelBut_;
};

} // namespace kvf

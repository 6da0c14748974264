#include "ui/config_list_dlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace kvf {

TConfigListDlg::TConfigListDlg(const std::vector<std::string>& names, const std::string& defaultName,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName("ConfigListDlg");
    setWindowTitle(QString::fromUtf8("Конфигурация"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8("Конфигурация"), this));
    configCombo_ = new QComboBox(this);
    configCombo_->setObjectName("ConfigCombo");
    configCombo_->setEditable(false);
    configCombo_->setMaxVisibleItems(15);
    for (const std::string& name : names) {
        configCombo_->addItem(QString::fromStdString(name));
    }
    auto preset = std::find(names.begin(), names.end(), defaultName);
    configCombo_->setCurrentIndex(preset == names.end() ? 0 : static_cast<int>(preset - names.begin()));
    configCombo_->setMinimumWidth(260);
    layout->addWidget(configCombo_);
    auto* buttons = new QHBoxLayout;
    okBut_ = new QPushButton("OK", this);
    okBut_->setObjectName("OkBut");
    okBut_->setDefault(true);
    cancelBut_ = new QPushButton("Cancel", this);
    cancelBut_->setObjectName("CancelBut");
    connect(okBut_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBut_, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch();
    buttons->addWidget(okBut_);
    buttons->addWidget(cancelBut_);
    layout->addLayout(buttons);
}

std::string TConfigListDlg::SelectedName() const {
    return configCombo_->currentText().toStdString();
}

} // namespace kvf

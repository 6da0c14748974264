#include "ui/ftp_setup_dlg.h"

#include "config/setup.h"
#include "qt/ok_cancel_buttons.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kvf {

TFTPSetupDlg::TFTPSetupDlg(TkvfSetup& setup, QWidget* parent) : QDialog(parent), setup_(setup) {
    setObjectName("FTPSetupDlg");
    setWindowTitle(QString::fromUtf8("Настройка FTP"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto edit = [&](const char* name, const char* caption, const std::string& value) {
        auto* line = new QLineEdit(QString::fromStdString(value), this);
        line->setObjectName(name);
        form->addRow(QString::fromUtf8(caption), line);
        return line;
    };
    HostEdit = edit("HostEdit", "Сервер", setup.ftpHost);
    PortEdit = edit("PortEdit", "Порт", std::to_string(setup.ftpPort));
    PortEdit->setMaxLength(8);
    PortEdit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,8}"), PortEdit));
    UserNameEdit = edit("UserNameEdit", "Учетная запись", setup.ftpUserName);
    PasswordEdit = edit("PasswordEdit", "Пароль", setup.ftpPassword);
    ftpDirEdit = edit("ftpDirEdit", "Удаленный каталог", setup.ftpDir);
    layout->addLayout(form);
    UploadFTPCheck = new QCheckBox(QString::fromUtf8("Загружать файл экспорта на FTP"), this);
    UploadFTPCheck->setObjectName("UploadFTPCheck");
    UploadFTPCheck->setChecked(setup.ftpUpload);
    layout->addWidget(UploadFTPCheck);
    layout->addWidget(OkCancelButtons(this));
}

void TFTPSetupDlg::accept() {
    setup_.ftpHost = HostEdit->text().toStdString();
    setup_.ftpPort = PortEdit->text().toInt();
    setup_.ftpUserName = UserNameEdit->text().toStdString();
    setup_.ftpPassword = PasswordEdit->text().toStdString();
    setup_.ftpDir = ftpDirEdit->text().toStdString();
    setup_.ftpUpload = UploadFTPCheck->isChecked();
    QDialog::accept();
}

} // namespace kvf

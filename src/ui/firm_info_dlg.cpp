#include "ui/firm_info_dlg.h"

#include "config/setup.h"
#include "qt/ok_cancel_buttons.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>

namespace kvf {

TFirmInfoDlg::TFirmInfoDlg(TkvfSetup& setup, QWidget* parent) : QDialog(parent), setup_(setup) {
    setObjectName("FirmInfoDlg");
    setWindowTitle(QString::fromUtf8("Реквизиты фирмы"));
    struct Row {
        const char* name;
        const char* caption;
        std::string TkvfSetup::*member;
    };
    const Row rows[] = {
        {"NameEdit", "Наименование (*)", &TkvfSetup::Name},
        {"LogoEdit", "Логотип", &TkvfSetup::Logo},
        {"AddressEdit", "Адрес", &TkvfSetup::Address},
        {"JustAddressEdit", "Юридический адрес", &TkvfSetup::JustAddress},
        {"ZipCodeEdit", "Код города", &TkvfSetup::ZipCode},
        {"Phone1Edit", "Телефон (*)", &TkvfSetup::Phone1},
        {"Phone2Edit", "Телефон (*)", &TkvfSetup::Phone2},
        {"Phone3Edit", "Телефон (*)", &TkvfSetup::Phone3},
        {"FaxEdit", "Факс", &TkvfSetup::Fax},
        {"EMailEdit", "E-Mail (*)", &TkvfSetup::EMail},
        {"InternetEdit", "Internet", &TkvfSetup::Internet},
        {"INNEdit", "ИНН", &TkvfSetup::INN},
        {"AccountEdit", "Счет", &TkvfSetup::Account},
        {"DirectorEdit", "Директор", &TkvfSetup::Director},
        {"BookKeeperEdit", "Гл. бухгалтер", &TkvfSetup::BookKeeper},
    };
    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* form = new QFormLayout;
    for (const Row& row : rows) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(row.name);
        fields_.push_back({edit, row.member});
        if (std::string(row.name) == "LogoEdit") {
            auto* line = new QHBoxLayout;
            line->addWidget(edit);
            auto* browse = new QToolButton(this);
            browse->setObjectName("LogoButton");
            browse->setText("...");
            connect(browse, &QToolButton::clicked, this, [this] { chooseLogo(); });
            connect(edit, &QLineEdit::editingFinished, this, [this, edit] { ShowLogo(edit->text()); });
            line->addWidget(browse);
            form->addRow(QString::fromUtf8(row.caption), line);
        } else {
            form->addRow(QString::fromUtf8(row.caption), edit);
        }
    }
    left->addLayout(form);
    left->addWidget(OkCancelButtons(this));
    outer->addLayout(left, 1);
    image_ = new QLabel(this);
    image_->setObjectName("Image");
    image_->setFixedSize(160, 160);
    image_->setAlignment(Qt::AlignCenter);
    image_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    outer->addWidget(image_, 0, Qt::AlignTop);
    load();
}

QLineEdit* TFirmInfoDlg::Edit(const QString& name) const {
    for (const FieldEdit& field : fields_) {
        if (field.edit->objectName() == name) {
            return field.edit;
        }
    }
    return nullptr;
}

void TFirmInfoDlg::showEvent(QShowEvent* event) {
    load();
    QDialog::showEvent(event);
}

void TFirmInfoDlg::load() {
    for (const FieldEdit& field : fields_) {
        field.edit->setText(QString::fromStdString(setup_.*field.member));
    }
    ShowLogo(QString::fromStdString(setup_.Logo));
}

void TFirmInfoDlg::ShowLogo(const QString& fileName) {
    QPixmap picture;
    if (!fileName.isEmpty() && QFileInfo(fileName).isFile()) {
        picture.load(fileName);
    }
    if (picture.isNull()) {
        image_->clear();
        return;
    }
    image_->setPixmap(
        picture.scaled(image_->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void TFirmInfoDlg::chooseLogo() {
    QString file = QFileDialog::getOpenFileName(
        this, QString(), Edit("LogoEdit")->text(),
        QString::fromUtf8("Windows Bitmap Files (*.bmp);;Windows Metafile (*.wmf)"), nullptr,
        QFileDialog::DontUseNativeDialog);
    if (!file.isEmpty()) {
        Edit("LogoEdit")->setText(file);
        ShowLogo(file);
    }
}

void TFirmInfoDlg::accept() {
    for (const FieldEdit& field : fields_) {
        setup_.*field.member = field.edit->text().toStdString();
    }
    QDialog::accept();
}

} // namespace kvf

#include "ui/options_dlg.h"

#include "config/setup.h"
#include "qt/ok_cancel_buttons.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace kvf {

TOptionsDlg::TOptionsDlg(TkvfSetup& setup, QWidget* parent) : QDialog(parent), setup_(setup) {
    setObjectName("OptionsDlg");
    setWindowTitle(QString::fromUtf8("Параметры"));
    auto* layout = new QVBoxLayout(this);
    auto check = [this](QGroupBox* group, const char* name, const char* caption, bool value) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), group);
        box->setObjectName(name);
        box->setChecked(value);
        group->layout()->addWidget(box);
        return box;
    };
    auto* general = new QGroupBox(QString::fromUtf8("Общие"), this);
    general->setLayout(new QVBoxLayout);
    AlertIfNotFullCheck = check(general, "AlertIfNotFullCheck",
                                "Выдавать сообщение при расчете неполного заказа", setup.AlertIfNotFull);
    AutoLoadCurrencyCheck =
        check(general, "AutoLoadCurrencyCheck", "Автозагрузка курсов валют", setup.AutoLoadCurrency);
    layout->addWidget(general);
    auto* registry = new QGroupBox(QString::fromUtf8("Реестр и файлы заказов"), this);
    registry->setLayout(new QVBoxLayout);
    AutoRegCheck =
        check(registry, "AutoRegCheck", "Авторегистрация и обновление при сохранении заказа", setup.AutoReg);
    AutoOpenRegCheck = check(registry, "AutoOpenRegCheck", "Автоматическая загрузка реестра при загрузке",
                             setup.AutoOpenReg);
    MoveToRecycledCheck = check(registry, "MoveToRecycledCheck",
                                "Перемещать удаленные из реестра заказы в мусорку", setup.MoveToRecycled);
    layout->addWidget(registry);
    layout->addWidget(OkCancelButtons(this));
}

void TOptionsDlg::accept() {
    setup_.AlertIfNotFull = AlertIfNotFullCheck->isChecked();
    setup_.AutoLoadCurrency = AutoLoadCurrencyCheck->isChecked();
    setup_.AutoReg = AutoRegCheck->isChecked();
    setup_.AutoOpenReg = AutoOpenRegCheck->isChecked();
    setup_.MoveToRecycled = MoveToRecycledCheck->isChecked();
    QDialog::accept();
}

} // namespace kvf

// TOrderForm: loading, saving into the orders folder, the number check
// against the registry, "Korvena.lon", registration and the order properties.

#include "ui/order_form.h"

#include "base/error.h"
#include "base/prompter.h"
#include "base/text.h"
#include "base/typed_stream.h"
#include "catalog/order_registration.h"
#include "catalog/tdm.h"
#include "config/last_order_no.h"
#include "config/paths.h"
#include "config/setup.h"
#include "model/order.h"
#include "ui/app_context.h"
#include "ui/main_form.h"
#include "ui/order_prop_dlg.h"

#include <QFileDialog>

#include <filesystem>
#include <system_error>

namespace kvf {

namespace {

namespace fs = std::filesystem;

std::string namePart(const std::string& path) {
    return fs::path(path).filename().string();
}

std::string folderOf(const std::string& path) {
    return fs::path(path).parent_path().string();
}

void makeFolder(const std::string& folder) {
    std::error_code ignored;
    if (!folder.empty()) {
        fs::create_directories(folder, ignored);
    }
}

// The order reader takes missing trailing items as empty, so a cut-off file
// reads without complaint. Its current layout written again is then longer
// than the file it came from.
bool endsEarly(const TkvfOrder& order, const std::string& fileName) {
    std::error_code error;
    const auto size = fs::file_size(fileName, error);
    if (error) {
        return false;
    }
    TSpecStream image;
    order.SaveToStream(image);
    return image.Size() > size;
}

} // namespace

bool TOrderForm::LoadFromFile(const std::string& fileName) {
    bool converted = false;
    auto order = std::make_unique<TkvfOrder>();
    if (!order->LoadFromFile(fileName, converted, ctx_.prompter)) {
        return false;
    }
    if (!converted && endsEarly(*order, fileName)) {
        ctx_.prompter.Error("Ошибка загрузки заказа!\r\n(Файл заказа поврежден: данные обрываются.)");
        return false;
    }
    order_ = std::move(order);
    fileName_ = fileName;
    isNew_ = false;
    savedNo_ = order_->OrderNo;
    savedCustomer_ = order_->Customer;
    savedObject_ = order_->ObjectName;
    unsaved_ = converted;
    selected_ = -1;
    PublishPricingContext();
    RefreshAll();
    return true;
}

bool TOrderForm::registryAvailable() const {
    return ctx_.Dm != nullptr && ctx_.Dm->DB_Registry.IsOpen();
}

bool TOrderForm::numberCheck() {
    if (order_->OrderNo.empty()) {
        ctx_.prompter.Error("Не указан номер заказа!");
        return false;
    }
    if (!isNew_ || !registryAvailable()) {
        return true;
    }
    try {
        if (auto regDate = FindRegisteredOrder(ctx_.Dm->T_OrderList, order_->OrderNo)) {
            ctx_.prompter.Error(AlreadyRegisteredMessage(order_->OrderNo, *regDate));
            return false;
        }
    } catch (const std::exception& e) {
        // An unreadable registry must not keep the order from being saved.
        ctx_.prompter.Error(e.what());
    }
    return true;
}

bool TOrderForm::writeOrder(const std::string& path) {
    makeFolder(folderOf(path));
    return order_->SaveToFile(path, ctx_.prompter);
}

void TOrderForm::writeLastOrderNo() {
    try {
        WriteLastOrderNo(LastOrderNoFolder(ctx_.Paths.OrdersDir, ctx_.ExeFolder), order_->OrderNo);
    } catch (const std::exception& e) {
        ctx_.prompter.Error(e.what());
    }
}

bool TOrderForm::SaveToFile(const std::string& fileName) {
    if (!numberCheck()) {
        PostOrderPropertiesRequest();
        return false;
    }
    const bool saved = !isNew_ && fileName == fileName_ ? savePlain() : saveAs(fileName);
    if (saved) {
        afterSave();
    }
    return saved;
}

bool TOrderForm::saveAs(const std::string& fileName) {
    const std::string& orders = ctx_.Paths.OrdersDir;
    const std::string target = orders.empty() ? fileName : orders + "/" + namePart(fileName);
    if (!writeOrder(target)) {
        return false;
    }
    fileName_ = target;
    isNew_ = false;
    writeLastOrderNo();
    return true;
}

bool TOrderForm::savePlain() {
    const bool renumbered = !SameText(savedNo_, order_->OrderNo);
    std::string target = fileName_;
    if (renumbered &&
        ctx_.prompter.Confirm("Изменился номер заказа. Переименовать файл согласно нового номера?")) {
        QFileDialog dialog(this, QString::fromUtf8("Сохранить заказ..."));
        dialog.setObjectName("SaveOrderDlg");
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters({QString::fromUtf8("Заказ (*.kfo370)"), QString::fromUtf8("Все файлы (*.*)")});
        dialog.setDefaultSuffix("kfo370");
        dialog.setDirectory(QString::fromStdString(ctx_.Paths.OrdersDir));
        dialog.selectFile(QString::fromStdString(DefaultFileName()));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return false;
        }
        target = dialog.selectedFiles().front().toStdString();
    }
    if (!ctx_.Paths.OrdersDir.empty()) {
        target = ctx_.Paths.OrdersDir + "/" + namePart(target);
    }
    if (!writeOrder(fileName_)) {
        return false;
    }
    if (!SameText(target, fileName_)) {
        makeFolder(folderOf(target));
        if (fs::exists(target) &&
            !ctx_.prompter.Confirm("Файл " + target + " уже существует! Переписать поверх?")) {
            return false;
        }
        // The rename replaces an existing target in one step, so it is never lost before the move.
        std::error_code error;
        fs::rename(fileName_, target, error);
        if (error) {
            ctx_.prompter.Error("Ошибка переноса файла заказа согласно статуса!");
        } else {
            fileName_ = target;
        }
    }
    if (renumbered) {
        writeLastOrderNo();
    }
    return true;
}

void TOrderForm::afterSave() {
    setWindowTitle(QString::fromStdString(fileName_));
    unsaved_ = false;
    RefreshAll();
    if (ctx_.Setup.AutoReg) {
        Register(false);
    }
    savedNo_ = order_->OrderNo;
    savedCustomer_ = order_->Customer;
    savedObject_ = order_->ObjectName;
}

void TOrderForm::Register(bool ask) {
    if (ask && !ctx_.prompter.Confirm("Зарегистрировать заказ / обновить данные в реестре?")) {
        return;
    }
    if (!registryAvailable()) {
        if (ask) {
            ctx_.prompter.Error("Реестр заказов не открыт!");
        }
        return;
    }
    try {
        RegisterOrder(ctx_.Dm->T_OrderList, *order_, savedNo_,
                      OrderFileReference(ctx_.Paths.OrdersDir, fileName_));
    } catch (const std::exception& e) {
        ctx_.prompter.Error(e.what());
    }
}

void TOrderForm::PostOrderPropertiesRequest() {
    QMetaObject::invokeMethod(
        this, [this] { OrderPropertiesRequest(); }, Qt::QueuedConnection);
}

void TOrderForm::OrderPropertiesRequest() {
    bool pricesChanged = false;
    if (ExecuteOrderPropDlg(ctx_, *order_, pricesChanged, this)) {
        PublishPricingContext();
        unsaved_ = true;
        if (order_->Count() > 0 && pricesChanged) {
            ctx_.prompter.Warning(
                "Были изменены настройки, влияющие на цену изделий.\r\nДля корректной работы "
                "необходимо пересчитать заказ!");
            PostRecalcRequest();
        }
        refreshList();
    }
    refreshStatusBar();
    updateMenus();
}

} // namespace kvf

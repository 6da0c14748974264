// TOrderForm: adding, editing, deleting, reordering, re-pricing, merging,
// copying and pasting positions.

#include "ui/order_form.h"

#include "base/prompter.h"
#include "base/typed_stream.h"
#include "catalog/catalog_lookups.h"
#include "config/paths.h"
#include "model/order.h"
#include "ui/app_context.h"
#include "ui/main_form.h"
#include "ui/position_clipboard.h"
#include "ui/position_list.h"
#include "ui/set_furn_dlg.h"
#include "ui/simple_pos_prop_dlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMimeData>
#include <QProgressDialog>
#include <QWidget>

namespace kvf {

void TOrderForm::NewPosition() {
    auto position = std::make_unique<TkvfConstruction>(order_.get());
    const bool accepted = positionDialog_ ? positionDialog_(*position, this)
                                          : ExecuteSimplePosPropDlg(ctx_, *order_, *position, this);
    if (accepted && runFittingsDialog(*position)) {
        order_->AppendPosition(std::move(position));
        selected_ = order_->Count() - 1;
        unsaved_ = true;
        refreshList();
    }
    updateMenus();
}

bool TOrderForm::runFittingsDialog(TkvfConstruction& position) {
    return fittingsDialog_ ? fittingsDialog_(position, this) : ExecuteSetFurnDlg(ctx_, position, this);
}

void TOrderForm::EditPosition() {
    if (selected_ < 0 || selected_ >= order_->Count()) {
        return;
    }
    auto copy = std::make_unique<TkvfConstruction>(order_.get());
    try {
        copy->CopyFrom(order_->Position(selected_));
    } catch (const std::exception& e) {
        ctx_.prompter.Error(e.what());
        return;
    }
    if (runFittingsDialog(*copy)) {
        order_->Positions[static_cast<size_t>(selected_)] = std::move(copy);
        unsaved_ = true;
        refreshList();
    }
    updateMenus();
}

void TOrderForm::DeletePosition() {
    if (selected_ < 0 || selected_ >= order_->Count() || !ctx_.prompter.Confirm("Удалить позицию?")) {
        return;
    }
    order_->DeletePosition(selected_);
    selected_ = -1;
    unsaved_ = true;
    refreshList();
    updateMenus();
}

void TOrderForm::ClearOrder() {
    if (!ctx_.prompter.Confirm("Удалить все позиции?")) {
        return;
    }
    order_->ClearPositions();
    selected_ = -1;
    unsaved_ = true;
    refreshList();
    updateMenus();
}

void TOrderForm::PostRecalcRequest() {
    QMetaObject::invokeMethod(
        this, [this] { RecalcRequest(); }, Qt::QueuedConnection);
}

void TOrderForm::RecalcRequest() {
    Recalculate();
}

bool TOrderForm::Recalculate() {
    if (!ctx_.prompter.Confirm("Пересчитать выделенные изделия с текущими установками?")) {
        return false;
    }
    auto catalog = lookups();
    if (!catalog) {
        return false;
    }
    QProgressDialog progress(QString::fromUtf8("Пересчет заказа..."), QString::fromUtf8("Отмена"), 0,
                             order_->Count(), this);
    progress.setObjectName("RecalcProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    bool ok = true;
    for (int i = 0; i < order_->Count() && !progress.wasCanceled(); ++i) {
        progress.setValue(i);
        TkvfConstruction& position = order_->Position(i);
        if (!position.Included) {
            continue;
        }
        TSpecStream backup;
        try {
            position.Backup(backup);
            position.RecalcCost(*catalog);
        } catch (const std::exception& e) {
            try {
                position.Restore(backup);
            } catch (const std::exception&) {
                // The backup was never complete: the position was not changed either.
            }
            progress.hide();
            ctx_.prompter.Error(std::string(e.what()) + "\r\n[Позиция: " + position.No + "]");
            ok = false;
            break;
        }
        unsaved_ = true;
    }
    progress.setValue(order_->Count());
    refreshList();
    updateMenus();
    return ok;
}

void TOrderForm::SortByNo() {
    order_->SortByNo();
    unsaved_ = true;
    refreshList();
    updateMenus();
}

void TOrderForm::SortByName() {
    order_->SortByName();
    unsaved_ = true;
    refreshList();
    updateMenus();
}

void TOrderForm::MovePosition(int from, int to) {
    auto& positions = order_->Positions;
    if (from < 0 || from >= order_->Count() || to < 0 || from == to) {
        return;
    }
    auto moved = std::move(positions[static_cast<size_t>(from)]);
    positions.erase(positions.begin() + from);
    to = std::min(to, static_cast<int>(positions.size()));
    positions.insert(positions.begin() + to, std::move(moved));
    selected_ = to;
    unsaved_ = true;
    refreshList();
    updateMenus();
}

void TOrderForm::MergeFromFile() {
    QFileDialog dialog(this, QString::fromUtf8("Открыть..."));
    dialog.setObjectName("OpenOrderDlg");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters({TMainForm::OpenFilters().front()});
    dialog.setDirectory(QString::fromStdString(ctx_.Paths.OrdersDir));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const std::string file = dialog.selectedFiles().front().toStdString();
    TkvfOrder source;
    bool converted = false;
    if (source.LoadFromFile(file, converted, ctx_.prompter)) {
        try {
            MergeOrder(source);
        } catch (const std::exception& e) {
            ctx_.prompter.Error("Ошибка добаления изделий из файла [" + file + "]!\r\n(" + e.what() + ")");
        }
    }
}

void TOrderForm::MergeOrder(const TkvfOrder& source) {
    // All copies are made before any is appended, so a failure leaves the order as it was.
    std::vector<std::unique_ptr<TkvfConstruction>> copies;
    for (const auto& position : source.Positions) {
        auto copy = std::make_unique<TkvfConstruction>(order_.get());
        copy->CopyFrom(*position);
        copies.push_back(std::move(copy));
    }
    for (auto& copy : copies) {
        order_->AppendPosition(std::move(copy));
    }
    if (!copies.empty()) {
        unsaved_ = true;
    }
    refreshList();
    updateMenus();
    if (order_->Count() > 0) {
        ctx_.prompter.Warning("Для корректной работы необходимо пересчитать заказ!");
        PostRecalcRequest();
    }
}

void TOrderForm::CopyPositions() {
    std::vector<const TkvfConstruction*> positions;
    for (int index : listView_->SelectedIndices()) {
        if (index < order_->Count()) {
            positions.push_back(&order_->Position(index));
        }
    }
    if (positions.empty()) {
        return;
    }
    QApplication::clipboard()->setMimeData(PositionsToMime(positions).release());
}

bool TOrderForm::PastePositions() {
    auto positions = PositionsFromMime(QApplication::clipboard()->mimeData(), *order_);
    if (positions.empty()) {
        return false;
    }
    for (auto& position : positions) {
        order_->AppendPosition(std::move(position));
    }
    selected_ = order_->Count() - 1;
    unsaved_ = true;
    refreshList();
    updateMenus();
    return true;
}

} // namespace kvf

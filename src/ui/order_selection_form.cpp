#include "ui/order_selection_form.h"

#include "base/names.h"
#include "base/number_format.h"
#include "base/prompter.h"
#include "base/text.h"
#include "catalog/catalog_lookups.h"
#include "catalog/order_registry.h"
#include "catalog/selection_orders.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/setup.h"
#include "model/order_selection.h"
#include "ui/app_context.h"
#include "ui/main_form.h"
#include "ui/order_file_dialog.h"
#include "ui/order_list_form.h"
#include "ui/selection_prop_dlg.h"

#include <QAction>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <filesystem>

namespace kvf {

namespace {

QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

TSelectionListView::TSelectionListView(QWidget* parent) : QTreeWidget(parent) {}

void TSelectionListView::dropEvent(QDropEvent* event) {
    // Only rows of this list move; the rows are then rewritten from the
    // selection, never moved by the view itself.
    const bool ownRows = (event->source() == nullptr || event->source() == this) &&
                         event->mimeData()->hasFormat("application/x-qabstractitemmodeldatalist");
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    const int from = indexOfTopLevelItem(currentItem());
    const int to = target != nullptr ? indexOfTopLevelItem(target) : -1;
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    if (ownRows && from >= 0 && to >= 0 && from != to)
        emit MoveRequested(from, to);
}

TOrderSelectionForm::TOrderSelectionForm(TAppContext& ctx, TMainForm& main, QWidget* parent)
    : QWidget(parent), ctx_(ctx), main_(main), selection_(std::make_unique<TkvfOrderSelection>()) {
    setObjectName("OrderSelectionForm");
    {
        CatalogLookups lookups(*ctx_.Dm);
        InitNewSelection(*selection_, lookups, ctx_.Setup.CurCurrency, ctx_.Setup.NDSTax);
    }

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar");
    status->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        statusPanels_[i] = new QLabel(status);
        statusPanels_[i]->setMinimumWidth(i == 0 ? 150 : 300);
        status->addWidget(statusPanels_[i], i);
    }
    list_ = new TSelectionListView(this);
    list_->setObjectName("ListView");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAlternatingRowColors(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setDragEnabled(true);
    list_->setAcceptDrops(true);
    list_->setDragDropMode(QAbstractItemView::InternalMove);
    list_->setHeaderLabels({"[..]", QString::fromUtf8("Заказ"), QString::fromUtf8("Позиция"),
                            QString::fromUtf8("Ширина"), QString::fromUtf8("Высота"),
                            QString::fromUtf8("Кол-во"), QString::fromUtf8("Наименование"),
                            QString::fromUtf8("Файл")});
    for (int column : {WidthColumn, HeightColumn, NumberColumn})
        list_->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    list_->header()->setSectionsClickable(true);
    list_->header()->setSortIndicatorShown(false);
    const int widths[] = {40, 100, 70, 70, 70, 60, 200, 200};
    for (int i = 0; i < 8; ++i)
        list_->setColumnWidth(i, widths[i]);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(status);
    layout->addWidget(list_);

    connect(list_->header(), &QHeaderView::sectionClicked, this, &TOrderSelectionForm::headerClicked);
    connect(list_, &QTreeWidget::itemChanged, this, &TOrderSelectionForm::itemChecked);
    connect(list_, &TSelectionListView::MoveRequested, this, &TOrderSelectionForm::moveItem);
    connect(list_, &QTreeWidget::currentItemChanged, this, [this] {
        curIndex_ = list_->indexOfTopLevelItem(list_->currentItem());
        updateState();
    });

    selectionMenu_ = new QMenu(QString::fromUtf8("&Выборка"), this);
    selectionMenu_->setObjectName("SelectionMenu");
    connect(addItem(selectionMenu_, "PropertyItem", "&Реквизиты..."), &QAction::triggered, this,
            &TOrderSelectionForm::PropertyItemClick);
    connect(addItem(selectionMenu_, "AddOrderItem", "Добавить заказ...", QKeySequence(Qt::Key_Insert)),
            &QAction::triggered, this, &TOrderSelectionForm::AddOrderItemClick);
    connect(
        addItem(selectionMenu_, "DeletePosItem", "&Удалить позицию", QKeySequence(Qt::CTRL | Qt::Key_Delete)),
        &QAction::triggered, this, &TOrderSelectionForm::DeletePosItemClick);
    connect(addItem(selectionMenu_, "RefreshSelectionItem", "Обновить данные"), &QAction::triggered, this,
            &TOrderSelectionForm::RefreshSelectionItemClick);
    QMenu* sortMenu = selectionMenu_->addMenu(QString::fromUtf8("Сортировать позиции"));
    sortMenu->setObjectName("SortPosMenu");
    connect(addItem(sortMenu, "SortOrderItem", "По заказам"), &QAction::triggered, this,
            [this] { sortBy(&TkvfOrderSelection::SortByOrderNo); });
    connect(addItem(sortMenu, "SortPosItem", "По позициям"), &QAction::triggered, this,
            [this] { sortBy(&TkvfOrderSelection::SortByPosNo); });
    connect(addItem(sortMenu, "SortNameItem", "По изделиям"), &QAction::triggered, this,
            [this] { sortBy(&TkvfOrderSelection::SortByName); });
    connect(addItem(sortMenu, "SortFileNameItem", "По файлам"), &QAction::triggered, this,
            [this] { sortBy(&TkvfOrderSelection::SortByFile); });

    // The supplier exports are offered once they can run; until then they show disabled.
    serviceMenu_ = new QMenu(QString::fromUtf8("Сервис"), this);
    serviceMenu_->setObjectName("ServiceMenu");
    QMenu* exportMenu = serviceMenu_->addMenu(QString::fromUtf8("Экспорт в специальном формате"));
    exportMenu->setObjectName("SpecExportMenu1");
    addItem(exportMenu, "ExportTBMItem", "ТБМ Навигатор")->setEnabled(false);
    addItem(exportMenu, "ExportVorneItem", "Ворне Бела")->setEnabled(false);
    addItem(exportMenu, "ExportXMLItem", "XML")->setEnabled(false);

    setWindowTitle(qs(fileName_));
    updateStatus();
    updateState();
}

TOrderSelectionForm::~TOrderSelectionForm() = default;

QAction* TOrderSelectionForm::addItem(QMenu* menu, const char* name, const char* caption,
                                      const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    items_.emplace_back(name, action);
    return action;
}

QAction* TOrderSelectionForm::Item(const QString& name) const {
    for (const auto& [n, action] : items_)
        if (n == name)
            return action;
    return nullptr;
}

QList<QMenu*> TOrderSelectionForm::MergedMenus() {
    return {selectionMenu_, serviceMenu_};
}

QString TOrderSelectionForm::StatusText(int panel) const {
    return statusPanels_[panel]->text();
}

void TOrderSelectionForm::UpdateMainMenu(TMainForm& main) {
    setWindowTitle(qs(fileName_));
    publishPricing();
    main.OrderToolBar()->setVisible(true);
    main.Item("SaveItem")->setEnabled(modified_);
    main.Item("SaveAsItem")->setEnabled(true);
    main.Item("SaveAllItem")->setEnabled(modified_);
    main.Item("OrderPropBut")->setEnabled(true);
    main.Item("NewPosBut")->setEnabled(Item("AddOrderItem")->isEnabled());
    main.Item("DeletePosBut")->setEnabled(Item("DeletePosItem")->isEnabled());
}

void TOrderSelectionForm::publishPricing() {
    PricingContext& pricing = ctx_.Setup.Pricing;
    pricing.Currencies.clear();
    for (const auto& item : selection_->Currencies)
        pricing.Currencies.push_back({item->CurrencyID, item->Rate});
    pricing.Currency = selection_->CurrencyID;
    pricing.NDSTax = selection_->NDSTax;
}

void TOrderSelectionForm::updateStatus() {
    statusPanels_[0]->setText(qs(selection_->SelNo));
    statusPanels_[1]->setText(qs(selection_->SelName));
}

void TOrderSelectionForm::updateState() {
    Item("DeletePosItem")->setEnabled(list_->currentItem() != nullptr);
    if (main_.ActiveChild() == this)
        main_.MenuUpdate();
}

void TOrderSelectionForm::setModified() {
    modified_ = true;
    updateState();
}

void TOrderSelectionForm::writeRow(int index, bool fine) {
    const QSignalBlocker block(list_);
    QTreeWidgetItem* row = list_->topLevelItem(index);
    if (row == nullptr) {
        row = new QTreeWidgetItem;
        row->setFlags((row->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled) &
                      ~Qt::ItemIsDropEnabled);
        for (int column : {WidthColumn, HeightColumn, NumberColumn})
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        list_->insertTopLevelItem(index, row);
    }
    const TkvfOrderSelectionItem& item = selection_->Item(index);
    row->setCheckState(IncludedColumn, item.Included ? Qt::Checked : Qt::Unchecked);
    row->setText(OrderColumn, qs(item.OrderNo));
    row->setText(PosColumn, qs(item.PosNo));
    row->setText(WidthColumn, qs(FormatFixed(item.Width, fine ? 1 : 0)));
    row->setText(HeightColumn, qs(FormatFixed(item.Height, fine ? 1 : 0)));
    row->setText(NumberColumn, QString::number(item.Number));
    row->setText(NameColumn, qs(item.Name));
    row->setText(FileColumn, qs(item.OrderFile));
}

void TOrderSelectionForm::rewriteRows() {
    for (int i = 0; i < selection_->Count(); ++i)
        writeRow(i, true);
    focusCurrent();
}

void TOrderSelectionForm::focusCurrent() {
    if (curIndex_ >= 0 && curIndex_ < list_->topLevelItemCount()) {
        QTreeWidgetItem* row = list_->topLevelItem(curIndex_);
        list_->setCurrentItem(row);
        list_->scrollToItem(row);
    }
}

bool TOrderSelectionForm::LoadFromFile(const std::string& fileName) {
    bool converted = false;
    auto loaded = std::make_unique<TkvfOrderSelection>();
    if (!loaded->LoadFromFile(fileName, converted, ctx_.prompter))
        return false;
    selection_ = std::move(loaded);
    fileName_ = fileName;
    isNew_ = false;
    savedNo_ = selection_->SelNo;
    modified_ = converted;
    publishPricing();
    list_->clear();
    for (int i = 0; i < selection_->Count(); ++i)
        writeRow(i, false);
    curIndex_ = selection_->Count() > 0 ? 0 : -1;
    focusCurrent();
    setWindowTitle(qs(fileName_));
    updateStatus();
    updateState();
    return true;
}

void TOrderSelectionForm::OrderPropertiesRequest() {
    PropertyItemClick();
}

void TOrderSelectionForm::PropertyItemClick() {
    CatalogLookups lookups(*ctx_.Dm);
    std::unique_ptr<TSelectionPropDlg> dialog;
    {
        BusyCursor busy(ctx_.prompter);
        dialog = std::make_unique<TSelectionPropDlg>(ctx_.Setup, lookups, ctx_.prompter, this);
    }
    if (dialog->Run(*selection_)) {
        publishPricing();
        modified_ = true;
    }
    dialog.reset();
    updateStatus();
    updateState();
    if (sourceRegistry_)
        QMetaObject::invokeMethod(this, &TOrderSelectionForm::AddRegistryOrders, Qt::QueuedConnection);
}

void TOrderSelectionForm::AddRegistryOrders() {
    QPointer<TOrderListForm> registry = sourceRegistry_;
    sourceRegistry_ = nullptr;
    if (!registry || !registry->TableOpen())
        return;
    BusyCursor busy(ctx_.prompter);
    registry->SetTableControlsEnabled(false);
    for (const auto& [no, stored] : registry->MarkedOrders()) {
        const std::string path = OrderFileOnDisk(ctx_.Paths.OrdersDir, stored);
        if (QFileInfo(qs(path)).isFile())
            AddOrderFile(path);
        else
            ctx_.prompter.Error("Невозможно найти файл заказа № " + no + "!\r\nФайл: " + path + ".");
    }
    registry->ClearMarks();
    registry->SetTableControlsEnabled(true);
}

void TOrderSelectionForm::AddOrderItemClick() {
    const QStringList files = ChooseOrderFiles(this, ctx_.Paths.OrdersDir);
    if (files.isEmpty())
        return;
    BusyCursor busy(ctx_.prompter);
    for (const QString& file : files)
        AddOrderFile(file.toStdString());
}

void TOrderSelectionForm::AddOrderFile(const std::string& file) {
    const std::vector<SelectionChange> changes =
        AddOrderFileToSelection(*selection_, file, ctx_.Paths.OrdersDir, ctx_.prompter);
    for (const SelectionChange& change : changes) {
        writeRow(change.Index, !change.Added);
        curIndex_ = change.Index;
    }
    focusCurrent();
    if (!changes.empty())
        setModified();
}

void TOrderSelectionForm::DeletePosItemClick() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || !ctx_.prompter.Confirm("Удалить позицию?"))
        return;
    selection_->DeleteItem(row);
    {
        const QSignalBlocker block(list_);
        delete list_->takeTopLevelItem(row);
    }
    curIndex_ = std::min(row, selection_->Count() - 1);
    focusCurrent();
    setModified();
}

void TOrderSelectionForm::RefreshSelectionItemClick() {
    if (!ctx_.prompter.Confirm("Обновить данные выборки?"))
        return;
    {
        BusyCursor busy(ctx_.prompter);
        selection_->Refresh(false, ctx_.Paths.OrdersDir, ctx_.prompter);
    }
    rewriteRows();
    setModified();
}

void TOrderSelectionForm::headerClicked(int section) {
    switch (section) {
    case IncludedColumn: {
        if (selection_->Count() == 0)
            return;
        const bool included = list_->topLevelItem(0)->checkState(IncludedColumn) != Qt::Checked;
        for (auto& item : selection_->Items)
            item->Included = included;
        for (int i = 0; i < selection_->Count(); ++i)
            writeRow(i, true);
        setModified();
        break;
    }
    case OrderColumn:
        sortBy(&TkvfOrderSelection::SortByOrderNo);
        break;
    case PosColumn:
        sortBy(&TkvfOrderSelection::SortByPosNo);
        break;
    case NameColumn:
        sortBy(&TkvfOrderSelection::SortByName);
        break;
    case FileColumn:
        sortBy(&TkvfOrderSelection::SortByFile);
        break;
    default:
        break;
    }
}

void TOrderSelectionForm::itemChecked(QTreeWidgetItem* row, int column) {
    const int index = list_->indexOfTopLevelItem(row);
    if (column != IncludedColumn || index < 0)
        return;
    const bool included = row->checkState(IncludedColumn) == Qt::Checked;
    if (selection_->Item(index).Included != included) {
        selection_->Item(index).Included = included;
        setModified();
    }
}

void TOrderSelectionForm::sortBy(void (TkvfOrderSelection::*sort)()) {
    ((*selection_).*sort)();
    rewriteRows();
    setModified();
}

void TOrderSelectionForm::moveItem(int from, int to) {
    auto item = std::move(selection_->Items[static_cast<size_t>(from)]);
    selection_->Items.erase(selection_->Items.begin() + from);
    selection_->Items.insert(selection_->Items.begin() + to, std::move(item));
    curIndex_ = to;
    rewriteRows();
    setModified();
}

bool TOrderSelectionForm::SaveToFile(const std::string& fileName) {
    return Save(!isNew_ && fileName == fileName_ ? std::string() : fileName);
}

std::string TOrderSelectionForm::chooseNewName() {
    QFileDialog dialog(this, QString::fromUtf8("Сохранить выборку..."));
    dialog.setObjectName("SaveOrderDlg");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QString::fromUtf8("Выборка (*.kfs370)"), QString::fromUtf8("Все файлы (*.*)")});
    dialog.setDefaultSuffix("kfs370");
    dialog.setDirectory(qs(ctx_.Paths.SelectionDir));
    dialog.selectFile(qs(SanitizeFileName(selection_->SelNo, '_')));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front().toStdString();
}

bool TOrderSelectionForm::Save(const std::string& file) {
    if (selection_->SelNo.empty()) {
        ctx_.prompter.Error("Не указан номер заказа!");
        QMetaObject::invokeMethod(this, &TOrderSelectionForm::OrderPropertiesRequest, Qt::QueuedConnection);
        return false;
    }
    if (!file.empty()) {
        if (!selection_->SaveToFile(file, ctx_.prompter))
            return false;
        fileName_ = file;
        isNew_ = false;
    } else {
        std::string target = fileName_;
        if (!SameText(savedNo_, selection_->SelNo) &&
            ctx_.prompter.Confirm("Изменился номер выборки. Переименовать файл согласно нового номера?")) {
            target = chooseNewName();
            if (target.empty())
                return false;
        }
        if (!selection_->SaveToFile(fileName_, ctx_.prompter))
            return false;
        if (!SameText(target, fileName_)) {
            std::error_code error;
            std::filesystem::rename(fileName_, target, error);
            if (error)
                ctx_.prompter.Error("Ошибка переноса файла!");
            else
                fileName_ = target;
        }
    }
    setWindowTitle(qs(fileName_));
    modified_ = false;
    savedNo_ = selection_->SelNo;
    updateState();
    updateStatus();
    return true;
}

void TOrderSelectionForm::closeEvent(QCloseEvent* event) {
    if (modified_) {
        switch (ctx_.prompter.YesNoCancel("Сохранить выборку?")) {
        case YesNoCancelAnswer::Cancel:
            event->ignore();
            return;
        case YesNoCancelAnswer::Yes:
            if (!(isNew_ ? main_.SaveChildAs(*this) : main_.SaveChild(*this))) {
                event->ignore();
                return;
            }
            break;
        case YesNoCancelAnswer::No:
            break;
        }
    }
    main_.SetStatusPanel(2, {});
    main_.SetStatusPanel(3, {});
    event->accept();
}

} // namespace kvf

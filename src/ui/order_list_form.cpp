#include "ui/order_list_form.h"

#include "base/prompter.h"
#include "base/text.h"
#include "catalog/order_registry.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/setup.h"
#include "ui/app_context.h"
#include "ui/main_form.h"
#include "ui/order_file_dialog.h"
#include "ui/order_list_model.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace kvf {

namespace {

QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string str(const QString& s) {
    return s.toStdString();
}

// The memo's lines joined with CR LF, as the note is stored.
std::string noteText(const QPlainTextEdit& memo) {
    std::string text = str(memo.toPlainText());
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

} // namespace

TOrderListForm::TOrderListForm(TAppContext& ctx, TMainForm& main, QWidget* parent)
    : QWidget(parent), ctx_(ctx), main_(main), table_(ctx.Dm->T_OrderList) {
    setObjectName("OrderListForm");
    setWindowTitle(QString::fromUtf8("Реестр заказов"));

    pages_ = new QTabWidget(this);
    pages_->setObjectName("PC");
    pages_->setTabPosition(QTabWidget::South);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages_);

    auto* listPage = new QWidget;
    listPage->setObjectName("TS_OrderList");
    model_ = new TOrderListModel(this);
    grid_ = new QTableView(listPage);
    grid_->setObjectName("OrderGrid");
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setAlternatingRowColors(true);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->verticalHeader()->hide();
    grid_->horizontalHeader()->setSectionsClickable(true);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->setColumnWidth(TOrderListModel::SelectedColumn, 40);
    grid_->setColumnWidth(TOrderListModel::NoColumn, 120);
    grid_->setColumnWidth(TOrderListModel::RegDateColumn, 90);
    grid_->setColumnWidth(TOrderListModel::CustomerColumn, 220);
    grid_->setColumnWidth(TOrderListModel::ObjectColumn, 220);
    grid_->installEventFilter(this);
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(grid_);
    pages_->addTab(listPage, QString::fromUtf8("Реестр заказов"));

    auto* orderPage = new QWidget;
    orderPage->setObjectName("TS_Order");
    auto* form = new QFormLayout(orderPage);
    auto edit = [&](const char* name, const char* caption) {
        auto* e = new QLineEdit(orderPage);
        e->setObjectName(name);
        e->setReadOnly(true);
        form->addRow(QString::fromUtf8(caption), e);
        return e;
    };
    idEdit_ = edit("IDEdit", "Номер заказа");
    customerEdit_ = edit("CustomerEdit", "Заказчик");
    phoneEdit_ = edit("wwDBEdit5", "Телефон");
    objectEdit_ = edit("wwDBEdit1", "Объект");
    addressEdit_ = edit("wwDBEdit4", "Адрес");
    orderFileEdit_ = edit("OrderFileEdit", "Файл заказа");
    orderFileEdit_->setReadOnly(false);
    orderFileEdit_->installEventFilter(this);
    memo_ = new QPlainTextEdit(orderPage);
    memo_->setObjectName("Memo");
    memo_->installEventFilter(this);
    form->addRow(QString::fromUtf8("Примечание"), memo_);
    pages_->addTab(orderPage, QString::fromUtf8("Реквизиты"));
    connect(pages_, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1)
            loadDetails();
    });

    orderListMenu_ = new QMenu(QString::fromUtf8("&Реестр заказов"), this);
    orderListMenu_->setObjectName("OrderListMenu");
    addItem(orderListMenu_, "RegistrateOrderItem", "Зарегистрировать заказ",
            &TOrderListForm::RegistrateOrderItemClick);
    addItem(orderListMenu_, "OpenRegOrderItem", "Открыть заказ", &TOrderListForm::OpenSelectedRequest);
    addItem(orderListMenu_, "DeleteRegOrderItem", "&Удалить заказ", &TOrderListForm::DeleteRegisteredCommand);
    addItem(orderListMenu_, "MoveToArchiveItem", "Перенести в архив",
            &TOrderListForm::MoveToArchiveItemClick);
    addItem(orderListMenu_, "RefreshLinkItem", "Обновить данные", &TOrderListForm::RefreshLinkItemClick);
    orderListMenu_->addSeparator();
    addItem(orderListMenu_, "ClearOrderListItem", "Очистить реестр",
            &TOrderListForm::ClearOrderListItemClick);
    orderListMenu_->addSeparator();
    addItem(orderListMenu_, "FindOrderItem", "Найти...", &TOrderListForm::FindOrderItemClick,
            QKeySequence(Qt::CTRL | Qt::Key_F));

    sortMenu_ = new QMenu(QString::fromUtf8("Сортировать"), this);
    sortMenu_->setObjectName("SortMenu");
    sortGroup_ = new QActionGroup(this);
    const std::pair<const char*, const char*> sorts[] = {{"SortNoItem", "По номеру заказа"},
                                                         {"SortDateItem", "По дате"},
                                                         {"SortCustomerItem", "По Ф.И.О. заказчика"},
                                                         {"SortObjectItem", "По наименованию объекта"}};
    const char* const indexes[] = {"", "Date", "CustName", "ObjName"};
    for (size_t i = 0; i < std::size(sorts); ++i) {
        QAction* action = sortMenu_->addAction(QString::fromUtf8(sorts[i].second));
        action->setObjectName(sorts[i].first);
        action->setCheckable(true);
        sortGroup_->addAction(action);
        connect(action, &QAction::triggered, this,
                [this, index = std::string(indexes[i])] { SortBy(index); });
        items_.emplace_back(sorts[i].first, action);
    }
    Item("SortNoItem")->setChecked(true);

    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TOrderListForm::headerClicked);
    connect(grid_, &QTableView::clicked, this, &TOrderListForm::gridClicked);
    connect(grid_, &QTableView::doubleClicked, this, [this] { OpenSelectedRequest(); });

    try {
        if (!table_.Active())
            table_.Open();
        tableOpen_ = true;
    } catch (const std::exception& e) {
        ctx_.prompter.Error("Ошибка открытия файла [" + table_.TableName() + "]\r\n(" + e.what() + ")");
    }
    if (tableOpen_) {
        table_.SetIndexName("");
        table_.First();
        model_->Reload(table_);
    }
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TOrderListForm::currentRowChanged);
    if (model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(0, TOrderListModel::NoColumn));
    setFocusProxy(grid_);
    UpdateState();
}

TOrderListForm::~TOrderListForm() {
    if (!tableOpen_)
        return;
    try {
        table_.Close();
    } catch (const std::exception& e) {
        ctx_.prompter.Error("Ошибка закрытия файла [" + table_.TableName() + "]\r\n(" + e.what() + ")");
    }
}

QAction* TOrderListForm::addItem(QMenu* menu, const char* name, const char* caption,
                                 void (TOrderListForm::*slot)(), const QKeySequence& shortcut) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action);
    connect(action, &QAction::triggered, this, [this, slot] { (this->*slot)(); });
    items_.emplace_back(name, action);
    return action;
}

QAction* TOrderListForm::Item(const QString& name) const {
    for (const auto& [n, action] : items_)
        if (n == name)
            return action;
    return nullptr;
}

QList<QMenu*> TOrderListForm::MergedMenus() {
    return {orderListMenu_, sortMenu_};
}

bool TOrderListForm::TableOpen() const {
    return tableOpen_ && table_.Active();
}

int TOrderListForm::SelectedCount() const {
    return static_cast<int>(model_->Marks().size());
}

void TOrderListForm::UpdateState() {
    const bool rows = model_->rowCount() > 0;
    for (const char* name :
         {"OpenRegOrderItem", "DeleteRegOrderItem", "MoveToArchiveItem", "RefreshLinkItem"})
        Item(name)->setEnabled(rows);
    orderFileEdit_->setReadOnly(!rows);
    memo_->setReadOnly(!rows);
    if (main_.ActiveChild() == this)
        main_.MenuUpdate();
}

void TOrderListForm::UpdateMainMenu(TMainForm& main) {
    const bool rows = model_->rowCount() > 0;
    main.SetStatusPanel(0, QString::fromUtf8("Заказов: %1").arg(model_->rowCount()));
    main.OrderLstToolBar()->setVisible(true);
    main.Item("RegistrateOrderBut")->setEnabled(true);
    main.Item("OpenRegOrderBut")->setEnabled(Item("OpenRegOrderItem")->isEnabled());
    main.Item("DeleteRegOrderBut")->setEnabled(Item("DeleteRegOrderItem")->isEnabled());
    main.Item("MoveToArchiveBut")->setEnabled(Item("MoveToArchiveItem")->isEnabled());
    for (const char* name :
         {"NavFirst", "NavPrior", "NavNext", "NavLast", "NavEdit", "NavPost", "NavCancel", "NavRefresh"})
        main.Item(name)->setEnabled(rows);
    if (pages_->currentIndex() == 0)
        grid_->setFocus();
}

void TOrderListForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shown_) {
        shown_ = true;
        if (auto* window = qobject_cast<QMdiSubWindow*>(parentWidget()))
            window->move(0, 0);
    }
}

void TOrderListForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isVisible())
        return;
    QWidget* window = parentWidget() != nullptr ? parentWidget() : this;
    ctx_.Setup.TechnologOrderWinState = window->isMinimized() ? 1 : window->isMaximized() ? 2 : 0;
}

bool TOrderListForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
            DeleteOrders(false);
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            OpenSelectedRequest();
            return true;
        }
        if (key->key() == Qt::Key_Space && grid_->currentIndex().isValid()) {
            model_->ToggleMark(grid_->currentIndex().row());
            return true;
        }
    }
    if ((watched == orderFileEdit_ || watched == memo_) && event->type() == QEvent::FocusOut)
        postDetails();
    return QWidget::eventFilter(watched, event);
}

void TOrderListForm::OpenSelectedRequest() {
    QMetaObject::invokeMethod(this, &TOrderListForm::OpenRegOrder, Qt::QueuedConnection);
}

void TOrderListForm::OpenRegOrder() {
    if (!TableOpen() || table_.IsEmpty() || table_.RecNo() < 0)
        return;
    const std::string path = OrderFileOnDisk(ctx_.Paths.OrdersDir, table_.AsString("OrderFile"));
    if (!QFileInfo(qs(path)).isFile()) {
        ctx_.prompter.Error("Невозможно найти файл заказа № " + table_.AsString("No") + "!\r\nФайл: " + path +
                            ".");
        return;
    }
    if (ctx_.Children == nullptr || !ctx_.Children->Supports(ChildKind::Order))
        return;
    BusyCursor busy(ctx_.prompter);
    if (TChildWindow* child = ctx_.Children->CreateOrderWindow(main_, path))
        main_.AddChild(child);
}

void TOrderListForm::RegistrateOrderItemClick() {
    if (!TableOpen())
        return;
    pages_->setCurrentIndex(0);
    const QStringList files = ChooseOrderFiles(this, ctx_.Paths.OrdersDir);
    if (files.isEmpty())
        return;
    std::vector<std::string> names;
    for (const QString& file : files)
        names.push_back(str(file));
    {
        BusyCursor busy(ctx_.prompter);
        SetTableControlsEnabled(false);
        RegisterOrderFiles(table_.GetDatabase(), names, ctx_.Paths.OrdersDir, ctx_.prompter);
        RefreshTable();
        SetTableControlsEnabled(true);
    }
    UpdateState();
}

void TOrderListForm::RefreshLinkItemClick() {
    if (!TableOpen() || table_.IsEmpty() || !ctx_.prompter.Confirm("Обновить данные по заказу?"))
        return;
    {
        BusyCursor busy(ctx_.prompter);
        RefreshRegistryRow(table_.GetDatabase(), currentNo(), ctx_.Paths.OrdersDir, ctx_.prompter);
        RefreshTable();
    }
    UpdateState();
}

void TOrderListForm::DeleteOrders(bool confirm) {
    if (!TableOpen() || table_.IsEmpty() || (confirm && !ctx_.prompter.Confirm("Удалить заказ?")))
        return;
    removeOrders(false);
}

void TOrderListForm::MoveToArchiveItemClick() {
    if (!TableOpen() || table_.IsEmpty() ||
        !ctx_.prompter.Confirm("Поместить заказ в архив и удалить его из реестра?"))
        return;
    removeOrders(true);
}

void TOrderListForm::removeOrders(bool archive) {
    std::vector<std::string> numbers;
    for (const auto& [no, file] : MarkedOrders())
        numbers.push_back(no);
    if (numbers.empty())
        numbers.push_back(currentNo());
    {
        BusyCursor busy(ctx_.prompter);
        RemoveRegistryRows(table_.GetDatabase(), numbers,
                           archive ? RemovalKind::Archive : RemovalKind::Delete, ctx_.Setup.MoveToRecycled,
                           {ctx_.Paths.OrdersDir, ctx_.Paths.RecycledDir, ctx_.Paths.ArchiveDir},
                           ctx_.prompter);
        model_->ClearMarks();
        RefreshTable();
    }
    UpdateState();
}

void TOrderListForm::ClearOrderListItemClick() {
    if (!TableOpen() || table_.IsEmpty() ||
        !ctx_.prompter.Confirm("Очистить реестр заказов не удаляя файлы заказов?"))
        return;
    ClearRegistry(table_.GetDatabase(), ctx_.prompter);
    RefreshTable();
    UpdateState();
}

void TOrderListForm::FindOrderItemClick() {
    if (!TableOpen())
        return;
    const int column = grid_->currentIndex().isValid() ? grid_->currentIndex().column() : -1;
    RegistryFindField field = RegistryFindField::No;
    const char* prompt = "Номер заказа";
    if (column == TOrderListModel::CustomerColumn) {
        field = RegistryFindField::Customer;
        prompt = "Заказчик";
    } else if (column == TOrderListModel::ObjectColumn) {
        field = RegistryFindField::Object;
        prompt = "Объект";
    }
    const std::optional<std::string> text = ctx_.prompter.InputText("Поиск", prompt, "");
    if (!text)
        return;
    if (FindRegistryRow(table_, field, *text))
        goToRowId(table_.RowId());
}

void TOrderListForm::SortBy(const std::string& indexName) {
    if (!TableOpen())
        return;
    const int64_t current = table_.RecNo() >= 0 ? table_.RowId() : -1;
    table_.SetIndexName(indexName);
    model_->Reload(table_);
    const char* item = indexName == "Date"       ? "SortDateItem"
                       : indexName == "CustName" ? "SortCustomerItem"
                       : indexName == "ObjName"  ? "SortObjectItem"
                                                 : "SortNoItem";
    Item(item)->setChecked(true);
    goToRowId(current);
}

void TOrderListForm::headerClicked(int section) {
    switch (section) {
    case TOrderListModel::SelectedColumn:
        if (model_->Marks().empty())
            model_->MarkAll();
        else
            model_->ClearMarks();
        break;
    case TOrderListModel::RegDateColumn:
        SortBy("Date");
        break;
    case TOrderListModel::CustomerColumn:
        SortBy("CustName");
        break;
    case TOrderListModel::ObjectColumn:
        SortBy("ObjName");
        break;
    default:
        SortBy("");
        break;
    }
}

void TOrderListForm::gridClicked(const QModelIndex& index) {
    if (!index.isValid())
        return;
    const Qt::KeyboardModifiers modifiers = QApplication::keyboardModifiers();
    if (index.column() == TOrderListModel::SelectedColumn || modifiers & Qt::ControlModifier) {
        model_->ToggleMark(index.row());
    } else if (modifiers & Qt::ShiftModifier && anchorRow_ >= 0 && anchorRow_ < model_->rowCount()) {
        const int step = index.row() >= anchorRow_ ? 1 : -1;
        for (int row = anchorRow_;; row += step) {
            model_->Mark(row);
            if (row == index.row())
                break;
        }
        return;
    }
    anchorRow_ = index.row();
}

void TOrderListForm::currentRowChanged() {
    postDetails();
    const QModelIndex current = grid_->currentIndex();
    if (current.isValid() && TableOpen())
        table_.GotoRowId(model_->At(current.row()).RowId);
    loadDetails();
}

void TOrderListForm::goToRowId(int64_t rowId) {
    const int row = rowId >= 0 ? model_->RowOf(rowId) : -1;
    const int column =
        grid_->currentIndex().isValid() ? grid_->currentIndex().column() : TOrderListModel::NoColumn;
    if (row >= 0)
        grid_->setCurrentIndex(model_->index(row, column));
    else if (model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(0, column));
    if (grid_->currentIndex().isValid())
        grid_->scrollTo(grid_->currentIndex());
}

std::string TOrderListForm::currentNo() const {
    return TableOpen() && !table_.IsEmpty() && table_.RecNo() >= 0 ? table_.AsString("No") : std::string();
}

void TOrderListForm::loadDetails() {
    const bool row = TableOpen() && !table_.IsEmpty() && table_.RecNo() >= 0;
    auto field = [&](const char* name) { return row ? qs(table_.AsString(name)) : QString(); };
    idEdit_->setText(row ? qs(AnsiUpperCase(table_.AsString("No"))) : QString());
    customerEdit_->setText(field("Customer"));
    phoneEdit_->setText(field("Phone"));
    objectEdit_->setText(field("Object"));
    addressEdit_->setText(field("Address"));
    orderFileEdit_->setText(field("OrderFile"));
    std::string note = row ? table_.AsString("Note") : std::string();
    std::erase(note, '\r');
    memo_->setPlainText(qs(note));
}

void TOrderListForm::postDetails() {
    const std::string no = currentNo();
    if (no.empty() || idEdit_->text() != qs(AnsiUpperCase(no)))
        return;
    const std::string file = str(orderFileEdit_->text());
    const std::string note = noteText(*memo_);
    if (file == table_.AsString("OrderFile") && note == table_.AsString("Note"))
        return;
    if (SetRegistryDetails(table_.GetDatabase(), no, file, note, ctx_.prompter))
        RefreshTable();
}

void TOrderListForm::Navigate(NavigateButton button) {
    const int rows = model_->rowCount();
    const int row = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : -1;
    const int column =
        grid_->currentIndex().isValid() ? grid_->currentIndex().column() : TOrderListModel::NoColumn;
    auto go = [&](int target) {
        if (rows > 0)
            grid_->setCurrentIndex(model_->index(std::clamp(target, 0, rows - 1), column));
    };
    switch (button) {
    case NavigateButton::First:
        go(0);
        break;
    case NavigateButton::Prior:
        go(row - 1);
        break;
    case NavigateButton::Next:
        go(row + 1);
        break;
    case NavigateButton::Last:
        go(rows - 1);
        break;
    case NavigateButton::Edit:
        pages_->setCurrentIndex(1);
        memo_->setFocus();
        break;
    case NavigateButton::Post:
        postDetails();
        break;
    case NavigateButton::Cancel:
        loadDetails();
        break;
    case NavigateButton::Refresh:
        RefreshTable();
        UpdateState();
        break;
    }
}

std::vector<std::pair<std::string, std::string>> TOrderListForm::MarkedOrders() const {
    std::vector<std::pair<std::string, std::string>> orders;
    if (!TableOpen())
        return orders;
    const int64_t current = table_.RecNo() >= 0 ? table_.RowId() : -1;
    for (int64_t rowId : model_->Marks())
        if (table_.GotoRowId(rowId))
            orders.emplace_back(table_.AsString("No"), table_.AsString("OrderFile"));
    if (current >= 0)
        table_.GotoRowId(current);
    return orders;
}

void TOrderListForm::ClearMarks() {
    model_->ClearMarks();
}

void TOrderListForm::SetTableControlsEnabled(bool enabled) {
    grid_->setEnabled(enabled);
    orderFileEdit_->setEnabled(enabled);
    memo_->setEnabled(enabled);
}

void TOrderListForm::RefreshTable() {
    if (!TableOpen())
        return;
    const std::string no = currentNo();
    const int position = grid_->currentIndex().isValid() ? grid_->currentIndex().row() : 0;
    try {
        table_.Close();
        table_.Open();
    } catch (const std::exception& e) {
        tableOpen_ = false;
        ctx_.prompter.Error("Ошибка открытия файла [" + table_.TableName() + "]\r\n(" + e.what() + ")");
    }
    const QSignalBlocker block(grid_->selectionModel());
    model_->Reload(table_);
    if (!no.empty() && TableOpen() && table_.Locate("No", {Value{no}})) {
        goToRowId(table_.RowId());
    } else if (model_->rowCount() > 0) {
        grid_->setCurrentIndex(
            model_->index(std::min(position, model_->rowCount() - 1), TOrderListModel::NoColumn));
        table_.GotoRowId(model_->At(grid_->currentIndex().row()).RowId);
    }
    loadDetails();
}

} // namespace kvf

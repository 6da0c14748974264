#include "ui/order_form.h"

#include "base/names.h"
#include "base/prompter.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "config/setup.h"
#include "drawing/sketch.h"
#include "model/order.h"
#include "qt/qt_canvas.h"
#include "ui/app_context.h"
#include "ui/main_form.h"
#include "ui/position_clipboard.h"
#include "ui/position_list.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace kvf {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TOrderForm::TOrderForm(TMainForm& main, QWidget* parent)
    : QWidget(parent), main_(main), ctx_(main.Context()), order_(std::make_unique<TkvfOrder>()) {
    setObjectName("OrderForm");
    setWindowTitle(qs(fileName_));

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(false);
    for (int i = 0; i < 4; ++i) {
        statusPanels_[i] = new QLabel(statusBar_);
        statusPanels_[i]->setMinimumWidth(i < 3 ? 120 : 0);
        statusBar_->addWidget(statusPanels_[i], i == 3 ? 1 : 0);
    }

    listView_ = new TPositionList(this);
    constructionInfo_ = new QPlainTextEdit(this);
    constructionInfo_->setObjectName("ConstructionInfo");
    constructionInfo_->setReadOnly(true);
    constructionInfo_->setMaximumHeight(150);
    paintBox_ = new QWidget(this);
    paintBox_->setObjectName("PaintBox");
    paintBox_->setMinimumSize(200, 200);
    paintBox_->setAutoFillBackground(true);
    QPalette palette = paintBox_->palette();
    palette.setColor(QPalette::Window, Qt::white);
    paintBox_->setPalette(palette);
    paintBox_->installEventFilter(this);

    panel1_ = new QWidget(this);
    panel1_->setObjectName("Panel1");
    panel1_->installEventFilter(this);
    auto* panelLayout = new QVBoxLayout(panel1_);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->addWidget(constructionInfo_);
    panelLayout->addWidget(paintBox_, 1);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(listView_);
    splitter->addWidget(panel1_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(statusBar_);
    layout->addWidget(splitter, 1);

    createMenus();
    connect(listView_, &QTreeWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
    connect(listView_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem*, int column) {
        if (column == TPositionList::CheckColumn) {
            checkStateChanged();
        }
    });
    connect(listView_, &QTreeWidget::itemDoubleClicked, this, [this] { EditPosition(); });
    connect(listView_, &TPositionList::EnterPressed, this, [this] { EditPosition(); });
    connect(listView_, &TPositionList::RowDropped, this,
            [this](int from, int to) { MovePosition(from, to); });
    connect(listView_->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { headerClicked(section); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] { updateMenus(); });

    setDefaults();
    RefreshAll();
}

TOrderForm::~TOrderForm() = default;

void TOrderForm::setDefaults() {
    const TkvfSetup& setup = ctx_.Setup;
    TkvfOrder& order = *order_;
    order.ProfSys = setup.DefProfSys;
    order.FurnSys = setup.DefFurnSys;
    order.Handle = setup.DefHandle;
    order.Falz = setup.DefFalzType;
    order.Dorn = setup.DefDornType;
    order.StulpType = setup.DefStulpFalzType;
    order.OpenType = setup.DefFlugelType;
    order.Material = setup.DefMaterial;
    order.CurrencyID = setup.CurCurrency;
    order.PriceGroupNo = setup.PriceGrpNo;
    order.NDSTax = static_cast<float>(setup.NDSTax);
    order.GetTotalNDS = setup.TotalNDS;
    order.ShowIncludeNDS = setup.ShowIncludingNDS;
    if (auto catalog = lookups()) {
        // A catalog without these systems leaves the colours empty.
        try {
            order.InnerProfColor = catalog->GetSystemBaseColor(order.ProfSys);
            order.OuterProfColor = order.InnerProfColor;
            order.FurnColor = catalog->GetSystemBaseColor(order.FurnSys);
            catalog->LoadCurrencyRates(&order.Currencies);
        } catch (const std::exception&) {
        }
    }
}

std::unique_ptr<CatalogLookups> TOrderForm::lookups() const {
    if (ctx_.Dm == nullptr) {
        return nullptr;
    }
    return std::make_unique<CatalogLookups>(*ctx_.Dm,
                                            CatalogPricing{&order_->Currencies, order_->CurrencyID});
}

QAction* TOrderForm::addItem(QMenu* menu, const char* name, const QString& caption,
                             std::function<void()> action, const QKeySequence& shortcut) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setShortcut(shortcut);
    // The shortcuts work while this window has the focus, whichever window's menus are merged.
    item->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(item);
    connect(item, &QAction::triggered, this, [action = std::move(action)] { action(); });
    items_[name] = item;
    return item;
}

void TOrderForm::createMenus() {
    editMenu_ = new QMenu(QString::fromUtf8("&Редактировать"), this);
    editMenu_->setObjectName("EditMenu");
    addItem(
        editMenu_, "CopyItem", QString::fromUtf8("&Копировать"), [this] { CopyPositions(); },
        QKeySequence(Qt::CTRL | Qt::Key_C));
    addItem(
        editMenu_, "PasteItem", QString::fromUtf8("&Вставить"), [this] { PastePositions(); },
        QKeySequence(Qt::CTRL | Qt::Key_V));
    addItem(
        editMenu_, "SelectAllItem", QString::fromUtf8("&Выделить все"), [this] { SelectAll(); },
        QKeySequence(Qt::CTRL | Qt::Key_A));
    editMenu_->addSeparator();
    addItem(editMenu_, "ClearOrderItem", QString::fromUtf8("Очистить "), [this] { ClearOrder(); });
    editMenu_->addSeparator();
    addItem(editMenu_, "MergeItem", QString::fromUtf8("&Добавить из файла..."), [this] { MergeFromFile(); });

    orderMenu_ = new QMenu(QString::fromUtf8("&Заказ"), this);
    orderMenu_->setObjectName("OrderMenu");
    addItem(orderMenu_, "PropertyItem", QString::fromUtf8("&Реквизиты..."),
            [this] { PostOrderPropertiesRequest(); });
    orderMenu_->addSeparator();
    addItem(
        orderMenu_, "NewPosItem", QString::fromUtf8("Новая позиция..."), [this] { NewPosition(); },
        QKeySequence(Qt::Key_Insert));
    addItem(orderMenu_, "EditPosItem", QString::fromUtf8("Изменить позицию ..."), [this] { EditPosition(); });
    addItem(
        orderMenu_, "DeletePosItem", QString::fromUtf8("&Удалить позицию"), [this] { DeletePosition(); },
        QKeySequence(Qt::CTRL | Qt::Key_Delete));
    orderMenu_->addSeparator();
    addItem(
        orderMenu_, "RecalcItem", QString::fromUtf8("Пересчитать"), [this] { Recalculate(); },
        QKeySequence(Qt::CTRL | Qt::Key_R));
    addItem(orderMenu_, "RegistrateItem", QString::fromUtf8("Зарегистрировать"), [this] { Register(true); });
    QMenu* sortMenu = orderMenu_->addMenu(QString::fromUtf8("Сортировать"));
    sortMenu->setObjectName("SortPosMenu");
    addItem(sortMenu, "SortPosItem", QString::fromUtf8("По позициям"), [this] { SortByNo(); });
    addItem(sortMenu, "SortNameItem", QString::fromUtf8("По изделиям"), [this] { SortByName(); });

    serviceMenu_ = new QMenu(QString::fromUtf8("Сервис"), this);
    serviceMenu_->setObjectName("ServiceMenu");
    QMenu* exportMenu = serviceMenu_->addMenu(QString::fromUtf8("Экспорт в специальном формате"));
    exportMenu->setObjectName("SpecExportMenu");
    // The supplier exports are not part of this program yet: their entries show, disabled.
    for (auto [name, caption] :
         {std::pair{"ExportTBMItem", "Формат \"ТБМ Навигатор\""},
          std::pair{"ExportVorneItem", "Формат \"ВорнеБела\""}, std::pair{"ExportXMLItem", "Формат XML"}}) {
        QAction* item = exportMenu->addAction(QString::fromUtf8(caption));
        item->setObjectName(name);
        item->setEnabled(false);
        items_[name] = item;
    }
}

QAction* TOrderForm::Item(const QString& name) const {
    const auto it = items_.find(name);
    return it == items_.end() ? nullptr : it->second;
}

QList<QMenu*> TOrderForm::MergedMenus() {
    return {editMenu_, orderMenu_, serviceMenu_};
}

std::string TOrderForm::DefaultFileName() const {
    return SanitizeFileName(order_->OrderNo, '_');
}

QString TOrderForm::currencyText() const {
    if (auto catalog = lookups()) {
        try {
            return qs(catalog->GetCurrencyName(order_->CurrencyID));
        } catch (const std::exception&) {
        }
    }
    return {};
}

void TOrderForm::PublishPricingContext() {
    PricingContext& pricing = ctx_.Setup.Pricing;
    pricing.Clear();
    for (const auto& item : order_->Currencies) {
        pricing.Currencies.push_back({item->CurrencyID, item->Rate});
    }
    pricing.Currency = order_->CurrencyID;
    pricing.NDSTax = order_->NDSTax;
    setWindowTitle(qs(fileName_));
}

void TOrderForm::UpdateMainMenu(TMainForm& main) {
    PublishPricingContext();
    main.Item("SaveItem")->setEnabled(unsaved_);
    main.Item("SaveAllItem")->setEnabled(unsaved_);
    main.Item("SaveAsItem")->setEnabled(true);
    main.Item("SaveBut")->setEnabled(unsaved_);
    main.OrderToolBar()->setVisible(true);
    main.OrderLstToolBar()->setVisible(false);
    main.Item("OrderPropBut")->setEnabled(true);
    main.Item("NewPosBut")->setEnabled(Item("NewPosItem")->isEnabled());
    main.Item("EditPosBut")->setEnabled(Item("EditPosItem")->isEnabled());
    main.Item("DeletePosBut")->setEnabled(Item("DeletePosItem")->isEnabled());
}

void TOrderForm::updateMenus() {
    const bool selected = selected_ >= 0 && selected_ < order_->Count();
    const bool printable = order_->HasIncluded();
    Item("CopyItem")->setEnabled(selected);
    Item("EditPosItem")->setEnabled(selected);
    Item("DeletePosItem")->setEnabled(selected);
    Item("PasteItem")->setEnabled(HasPositions(QApplication::clipboard()->mimeData()));
    Item("SelectAllItem")->setEnabled(order_->Count() > 0);
    Item("NewPosItem")->setEnabled(true);
    Item("MergeItem")->setEnabled(true);
    Item("RecalcItem")->setEnabled(printable);
    if (main_.ActiveChild() == this) {
        UpdateMainMenu(main_);
    }
}

void TOrderForm::refreshList() {
    filling_ = true;
    listView_->Fill(*order_, currencyText());
    if (selected_ >= order_->Count()) {
        selected_ = -1;
    }
    listView_->SelectIndex(selected_);
    filling_ = false;
    fillConstructionInfo();
    paintBox_->update();
}

void TOrderForm::refreshStatusBar() {
    statusPanels_[0]->setText(qs(order_->OrderNo));
    statusPanels_[1]->setText(qs(order_->Customer));
    statusPanels_[2]->setText(qs(order_->ObjectName));
}

void TOrderForm::RefreshAll() {
    refreshList();
    refreshStatusBar();
    setWindowTitle(qs(fileName_));
    updateMenus();
}

void TOrderForm::selectionChanged() {
    if (filling_) {
        return;
    }
    selected_ = listView_->CurrentIndex();
    fillConstructionInfo();
    paintBox_->update();
    updateMenus();
}

void TOrderForm::checkStateChanged() {
    if (filling_) {
        return;
    }
    for (int i = 0; i < listView_->topLevelItemCount() && i < order_->Count(); ++i) {
        const bool checked =
            listView_->topLevelItem(i)->checkState(TPositionList::CheckColumn) == Qt::Checked;
        if (checked != order_->Position(i).Included) {
            order_->Position(i).Included = checked;
            unsaved_ = true;
            break;
        }
    }
    updateMenus();
}

void TOrderForm::ToggleAllIncluded() {
    const bool include = order_->Count() == 0 || !order_->Position(0).Included;
    for (const auto& position : order_->Positions) {
        position->Included = include;
    }
    if (order_->Count() > 0) {
        unsaved_ = true;
    }
    refreshList();
    updateMenus();
}

void TOrderForm::headerClicked(int section) {
    switch (section) {
    case TPositionList::CheckColumn:
        ToggleAllIncluded();
        break;
    case TPositionList::NoColumn:
        SortByNo();
        break;
    case TPositionList::NameColumn:
        SortByName();
        break;
    default:
        break;
    }
}

void TOrderForm::fillConstructionInfo() {
    constructionInfo_->clear();
    if (selected_ < 0 || selected_ >= order_->Count()) {
        return;
    }
    auto catalog = lookups();
    if (!catalog) {
        return;
    }
    const TkvfConstruction& position = order_->Position(selected_);
    // The panel is informative: a lookup that fails leaves it as far as it got.
    try {
        QStringList lines;
        lines << QString::fromUtf8("Фурнитура: %1").arg(qs(catalog->GetSystemName(position.FurnSys)));
        lines << QString::fromUtf8("Профиль: %1").arg(qs(catalog->GetSystemName(position.ProfSys)));
        lines << QString::fromUtf8("Цвет: %1").arg(qs(catalog->GetColorName(position.Color)));
        lines << QString::fromUtf8("Фальц: %1").arg(qs(catalog->GetFalzName(position.Falz)));
        lines << QString::fromUtf8("Дорнмасс (ств 1 / ств 2): %1 / %2")
                     .arg(qs(catalog->GetDornName(position.LeftFlugel.Dorn)),
                          qs(catalog->GetDornName(position.RightFlugel.Dorn)));
        lines << QString::fromUtf8("Тип штульпа: %1").arg(qs(catalog->GetStulpName(position.StulpType)));
        lines << QString::fromUtf8("Тип створки: %1").arg(qs(catalog->GetOpenName(position.OpenType)));
        std::vector<std::string> names;
        position.ListFittingNames(*catalog, names);
        for (const std::string& name : names) {
            lines << qs(name);
        }
        constructionInfo_->setPlainText(lines.join('\n'));
    } catch (const std::exception&) {
    }
    constructionInfo_->moveCursor(QTextCursor::Start);
}

void TOrderForm::paintSketch() {
    if (selected_ < 0 || selected_ >= order_->Count()) {
        return;
    }
    QPainter painter(paintBox_);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QtCanvas canvas(painter);
    Draw(canvas, order_->Position(selected_), 0, 0, paintBox_->width(), paintBox_->height(), 1, soAll);
}

bool TOrderForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == paintBox_ && event->type() == QEvent::Paint) {
        paintSketch();
        return true;
    }
    if (watched == panel1_ && event->type() == QEvent::MouseButtonRelease) {
        PostOrderPropertiesRequest();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TOrderForm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (auto* window = parentWidget(); window != nullptr && window->isVisible()) {
        ctx_.Setup.TechnologOrderWinState = window->isMinimized() ? 1 : window->isMaximized() ? 2 : 0;
    }
}

void TOrderForm::closeEvent(QCloseEvent* event) {
    if (unsaved_) {
        switch (ctx_.prompter.YesNoCancel("Сохранить заказ?")) {
        case YesNoCancelAnswer::Yes:
            if (!main_.SaveChild(*this)) {
                event->ignore();
                return;
            }
            break;
        case YesNoCancelAnswer::No:
            break;
        case YesNoCancelAnswer::Cancel:
            event->ignore();
            return;
        }
    }
    event->accept();
}

void TOrderForm::SelectAll() {
    listView_->selectAll();
}

} // namespace kvf

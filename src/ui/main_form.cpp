#include "ui/main_form.h"

#include "base/ole_date.h"
#include "base/prompter.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/setup.h"
#include "ui/about_dlg.h"
#include "ui/app_context.h"
#include "ui/catalog_dlg.h"
#include "ui/currency_dlg.h"
#include "ui/firm_info_dlg.h"
#include "ui/ftp_setup_dlg.h"
#include "ui/last_currency_update.h"
#include "ui/options_dlg.h"
#include "ui/price_group_dlg.h"
#include "ui/report_designer.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace kvf {

namespace {

const char* const MainCaption = "Korvena ФУРНИТУРА";

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString todayText() {
    return qs(FormatDate(NowOle()));
}

// The commands a child enables in its own menu update.
const char* const ChildCommands[] = {
    "SaveItem",        "SaveAsItem",        "SaveAllItem",      "SaveBut",      "PrintBut",
    "OrderPropBut",    "NewPosBut",         "EditPosBut",       "DeletePosBut", "RegistrateOrderBut",
    "OpenRegOrderBut", "DeleteRegOrderBut", "MoveToArchiveBut", "NavFirst",     "NavPrior",
    "NavNext",         "NavLast",           "NavEdit",          "NavPost",      "NavCancel",
    "NavRefresh"};

// Adds the child create() makes (under a busy cursor) and, once the window
// is shown, asks it for the properties of the new order or selection.
template <class Create> void addNewChild(TMainForm& form, Prompter& prompter, Create create) {
    TChildWindow* child = nullptr;
    {
        BusyCursor busy(prompter);
        child = create();
        if (child != nullptr) {
            form.AddChild(child);
        }
    }
    if (child != nullptr) {
        QMetaObject::invokeMethod(
            child->Widget(), [child] { child->OrderPropertiesRequest(); }, Qt::QueuedConnection);
    }
}

} // namespace

TMainForm::TMainForm(TAppContext& context, QWidget* parent) : QMainWindow(parent), ctx_(context) {
    setObjectName("MainForm");
    setWindowTitle(QString("%1: [%2]").arg(QString::fromUtf8(MainCaption), qs(ctx_.Paths.ConfigName)));
    setMinimumSize(MinWidth, MinHeight);
    setGeometry(0, 0, MinWidth, MinHeight);

    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("ClientArea");
    setCentralWidget(mdi_);

    createMenus();
    createToolBars();
    createStatusBar();
    createNewsPanels();
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { MenuUpdate(); });
    MenuUpdate();
}

TMainForm::~TMainForm() {
    // Children still open go down with the window: no menu updates from here on.
    closingDown_ = true;
    disconnect(mdi_, nullptr, this, nullptr);
    if (ctx_.Dm != nullptr) {
        ctx_.Dm->CloseDatabases();
    }
    storeWindowState();
    delete printer_;
}

QAction* TMainForm::addItem(QMenu* menu, const char* name, const QString& caption,
                            std::function<void()> action, const QKeySequence& shortcut) {
    auto* item = new QAction(caption, this);
    item->setObjectName(name);
    item->setShortcut(shortcut);
    if (action) {
        connect(item, &QAction::triggered, this, [action = std::move(action)] { action(); });
    }
    if (menu != nullptr) {
        menu->addAction(item);
    }
    items_[name] = item;
    return item;
}

QAction* TMainForm::Item(const QString& name) const {
    auto found = items_.find(name);
    return found == items_.end() ? nullptr : found->second;
}

void TMainForm::createMenus() {
    const bool orders = ctx_.Children && ctx_.Children->Supports(ChildKind::Order);
    const bool selections = ctx_.Children && ctx_.Children->Supports(ChildKind::Selection);
    const bool registry = ctx_.Children && ctx_.Children->Supports(ChildKind::Registry);

    fileMenu_ = menuBar()->addMenu(QString::fromUtf8("&Файл"));
    fileMenu_->setObjectName("FileMenu");
    addItem(fileMenu_, "OrderListItem", QString::fromUtf8("Реестр заказов..."), [this] {
        OpenOrderList();
    })->setEnabled(registry);
    QMenu* newMenu = fileMenu_->addMenu(QString::fromUtf8("&Новый"));
    newMenu->setObjectName("NewMenu");
    items_["NewItem"] = newMenu->menuAction();
    newMenu->menuAction()->setObjectName("NewItem");
    newMenu->setEnabled(orders || selections);
    addItem(
        newMenu, "NewOrderItem", QString::fromUtf8("Заказ"), [this] { NewOrder(); },
        QKeySequence(Qt::CTRL | Qt::Key_N))
        ->setEnabled(orders);
    addItem(newMenu, "NewOrderSelectionItem", QString::fromUtf8("Выборка"), [this] {
        NewOrderSelection();
    })->setEnabled(selections);
    addItem(
        fileMenu_, "OpenItem", QString::fromUtf8("&Открыть..."), [this] { OpenFiles(0); },
        QKeySequence(Qt::CTRL | Qt::Key_O))
        ->setEnabled(orders || selections);
    fileMenu_->addSeparator();
    addItem(
        fileMenu_, "SaveItem", QString::fromUtf8("Сохранить"),
        [this] {
            withActive({ChildKind::Order, ChildKind::Selection}, [this](auto& c) { SaveChild(c); });
        },
        QKeySequence(Qt::CTRL | Qt::Key_S));
    addItem(fileMenu_, "SaveAsItem", QString::fromUtf8("&Сохранить как..."), [this] {
        withActive({ChildKind::Order, ChildKind::Selection}, [this](auto& c) { SaveChildAs(c); });
    });
    addItem(fileMenu_, "SaveAllItem", QString::fromUtf8("&Сохранить все"), [this] { SaveAll(); });
    fileMenu_->addSeparator();
    addItem(fileMenu_, "CloseItem", QString::fromUtf8("&Закрыть"), [this] { mdi_->closeActiveSubWindow(); });
    addItem(fileMenu_, "CloseAllItem", QString::fromUtf8("З&акрыть все"), [this] { CloseAll(); });
    fileMenu_->addSeparator();
    addItem(fileMenu_, "PrinterSetup", QString::fromUtf8("&Настройка принтера..."), [this] {
        QPrintDialog dialog(&Printer(), this);
        dialog.exec();
    });
    addItem(fileMenu_, "ReportDesignItem", QString::fromUtf8("Дизайнер отчетов..."), [this] {
        TReportDesigner designer(ctx_, this);
        designer.exec();
    });
    fileMenu_->addSeparator();
    addItem(
        fileMenu_, "ExitItem", QString::fromUtf8("&Выход"), [this] { close(); },
        QKeySequence(Qt::ALT | Qt::Key_X));

    settingsMenu_ = menuBar()->addMenu(QString::fromUtf8("&Установки"));
    settingsMenu_->setObjectName("SettingsMenu");
    const bool catalog = ctx_.Dm != nullptr;
    addItem(settingsMenu_, "CurrencyItem", QString::fromUtf8("Курсы валют на") + " " + todayText(), [this] {
        PostCurrencyRatesRequest();
    })->setEnabled(catalog);
    addItem(settingsMenu_, "FirmNameItem", QString::fromUtf8("Реквизиты фирмы..."), [this] {
        TFirmInfoDlg dialog(ctx_.Setup, this);
        dialog.exec();
    });
    addItem(settingsMenu_, "OptionsItem", QString::fromUtf8("&Настройка параметров..."), [this] {
        TOptionsDlg dialog(ctx_.Setup, this);
        dialog.exec();
    });
    addItem(settingsMenu_, "FTPItem", QString::fromUtf8("Настройка FTP..."), [this] {
        TFTPSetupDlg dialog(ctx_.Setup, this);
        dialog.exec();
    });
    addItem(settingsMenu_, "CatalogItem", QString::fromUtf8("Справочник комплектующих..."), [this] {
        TCatalogDlg dialog(*ctx_.Dm, ctx_.prompter, this);
        dialog.PlaceIn(mdi_->geometry());
        if (ctx_.Switches.DeveloperMode)
            dialog.SetOrdersFolder(ctx_.Paths.OrdersDir);
        dialog.exec();
    })->setEnabled(catalog);
    addItem(settingsMenu_, "PriceGrpItem", QString::fromUtf8("Ценовые группы..."), [this] {
        TPriceGroupDlg dialog(ctx_.Dm->T_PriceGrp, ctx_.Setup, ctx_.prompter, ctx_.ClipBoard, this);
        dialog.exec();
    })->setEnabled(catalog);

    windowMenu_ = menuBar()->addMenu(QString::fromUtf8("&Окно"));
    windowMenu_->setObjectName("WindowMenu");
    addItem(windowMenu_, "WindowCascadeItem", QString::fromUtf8("&Каскад"),
            [this] { mdi_->cascadeSubWindows(); });
    addItem(windowMenu_, "WindowTileItem", QString::fromUtf8("&Мозайка"), [this] { mdi_->tileSubWindows(); });
    addItem(windowMenu_, "WindowArangeItem", QString::fromUtf8("&Сортировать иконки"), [this] {
        // Minimised children line up along the bottom edge.
        int x = 0;
        for (QMdiSubWindow* window : mdi_->subWindowList()) {
            if (window->isMinimized()) {
                window->move(x, mdi_->viewport()->height() - window->height());
                x += window->width();
            }
        }
    });
    addItem(windowMenu_, "WindowMinimizeItem", QString::fromUtf8("Минимизировать все"),
            [this] { MinimizeAll(); });
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] { fillWindowMenu(); });

    QMenu* helpMenu = menuBar()->addMenu(QString::fromUtf8("&Помощь"));
    helpMenu->setObjectName("HelpMenu");
    addItem(helpMenu, "AboutUsItem", QString::fromUtf8("О Нас..."), [this] { PostPresentationRequest(); });
    QAction* debug = addItem(helpMenu, "DebugModeItem", QString::fromUtf8("Режим отладки"), {});
    debug->setCheckable(true);
    debug->setChecked(ctx_.Setup.Debug);
    connect(debug, &QAction::toggled, this, [this](bool on) { ctx_.Setup.Debug = on; });
    helpMenu->addSeparator();
    addItem(helpMenu, "ShowGeneralNewsPanelItem", QString::fromUtf8("Панель новостей"), {})
        ->setCheckable(true);
    addItem(helpMenu, "ShowPersonalInfoPanelItem", QString::fromUtf8("Панель личных сообщений"), {})
        ->setCheckable(true);
    addItem(helpMenu, "CheckNewsItem", QString::fromUtf8("Проверить новости"), [this] { PostNewsRequest(); });
    helpMenu->addSeparator();
    addItem(helpMenu, "AboutItem", QString::fromUtf8("&О программе..."), [this] {
        TAboutDlg dialog(this);
        dialog.exec();
    });
}

void TMainForm::createToolBars() {
    QStyle* st = style();
    auto button = [this](QToolBar* bar, const char* name, const char* caption, QStyle::StandardPixmap icon,
                         std::function<void()> action) {
        QAction* item = addItem(nullptr, name, QString::fromUtf8(caption), std::move(action));
        item->setIcon(style()->standardIcon(icon));
        item->setStatusTip(item->text().trimmed());
        bar->addAction(item);
        return item;
    };

    mainToolBar_ = addToolBar("MainToolBar");
    mainToolBar_->setObjectName("MainToolBar");
    mainToolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    QAction* orderList = button(mainToolBar_, "OrderListBut", "Реестр", QStyle::SP_FileDialogDetailedView,
                                [this] { OpenOrderList(); });
    orderList->setEnabled(Item("OrderListItem")->isEnabled());

    menuPopup_ = new QMenu(this);
    menuPopup_->setObjectName("MenuPopup");
    connect(menuPopup_, &QMenu::aboutToShow, this, [this] { PrepareMenuPopup(); });
    auto dropDown = [&](const char* name, const char* caption, QStyle::StandardPixmap icon,
                        std::function<void()> action) {
        QAction* item = button(mainToolBar_, name, caption, icon, std::move(action));
        auto* tool = qobject_cast<QToolButton*>(mainToolBar_->widgetForAction(item));
        tool->setObjectName(name);
        tool->setMenu(menuPopup_);
        tool->setPopupMode(QToolButton::MenuButtonPopup);
        tool->installEventFilter(this);
        return tool;
    };
    newBut_ = dropDown("NewBut", "Новый", QStyle::SP_FileIcon, [this] {
        TChildWindow* active = ActiveChild();
        active && active->Kind() == ChildKind::Selection ? NewOrderSelection() : NewOrder();
    });
    openBut_ = dropDown("OpenBut", "Открыть", QStyle::SP_DialogOpenButton, [this] { OpenFiles(0); });
    button(mainToolBar_, "SaveBut", "Сохранить ", QStyle::SP_DialogSaveButton,
           [this] { Item("SaveItem")->trigger(); });
    button(mainToolBar_, "PrintBut", "Печать", QStyle::SP_FileDialogContentsView, [this] {
        withActive({ChildKind::Order, ChildKind::Selection}, [](auto& c) { c.PrintCommand(); });
    });

    orderToolBar_ = addToolBar("OrderToolBar");
    orderToolBar_->setObjectName("OrderToolBar");
    orderToolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button(orderToolBar_, "OrderPropBut", "Реквизиты", QStyle::SP_FileDialogInfoView, [this] {
        withActive({ChildKind::Order, ChildKind::Selection}, [](auto& c) { c.PropertiesCommand(); });
    });
    button(orderToolBar_, "NewPosBut", "Добавить", QStyle::SP_FileDialogNewFolder, [this] {
        withActive({ChildKind::Order, ChildKind::Selection}, [](auto& c) { c.AddCommand(); });
    });
    button(orderToolBar_, "EditPosBut", "Изменить", QStyle::SP_FileDialogDetailedView,
           [this] { withActive({ChildKind::Order}, [](auto& c) { c.EditCommand(); }); });
    button(orderToolBar_, "DeletePosBut", "Удалить", QStyle::SP_TrashIcon, [this] {
        withActive({ChildKind::Order, ChildKind::Selection}, [](auto& c) { c.DeleteCommand(); });
    });

    orderLstToolBar_ = addToolBar("OrderLstToolBar");
    orderLstToolBar_->setObjectName("OrderLstToolBar");
    orderLstToolBar_->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button(orderLstToolBar_, "RegistrateOrderBut", "Регистрация", QStyle::SP_DialogApplyButton,
           [this] { withActive({ChildKind::Registry}, [](auto& c) { c.RegisterCommand(); }); });
    button(orderLstToolBar_, "OpenRegOrderBut", "Открыть", QStyle::SP_DialogOpenButton,
           [this] { withActive({ChildKind::Registry}, [](auto& c) { c.OpenSelectedRequest(); }); });
    button(orderLstToolBar_, "DeleteRegOrderBut", "Удалить", QStyle::SP_TrashIcon,
           [this] { withActive({ChildKind::Registry}, [](auto& c) { c.DeleteRegisteredCommand(); }); });
    button(orderLstToolBar_, "MoveToArchiveBut", "В архив", QStyle::SP_DriveFDIcon,
           [this] { withActive({ChildKind::Registry}, [](auto& c) { c.MoveToArchiveCommand(); }); });
    orderLstToolBar_->addSeparator();
    struct Nav {
        const char* name;
        const char* hint;
        QStyle::StandardPixmap icon;
        NavigateButton button;
    };
    const Nav navigator[] = {
        {"NavFirst", "Первая", QStyle::SP_MediaSkipBackward, NavigateButton::First},
        {"NavPrior", "Предыдущая", QStyle::SP_MediaSeekBackward, NavigateButton::Prior},
        {"NavNext", "Следующая", QStyle::SP_MediaSeekForward, NavigateButton::Next},
        {"NavLast", "Последняя", QStyle::SP_MediaSkipForward, NavigateButton::Last},
        {"NavEdit", "Редактировать", QStyle::SP_FileDialogContentsView, NavigateButton::Edit},
        {"NavPost", "Записать изменения", QStyle::SP_DialogApplyButton, NavigateButton::Post},
        {"NavCancel", "Отменить изменения", QStyle::SP_DialogCancelButton, NavigateButton::Cancel},
        {"NavRefresh", "Обновить данные", QStyle::SP_BrowserReload, NavigateButton::Refresh},
    };
    for (const Nav& nav : navigator) {
        QAction* item = addItem(nullptr, nav.name, QString(), [this, b = nav.button] {
            withActive({ChildKind::Registry}, [b](auto& c) { c.Navigate(b); });
        });
        item->setIcon(st->standardIcon(nav.icon));
        item->setToolTip(QString::fromUtf8(nav.hint));
        item->setStatusTip(QString::fromUtf8(nav.hint));
        orderLstToolBar_->addAction(item);
        auto* tool = qobject_cast<QToolButton*>(orderLstToolBar_->widgetForAction(item));
        tool->setObjectName(nav.name);
        tool->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }

    // The personal-messages band of the news client.
    personalInfoBar_ = addToolBar("PersonalInfoBar");
    personalInfoBar_->setObjectName("PersonalInfoBar");
    personalInfoBar_->hide();
}

void TMainForm::createNewsPanels() {
    // The news client's panels: the general news beside the windows and the
    // personal messages as the last band; their menu entries show and hide them.
    auto* news = new QDockWidget(QString::fromUtf8("Новости"), this);
    news->setObjectName("GeneralNewsPanel");
    news->setWidget(new QListWidget(news));
    addDockWidget(Qt::RightDockWidgetArea, news);
    news->hide();
    auto bind = [this](const char* item, QWidget* panel) {
        QAction* action = Item(item);
        action->setChecked(panel->isVisibleTo(this));
        connect(action, &QAction::toggled, panel, &QWidget::setVisible);
    };
    bind("ShowGeneralNewsPanelItem", news);
    bind("ShowPersonalInfoPanelItem", personalInfoBar_);
}

void TMainForm::createStatusBar() {
    static const int widths[4] = {290, 135, 135, 50};
    QStatusBar* bar = statusBar();
    bar->setObjectName("StatusBar");
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        panels_[i]->setFixedWidth(widths[i]);
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addWidget(panels_[i]);
    }
}

QPrinter& TMainForm::Printer() {
    if (printer_ == nullptr) {
        printer_ = new QPrinter(QPrinter::HighResolution);
    }
    return *printer_;
}

void TMainForm::SetStatusPanel(int panel, const QString& text) {
    if (panel >= 0 && panel < 4) {
        panels_[panel]->setText(text);
    }
}

QString TMainForm::StatusPanel(int panel) const {
    return panel >= 0 && panel < 4 ? panels_[panel]->text() : QString();
}

bool TMainForm::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::StatusTip:
        // The hint of the control under the mouse goes to panel 0, never over the panels.
        SetStatusPanel(0, static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    case QEvent::WindowActivate: {
        bool handled = QMainWindow::event(event);
        MenuUpdate();
        return handled;
    }
    default:
        return QMainWindow::event(event);
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        if (watched == newBut_) {
            dropDownOwner_ = NewButOwner;
        } else if (watched == openBut_) {
            dropDownOwner_ = OpenButOwner;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::PrepareMenuPopup() {
    menuPopup_->clear();
    const int owner = dropDownOwner_;
    dropDownOwner_ = NoDropDownOwner;
    if (owner != NewButOwner && owner != OpenButOwner) {
        // Opened without the mouse passing over a button: nothing to show.
        QMetaObject::invokeMethod(menuPopup_, &QMenu::close, Qt::QueuedConnection);
        return;
    }
    QAction* order = menuPopup_->addAction(QString::fromUtf8("Заказ"));
    QAction* selection = menuPopup_->addAction(QString::fromUtf8("Выборка"));
    order->setObjectName("PopupOrderItem");
    selection->setObjectName("PopupSelectionItem");
    if (owner == NewButOwner) {
        order->setEnabled(Item("NewOrderItem")->isEnabled());
        selection->setEnabled(Item("NewOrderSelectionItem")->isEnabled());
        connect(order, &QAction::triggered, this, [this] { NewOrder(); });
        connect(selection, &QAction::triggered, this, [this] { NewOrderSelection(); });
    } else {
        order->setEnabled(Item("OpenItem")->isEnabled());
        selection->setEnabled(Item("OpenItem")->isEnabled());
        connect(order, &QAction::triggered, this, [this] { OpenFiles(1); });
        connect(selection, &QAction::triggered, this, [this] { OpenFiles(3); });
    }
}

QList<TChildWindow*> TMainForm::Children() const {
    QList<TChildWindow*> children;
    for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (auto* child = dynamic_cast<TChildWindow*>(window->widget())) {
            children << child;
        }
    }
    return children;
}

TChildWindow* TMainForm::ActiveChild() const {
    QMdiSubWindow* window = mdi_->currentSubWindow();
    return window == nullptr ? nullptr : dynamic_cast<TChildWindow*>(window->widget());
}

void TMainForm::AddChild(TChildWindow* child) {
    QWidget* widget = child->Widget();
    widget->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* window = mdi_->addSubWindow(widget);
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (child->Kind() == ChildKind::Order) {
        connect(widget, &QObject::destroyed, this, [this] {
            if (!closingDown_) {
                SetStatusPanel(2, {});
                SetStatusPanel(3, {});
            }
        });
    }
    connect(window, &QObject::destroyed, this, [this] {
        if (!closingDown_) {
            MenuUpdate();
        }
    });
    applyChildState(window);
    mdi_->setActiveSubWindow(window);
    MenuUpdate();
}

void TMainForm::applyChildState(QMdiSubWindow* window) {
    if (mdi_->subWindowList().size() != 1) {
        window->show();
        return;
    }
    switch (ctx_.Setup.TechnologOrderWinState) {
    case 1:
        window->showMinimized();
        break;
    case 2:
        window->showMaximized();
        break;
    default:
        window->showNormal();
        break;
    }
}

void TMainForm::withActive(std::initializer_list<ChildKind> kinds,
                           const std::function<void(TChildWindow&)>& action) {
    TChildWindow* child = ActiveChild();
    if (child == nullptr) {
        return;
    }
    for (ChildKind kind : kinds) {
        if (child->Kind() == kind) {
            action(*child);
            return;
        }
    }
}

void TMainForm::MenuUpdate() {
    const bool anyChild = !mdi_->subWindowList().isEmpty();
    Item("CloseItem")->setEnabled(anyChild);
    Item("CloseAllItem")->setEnabled(anyChild);
    Item("NewBut")->setEnabled(Item("NewItem")->isEnabled());
    Item("OpenBut")->setEnabled(Item("OpenItem")->isEnabled());
    for (const char* name : ChildCommands) {
        Item(name)->setEnabled(false);
    }
    TChildWindow* active = ActiveChild();
    mergeChildMenus(active);
    orderToolBar_->setVisible(false);
    orderLstToolBar_->setVisible(false);
    if (active != nullptr) {
        active->UpdateMainMenu(*this);
        Item("SaveBut")->setEnabled(Item("SaveItem")->isEnabled());
    }
    const bool developer = ctx_.Switches.DeveloperMode;
    Item("ReportDesignItem")->setVisible(developer);
    Item("CatalogItem")->setVisible(developer);
    Item("FTPItem")->setVisible(developer);
}

void TMainForm::mergeChildMenus(TChildWindow* child) {
    for (QAction* action : mergedMenus_) {
        menuBar()->removeAction(action);
    }
    mergedMenus_.clear();
    if (child == nullptr) {
        return;
    }
    for (QMenu* menu : child->MergedMenus()) {
        menuBar()->insertMenu(settingsMenu_->menuAction(), menu);
        mergedMenus_ << menu->menuAction();
    }
}

void TMainForm::fillWindowMenu() {
    for (QAction* action : windowListActions_) {
        windowMenu_->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    const auto windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) {
        return;
    }
    windowListActions_ << windowMenu_->addSeparator();
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* action = windowMenu_->addAction(QString("&%1 %2").arg(number++).arg(window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == mdi_->currentSubWindow());
        connect(action, &QAction::triggered, this, [this, w = QPointer<QMdiSubWindow>(window)] {
            if (w) {
                mdi_->setActiveSubWindow(w);
            }
        });
        windowListActions_ << action;
    }
}

void TMainForm::OpenOrderList() {
    for (TChildWindow* child : Children()) {
        if (child->Kind() == ChildKind::Registry) {
            if (auto* window = qobject_cast<QMdiSubWindow*>(child->Widget()->parentWidget())) {
                mdi_->setActiveSubWindow(window);
            }
            child->Widget()->raise();
            return;
        }
    }
    PostOpenRegistryRequest();
}

void TMainForm::NewOrder() {
    if (!ctx_.Children || !ctx_.Children->Supports(ChildKind::Order)) {
        return;
    }
    addNewChild(*this, ctx_.prompter, [&] { return ctx_.Children->CreateOrderWindow(*this, {}); });
}

void TMainForm::NewOrderSelection() {
    if (!ctx_.Children || !ctx_.Children->Supports(ChildKind::Selection)) {
        return;
    }
    TChildWindow* source = ActiveChild();
    if (source == nullptr || source->Kind() != ChildKind::Registry || source->SelectedCount() < 1 ||
        !ctx_.prompter.Confirm("Создать выборку на основании выделенных заказов?")) {
        source = nullptr;
    }
    addNewChild(*this, ctx_.prompter,
                [&] { return ctx_.Children->CreateSelectionWindow(*this, {}, source); });
}

QStringList TMainForm::OpenFilters() {
    return {QString::fromUtf8("Заказ 370 (*.kfo370)"), QString::fromUtf8("Заказ 317 (*.kfo)"),
            QString::fromUtf8("Выборка (*.kfs370)")};
}

void TMainForm::OpenFiles(int filterIndex) {
    if (filterIndex == 0) {
        TChildWindow* active = ActiveChild();
        filterIndex = active != nullptr && active->Kind() == ChildKind::Selection ? 3 : 1;
    }
    const QStringList filters = OpenFilters();
    QFileDialog dialog(this, QString::fromUtf8("Открыть..."));
    dialog.setObjectName("OpenOrderDlg");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix("kfo370");
    dialog.selectNameFilter(filters[filterIndex - 1]);
    dialog.setDirectory(qs(filterIndex == 3 ? ctx_.Paths.SelectionDir : ctx_.Paths.OrdersDir));
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const int chosen = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    const QStringList files = dialog.selectedFiles();
    if (chosen != 1 && chosen != 3) {
        return; // older order files are listed but not opened by the frame
    }
    const ChildKind kind = chosen == 1 ? ChildKind::Order : ChildKind::Selection;
    if (!ctx_.Children || !ctx_.Children->Supports(kind)) {
        return;
    }
    BusyCursor busy(ctx_.prompter);
    for (const QString& file : files) {
        TChildWindow* child = kind == ChildKind::Order
                                  ? ctx_.Children->CreateOrderWindow(*this, file.toStdString())
                                  : ctx_.Children->CreateSelectionWindow(*this, file.toStdString(), nullptr);
        if (child != nullptr) {
            AddChild(child);
        }
    }
}

bool TMainForm::SaveChild(TChildWindow& child) {
    if (child.Kind() != ChildKind::Order && child.Kind() != ChildKind::Selection) {
        return false;
    }
    if (child.IsNew()) {
        return SaveChildAs(child);
    }
    BusyCursor busy(ctx_.prompter);
    return child.SaveToFile(child.FileName());
}

bool TMainForm::SaveChildAs(TChildWindow& child) {
    const bool order = child.Kind() == ChildKind::Order;
    if (!order && child.Kind() != ChildKind::Selection) {
        return false;
    }
    QFileDialog dialog(this, QString::fromUtf8(order ? "Сохранить заказ..." : "Сохранить выборку..."));
    dialog.setObjectName("SaveOrderDlg");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({QString::fromUtf8(order ? "Заказ (*.kfo370)" : "Выборка (*.kfs370)"),
                           QString::fromUtf8("Все файлы (*.*)")});
    dialog.setDefaultSuffix(order ? "kfo370" : "kfs370");
    dialog.setDirectory(qs(order ? ctx_.Paths.OrdersDir : ctx_.Paths.SelectionDir));
    dialog.selectFile(qs(child.IsNew() ? child.DefaultFileName() : child.FileName()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    BusyCursor busy(ctx_.prompter);
    return child.SaveToFile(dialog.selectedFiles().front().toStdString());
}

void TMainForm::SaveAll() {
    const auto children = Children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if ((*it)->Kind() == ChildKind::Order || (*it)->Kind() == ChildKind::Selection) {
            SaveChild(**it);
        }
    }
}

void TMainForm::CloseAll() {
    const auto windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        (*it)->close();
    }
}

void TMainForm::MinimizeAll() {
    const auto windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        (*it)->showMinimized();
    }
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Children close from the last to the first; one that refuses keeps the program open.
    bool refused = false;
    const auto windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (!(*it)->close()) {
            refused = true;
        }
    }
    if (refused) {
        event->ignore();
        MenuUpdate();
        return;
    }
    closingDown_ = true;
    event->accept();
}

void TMainForm::storeWindowState() {
    ctx_.Setup.TechnologMainWinState = isMinimized() ? 1 : isMaximized() ? 2 : 0;
}

void TMainForm::postRequest(void (TMainForm::*request)()) {
    QMetaObject::invokeMethod(
        this, [this, request] { (this->*request)(); }, Qt::QueuedConnection);
}

void TMainForm::PostOpenRegistryRequest() {
    postRequest(&TMainForm::OpenRegistryRequest);
}
void TMainForm::PostCurrencyRatesRequest() {
    postRequest(&TMainForm::CurrencyRatesRequest);
}
void TMainForm::PostPresentationRequest() {
    postRequest(&TMainForm::PresentationRequest);
}
void TMainForm::PostNewsRequest() {
    postRequest(&TMainForm::NewsRequest);
}

void TMainForm::OpenRegistryRequest() {
    emit RequestReceived("OpenRegistryRequest");
    if (ctx_.Children && ctx_.Children->Supports(ChildKind::Registry)) {
        BusyCursor busy(ctx_.prompter);
        if (TChildWindow* child = ctx_.Children->CreateRegistryWindow(*this)) {
            AddChild(child);
        }
    }
}

void TMainForm::CurrencyRatesRequest() {
    emit RequestReceived("CurrencyRatesRequest");
    if (ctx_.Dm != nullptr) {
        TCurrencyDlg dialog(ctx_.Dm->T_Currency, ctx_.prompter, this);
        dialog.setWindowTitle(Item("CurrencyItem")->text());
        if (dialog.exec() == QDialog::Accepted && ctx_.Setup.AutoLoadCurrency) {
            WriteLastCurrencyUpdate(LastCurrencyUpdateFile(ctx_.Paths.ServerDir, ctx_.ExeFolder), Today());
        }
    }
}

// The presentation window and the news client are not part of this program yet:
// the requests are received and do nothing visible.
void TMainForm::PresentationRequest() {
    emit RequestReceived("PresentationRequest");
}
void TMainForm::NewsRequest() {
    emit RequestReceived("NewsRequest");
}

void TMainForm::Initialise() {
    if (ctx_.Dm != nullptr) {
        // The catalog comes with the installation: a missing one is reported, never made empty.
        ctx_.Dm->OpenDatabases({ctx_.Paths.CatalogDir, ctx_.Paths.RegistryDir, ctx_.Paths.ReportDir},
                               ctx_.prompter, 0, false);
        if (ctx_.Dm->DB_Catalog.IsOpen()) {
            ctx_.Dm->OpenCatalogTables(ctx_.prompter);
        }
    }
    switch (ctx_.Setup.TechnologMainWinState) {
    case 1:
        showMinimized();
        break;
    case 2:
        showMaximized();
        break;
    default:
        showNormal();
        break;
    }
    repaint();
    if (ctx_.Setup.AutoOpenReg) {
        PostOpenRegistryRequest();
    }
    if (ctx_.Switches.PresentationEnabled) {
        PostPresentationRequest();
    }
    if (ctx_.Setup.AutoLoadCurrency &&
        CurrencyUpdateDue(LastCurrencyUpdateFile(ctx_.Paths.ServerDir, ctx_.ExeFolder), Today())) {
        PostCurrencyRatesRequest();
    }
    PostNewsRequest();
}

} // namespace kvf

#include "ui/main_form.h"

#include "../qt/modal_helper.h"
#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"
#include "ui/app_context.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kvf {
namespace {

using test::WhenModalShown;

// A child window of any kind that logs what the frame asks of it.
class FakeChild : public QWidget, public TChildWindow {
public:
    FakeChild(ChildKind kind, std::string name, std::vector<std::string>& log)
        : kind_(kind), name_(std::move(name)), log_(log) {
        setWindowTitle(QString::fromStdString(name_));
    }
    ChildKind Kind() const override { return kind_; }
    QWidget* Widget() override { return this; }
    void UpdateMainMenu(TMainForm& main) override {
        if (kind_ == ChildKind::Registry) {
            main.OrderLstToolBar()->setVisible(true);
            main.Item("RegistrateOrderBut")->setEnabled(true);
            return;
        }
        main.OrderToolBar()->setVisible(true);
        for (const char* name : {"SaveItem", "SaveAsItem", "SaveAllItem", "PrintBut", "OrderPropBut"}) {
            main.Item(name)->setEnabled(true);
        }
    }
    bool IsNew() const override { return isNew; }
    std::string FileName() const override { return "/orders/" + name_ + ".kfo370"; }
    std::string DefaultFileName() const override { return name_ + ".kfo370"; }
    bool SaveToFile(const std::string& fileName) override {
        log_.push_back("save " + name_ + " " + fileName);
        return true;
    }
    void OrderPropertiesRequest() override { log_.push_back("properties request " + name_); }
    void PrintCommand() override { log_.push_back("print " + name_); }
    void RegisterCommand() override { log_.push_back("register " + name_); }
    int SelectedCount() const override { return selected; }
    QList<QMenu*> MergedMenus() override { return menus; }

    bool isNew = false;
    bool refuseClose = false;
    int selected = 0;
    QList<QMenu*> menus;

protected:
    void closeEvent(QCloseEvent* event) override {
        log_.push_back("close " + name_);
        if (refuseClose) {
            event->ignore();
        }
    }

private:
    ChildKind kind_;
    std::string name_;
    std::vector<std::string>& log_;
};

class FakeFactory : public TChildFactory {
public:
    explicit FakeFactory(std::vector<std::string>& log) : log_(log) {}
    bool Supports(ChildKind) const override { return true; }
    TChildWindow* CreateOrderWindow(TMainForm&, const std::string& fileName) override {
        log_.push_back("create order " + fileName);
        return last = new FakeChild(ChildKind::Order, "order" + std::to_string(++count_), log_);
    }
    TChildWindow* CreateSelectionWindow(TMainForm&, const std::string& fileName,
                                        TChildWindow* source) override {
        log_.push_back("create selection " + fileName + (source ? " from registry" : ""));
        return last = new FakeChild(ChildKind::Selection, "selection" + std::to_string(++count_), log_);
    }
    TChildWindow* CreateRegistryWindow(TMainForm&) override {
        log_.push_back("create registry");
        return last = new FakeChild(ChildKind::Registry, "registry", log_);
    }
    FakeChild* last = nullptr;

private:
    std::vector<std::string>& log_;
    int count_ = 0;
};

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest() : registry(dir.path().toStdString() + "/registry.reg"), factory(log) {
        paths.ConfigName = "Демо";
        paths.ServerDir = dir.path().toStdString();
        paths.OrdersDir = paths.ServerDir + "/Orders";
        paths.SelectionDir = paths.ServerDir + "/Selection";
        QDir().mkpath(QString::fromStdString(paths.OrdersDir));
        QDir().mkpath(QString::fromStdString(paths.SelectionDir));
    }

    std::unique_ptr<TMainForm> makeForm(bool developer = false, TChildFactory* children = nullptr) {
        context = std::make_unique<TAppContext>(
            TAppContext{prompter, registry, paths, setup, {}, dir.path().toStdString()});
        context->Switches.DeveloperMode = developer;
        context->Children = children;
        return std::make_unique<TMainForm>(*context);
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Registry registry;
    TkvfPaths paths;
    TkvfSetup setup;
    std::unique_ptr<TAppContext> context;
    std::vector<std::string> log;
    FakeFactory factory;
};

TEST_F(MainFormTest, CaptionMenusAndShortcuts) {
    auto form = makeForm();
    EXPECT_EQ(QString::fromUtf8("Korvena ФУРНИТУРА: [Демо]"), form->windowTitle());
    struct Case {
        const char* item;
        const char* caption;
        QKeySequence shortcut;
    };
    const Case cases[] = {
        {"OrderListItem", "Реестр заказов...", {}},
        {"NewItem", "&Новый", {}},
        {"NewOrderItem", "Заказ", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"NewOrderSelectionItem", "Выборка", {}},
        {"OpenItem", "&Открыть...", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"SaveItem", "Сохранить", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"SaveAsItem", "&Сохранить как...", {}},
        {"SaveAllItem", "&Сохранить все", {}},
        {"CloseItem", "&Закрыть", {}},
        {"CloseAllItem", "З&акрыть все", {}},
        {"PrinterSetup", "&Настройка принтера...", {}},
        {"ReportDesignItem", "Дизайнер отчетов...", {}},
        {"ExitItem", "&Выход", QKeySequence(Qt::ALT | Qt::Key_X)},
        {"FirmNameItem", "Реквизиты фирмы...", {}},
        {"OptionsItem", "&Настройка параметров...", {}},
        {"FTPItem", "Настройка FTP...", {}},
        {"CatalogItem", "Справочник комплектующих...", {}},
        {"PriceGrpItem", "Ценовые группы...", {}},
        {"WindowCascadeItem", "&Каскад", {}},
        {"WindowTileItem", "&Мозайка", {}},
        {"WindowArangeItem", "&Сортировать иконки", {}},
        {"WindowMinimizeItem", "Минимизировать все", {}},
        {"AboutUsItem", "О Нас...", {}},
        {"DebugModeItem", "Режим отладки", {}},
        {"AboutItem", "&О программе...", {}},
        {"OrderListBut", "Реестр", {}},
        {"NewBut", "Новый", {}},
        {"OpenBut", "Открыть", {}},
        {"SaveBut", "Сохранить ", {}},
        {"PrintBut", "Печать", {}},
        {"OrderPropBut", "Реквизиты", {}},
        {"NewPosBut", "Добавить", {}},
        {"EditPosBut", "Изменить", {}},
        {"DeletePosBut", "Удалить", {}},
        {"RegistrateOrderBut", "Регистрация", {}},
        {"OpenRegOrderBut", "Открыть", {}},
        {"DeleteRegOrderBut", "Удалить", {}},
        {"MoveToArchiveBut", "В архив", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        QAction* item = form->Item(c.item);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(QString::fromUtf8(c.caption), item->text());
        EXPECT_EQ(c.shortcut, item->shortcut());
    }
    QStringList menus;
    for (QAction* menu : form->menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(QStringList({"&Файл", "&Установки", "&Окно", "&Помощь"}), menus);
    EXPECT_TRUE(form->Item("CurrencyItem")->text().startsWith(QString::fromUtf8("Курсы валют на ")));
    EXPECT_EQ(10, form->Item("CurrencyItem")->text().size() - QString::fromUtf8("Курсы валют на ").size());
}

TEST_F(MainFormTest, NavigatorHints) {
    auto form = makeForm();
    const std::pair<const char*, const char*> hints[] = {{"NavFirst", "Первая"},
                                                         {"NavPrior", "Предыдущая"},
                                                         {"NavNext", "Следующая"},
                                                         {"NavLast", "Последняя"},
                                                         {"NavEdit", "Редактировать"},
                                                         {"NavPost", "Записать изменения"},
                                                         {"NavCancel", "Отменить изменения"},
                                                         {"NavRefresh", "Обновить данные"}};
    for (auto [name, hint] : hints) {
        SCOPED_TRACE(name);
        EXPECT_EQ(QString::fromUtf8(hint), form->Item(name)->toolTip());
    }
}

TEST_F(MainFormTest, MinimumSizeSnapsBack) {
    auto form = makeForm();
    EXPECT_EQ(QSize(640, 480), form->size());
    EXPECT_EQ(QPoint(0, 0), form->pos());
    form->show();
    form->resize(500, 300);
    EXPECT_EQ(QSize(640, 480), form->size());
    form->resize(800, 300);
    EXPECT_EQ(QSize(800, 480), form->size());
}

TEST_F(MainFormTest, StatusBarPanelsAndHints) {
    auto form = makeForm();
    const int widths[] = {290, 135, 135, 50};
    for (int i = 0; i < 4; ++i) {
        auto* panel = form->statusBar()->findChild<QLabel*>(QString("StatusPanel%1").arg(i));
        ASSERT_NE(nullptr, panel);
        EXPECT_EQ(widths[i], panel->width());
    }
    QStatusTipEvent tip(QString::fromUtf8("Реестр"));
    QApplication::sendEvent(form.get(), &tip);
    EXPECT_EQ(QString::fromUtf8("Реестр"), form->StatusPanel(0));
}

TEST_F(MainFormTest, WithoutChildrenOnlyTheMainBarAndNoChildCommands) {
    auto form = makeForm(false, &factory);
    form->show();
    for (const char* name : {"SaveItem", "SaveAsItem", "SaveAllItem", "SaveBut", "PrintBut", "CloseItem",
                             "CloseAllItem", "OrderPropBut", "RegistrateOrderBut"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(form->Item(name)->isEnabled());
    }
    EXPECT_TRUE(form->Item("NewBut")->isEnabled());
    EXPECT_TRUE(form->MainToolBar()->isVisible());
    EXPECT_FALSE(form->OrderToolBar()->isVisible());
    EXPECT_FALSE(form->OrderLstToolBar()->isVisible());
}

TEST_F(MainFormTest, EntriesWithoutTheirWindowsAreDisabled) {
    auto form = makeForm();
    for (const char* name : {"OrderListItem", "NewOrderItem", "NewOrderSelectionItem", "OpenItem", "NewBut",
                             "OpenBut", "OrderListBut", "CurrencyItem", "CatalogItem", "PriceGrpItem"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(form->Item(name)->isEnabled());
    }
}

TEST_F(MainFormTest, DeveloperEntriesFollowTheSwitch) {
    for (bool developer : {false, true}) {
        SCOPED_TRACE(developer);
        auto form = makeForm(developer);
        for (const char* name : {"ReportDesignItem", "CatalogItem", "FTPItem"}) {
            EXPECT_EQ(developer, form->Item(name)->isVisible());
        }
    }
}

TEST_F(MainFormTest, DebugModeItemSetsTheDebugFlag) {
    auto form = makeForm();
    EXPECT_FALSE(setup.Debug);
    form->Item("DebugModeItem")->trigger();
    EXPECT_TRUE(setup.Debug);
    form->Item("DebugModeItem")->trigger();
    EXPECT_FALSE(setup.Debug);
}

TEST_F(MainFormTest, ActiveChildKindChoosesTheBarsAndTheRouting) {
    auto form = makeForm(false, &factory);
    form->show();
    form->NewOrder();
    EXPECT_TRUE(form->OrderToolBar()->isVisible());
    EXPECT_FALSE(form->OrderLstToolBar()->isVisible());
    EXPECT_TRUE(form->Item("SaveBut")->isEnabled());
    EXPECT_TRUE(form->Item("CloseAllItem")->isEnabled());
    form->Item("PrintBut")->trigger();
    EXPECT_EQ("print order1", log.back());

    form->OpenOrderList();
    QApplication::processEvents();
    EXPECT_EQ("create registry", log.back());
    EXPECT_FALSE(form->OrderToolBar()->isVisible());
    EXPECT_TRUE(form->OrderLstToolBar()->isVisible());
    EXPECT_FALSE(form->Item("SaveItem")->isEnabled());
    form->Item("RegistrateOrderBut")->trigger();
    EXPECT_EQ("register registry", log.back());
    // A second "Реестр" brings the open registry forward instead of making another.
    log.clear();
    form->OpenOrderList();
    QApplication::processEvents();
    EXPECT_TRUE(log.empty());
}

TEST_F(MainFormTest, NewOrderPostsItsPropertiesRequest) {
    auto form = makeForm(false, &factory);
    form->NewOrder();
    EXPECT_EQ(std::vector<std::string>({"create order "}), log);
    QApplication::processEvents();
    EXPECT_EQ("properties request order1", log.back());
    EXPECT_EQ(1, prompter.busySets);
    EXPECT_FALSE(prompter.nestedBusy);
}

TEST_F(MainFormTest, FirstChildTakesTheSavedChildState) {
    setup.TechnologOrderWinState = 2;
    auto form = makeForm(false, &factory);
    form->show();
    form->NewOrder();
    auto windows = form->MdiArea()->subWindowList();
    ASSERT_EQ(1, windows.size());
    EXPECT_TRUE(windows[0]->isMaximized());
}

TEST_F(MainFormTest, SelectionFromRegistryAsksAndHandsTheRegistryOver) {
    auto form = makeForm(false, &factory);
    form->show();
    form->OpenRegistryRequest();
    factory.last->selected = 2;
    prompter.confirmAnswers = {true};
    form->NewOrderSelection();
    EXPECT_EQ(std::vector<std::string>({"Создать выборку на основании выделенных заказов?"}),
              prompter.Texts(MessageKind::Confirmation));
    EXPECT_EQ("create selection  from registry", log.back());
}

TEST_F(MainFormTest, SaveOfANewOrderGoesToSaveAs) {
    auto form = makeForm(false, &factory);
    form->show();
    form->NewOrder();
    factory.last->isNew = true;
    QString title, directory;
    QStringList filters;
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(nullptr, dialog);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        directory = dialog->directory().absolutePath();
        dialog->selectFile(QString::fromStdString(paths.OrdersDir + "/new.kfo370"));
        static_cast<QDialog*>(dialog)->accept();
    });
    form->Item("SaveItem")->trigger();
    EXPECT_EQ(QString::fromUtf8("Сохранить заказ..."), title);
    EXPECT_EQ(QStringList({"Заказ (*.kfo370)", "Все файлы (*.*)"}), filters);
    EXPECT_EQ(QString::fromStdString(paths.OrdersDir), directory);
    EXPECT_EQ("save order1 " + paths.OrdersDir + "/new.kfo370", log.back());

    factory.last->isNew = false;
    form->Item("SaveItem")->trigger();
    EXPECT_EQ("save order1 /orders/order1.kfo370", log.back());
}

TEST_F(MainFormTest, OpenDialogFiltersAndOrderOfWindows) {
    auto form = makeForm(false, &factory);
    form->show();
    for (const char* name : {"a.kfo370", "b.kfo370", "c.kfo370"}) {
        QFile file(QString::fromStdString(paths.OrdersDir + "/" + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString title, filter;
    QStringList filters;
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(nullptr, dialog);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        filter = dialog->selectedNameFilter();
        EXPECT_EQ(QFileDialog::ExistingFiles, dialog->fileMode());
        dialog->selectFile("\"a.kfo370\" \"b.kfo370\" \"c.kfo370\"");
        static_cast<QDialog*>(dialog)->accept();
    });
    form->OpenFiles(0);
    EXPECT_EQ(QString::fromUtf8("Открыть..."), title);
    EXPECT_EQ(TMainForm::OpenFilters(), filters);
    EXPECT_EQ(QString::fromUtf8("Заказ 370 (*.kfo370)"), filter);
    const std::vector<std::string> expected = {"create order " + paths.OrdersDir + "/a.kfo370",
                                               "create order " + paths.OrdersDir + "/b.kfo370",
                                               "create order " + paths.OrdersDir + "/c.kfo370"};
    EXPECT_EQ(expected, log);
    EXPECT_EQ(3, form->Children().size());
}

TEST_F(MainFormTest, DropDownMenuNeedsTheMouseOverAButton) {
    auto form = makeForm(false, &factory);
    form->PrepareMenuPopup();
    EXPECT_TRUE(form->MenuPopup()->actions().isEmpty());

    auto* newBut = form->findChild<QToolButton*>("NewBut");
    ASSERT_NE(nullptr, newBut);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(newBut, &enter);
    EXPECT_EQ(TMainForm::NewButOwner, form->DropDownOwner());
    form->PrepareMenuPopup();
    ASSERT_EQ(2, form->MenuPopup()->actions().size());
    EXPECT_EQ(QString::fromUtf8("Заказ"), form->MenuPopup()->actions()[0]->text());
    EXPECT_EQ(QString::fromUtf8("Выборка"), form->MenuPopup()->actions()[1]->text());
    EXPECT_EQ(TMainForm::NoDropDownOwner, form->DropDownOwner());
    form->MenuPopup()->actions()[1]->trigger();
    EXPECT_EQ("create selection ", log.front());
}

TEST_F(MainFormTest, ActiveChildMenusSitBetweenFileAndSettings) {
    auto form = makeForm(false, &factory);
    form->show();
    form->NewOrder();
    QMenu edit(QString::fromUtf8("&Редактировать"));
    QMenu order(QString::fromUtf8("&Заказ"));
    factory.last->menus = {&edit, &order};
    form->MenuUpdate();
    auto captions = [&form] {
        QStringList texts;
        for (QAction* menu : form->menuBar()->actions()) {
            texts << menu->text();
        }
        return texts;
    };
    EXPECT_EQ(QStringList({"&Файл", "&Редактировать", "&Заказ", "&Установки", "&Окно", "&Помощь"}),
              captions());
    form->OpenRegistryRequest();
    EXPECT_EQ(QStringList({"&Файл", "&Установки", "&Окно", "&Помощь"}), captions());
}

TEST_F(MainFormTest, WindowMenuListsTheChildren) {
    auto form = makeForm(false, &factory);
    form->show();
    form->NewOrder();
    form->NewOrder();
    emit form->WindowMenu()->aboutToShow();
    QStringList texts;
    for (QAction* action : form->WindowMenu()->actions()) {
        if (!action->isSeparator()) {
            texts << action->text();
        }
    }
    EXPECT_EQ(QStringList({"&Каскад", "&Мозайка", "&Сортировать иконки", "Минимизировать все", "&1 order1",
                           "&2 order2"}),
              texts);
}

TEST_F(MainFormTest, ClosingClosesChildrenLastToFirstAndARefusalKeepsItOpen) {
    auto form = makeForm(false, &factory);
    form->show();
    form->NewOrder();
    FakeChild* first = factory.last;
    form->NewOrder();
    form->NewOrder();
    first->refuseClose = true;
    log.clear();
    EXPECT_FALSE(form->close());
    EXPECT_EQ(std::vector<std::string>({"close order3", "close order2", "close order1"}), log);
    EXPECT_TRUE(form->isVisible());
    QApplication::processEvents();
    EXPECT_EQ(1, form->Children().size());

    first->refuseClose = false;
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(MainFormTest, ClosingAnOrderWindowClearsStatusPanelsTwoAndThree) {
    auto form = makeForm(false, &factory);
    form->show();
    form->OpenRegistryRequest();
    form->SetStatusPanel(2, "2");
    form->SetStatusPanel(3, "3");
    form->findChild<QMdiArea*>()->closeActiveSubWindow();
    QApplication::processEvents();
    EXPECT_EQ("2", form->StatusPanel(2));
    form->NewOrder();
    form->findChild<QMdiArea*>()->closeActiveSubWindow();
    QApplication::processEvents();
    EXPECT_EQ("", form->StatusPanel(2));
    EXPECT_EQ("", form->StatusPanel(3));
}

TEST_F(MainFormTest, NewsEntriesShowTheirPanels) {
    auto form = makeForm();
    form->show();
    auto* news = form->findChild<QWidget*>("GeneralNewsPanel");
    ASSERT_NE(nullptr, news);
    EXPECT_FALSE(form->Item("ShowGeneralNewsPanelItem")->isChecked());
    EXPECT_FALSE(news->isVisible());
    form->Item("ShowGeneralNewsPanelItem")->trigger();
    EXPECT_TRUE(news->isVisible());
    form->Item("ShowPersonalInfoPanelItem")->trigger();
    EXPECT_TRUE(form->findChild<QToolBar*>("PersonalInfoBar")->isVisible());
}

TEST_F(MainFormTest, DestroyingStoresTheWindowState) {
    setup.TechnologMainWinState = 0;
    auto form = makeForm();
    form->showMaximized();
    form.reset();
    EXPECT_EQ(2, setup.TechnologMainWinState);
}

TEST_F(MainFormTest, ACatalogFolderWithoutItsCatalogOpensNothing) {
    TDM dm;
    paths.CatalogDir = paths.ServerDir + "/Catalog";
    paths.RegistryDir = paths.ServerDir;
    paths.ReportDir = paths.ServerDir;
    QDir().mkpath(QString::fromStdString(paths.CatalogDir));
    auto form = makeForm();
    context->Dm = &dm;
    form->Initialise();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(paths.CatalogDir + "/catalog.sqlite")));
    EXPECT_FALSE(dm.DB_Catalog.IsOpen());
    EXPECT_FALSE(dm.T_Catalog.Active());
    ASSERT_EQ(1u, prompter.records.size()) << "one error, none for each table";
    EXPECT_EQ(MessageKind::Error, prompter.records[0].kind);
    EXPECT_EQ(0u, prompter.records[0].text.find("Ошибка открытия базы данных PZDB_Catalog [" +
                                                paths.CatalogDir + "]"))
        << prompter.records[0].text;
}

} // namespace
} // namespace kvf

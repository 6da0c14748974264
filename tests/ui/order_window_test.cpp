#include "order_fixture.h"

#include "base/atomic_file.h"
#include "config/last_order_no.h"
#include "fittings_fixture.h"
#include "ui/position_list.h"
#include "ui/set_furn_dlg.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include <QClipboard>
#include <QMimeData>
#include <QPointer>

#include <filesystem>
#include <fstream>

namespace kvf {
namespace {

namespace fs = std::filesystem;
using test::WhenModalShown;
using test::WhenModalsShown;

class OrderWindowTest : public test::OrderWindowFixture {
protected:
    // Lets posted requests and queued dialogs run.
    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
    }

    static QStringList row(TOrderForm& form, int index) {
        QStringList texts;
        QTreeWidgetItem* item = form.ListView()->topLevelItem(index);
        for (int column = 1; column < form.ListView()->columnCount(); ++column) {
            texts << item->text(column);
        }
        return texts;
    }

    static QStringList labels(TOrderForm& form) {
        QStringList texts;
        for (int i = 0; i < form.ListView()->topLevelItemCount(); ++i) {
            texts << form.ListView()->topLevelItem(i)->text(TPositionList::NoColumn);
        }
        return texts;
    }

    // The registry rows as "No|OrderFile".
    std::vector<std::string> registryRows() {
        Table& table = dm.T_OrderList;
        const bool wasOpen = table.Active();
        table.Open();
        std::vector<std::string> rows;
        for (table.First(); !table.Eof(); table.Next()) {
            rows.push_back(table.AsString("No") + "|" + table.AsString("OrderFile"));
        }
        if (!wasOpen) {
            table.Close();
        }
        return rows;
    }

    void registerRow(const std::string& no, double regDate) {
        Table& table = dm.T_OrderList;
        table.Open();
        table.Append();
        table.SetValue("No", no);
        table.SetValue("RegDate", regDate);
        table.Post();
        table.Close();
    }

    static void acceptFileDialog(QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(nullptr, dialog);
        static_cast<QDialog*>(dialog)->accept();
    }

    std::string orderFile(const std::string& name) const { return paths.OrdersDir + "/" + name; }
};

TEST_F(OrderWindowTest, MergedMenusCaptionsAndShortcuts) {
    TOrderForm* form = newWindow();
    struct Case {
        const char* item;
        const char* caption;
        QKeySequence shortcut;
    };
    const Case cases[] = {
        {"CopyItem", "&Копировать", QKeySequence(Qt::CTRL | Qt::Key_C)},
        {"PasteItem", "&Вставить", QKeySequence(Qt::CTRL | Qt::Key_V)},
        {"SelectAllItem", "&Выделить все", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"ClearOrderItem", "Очистить ", {}},
        {"MergeItem", "&Добавить из файла...", {}},
        {"PropertyItem", "&Реквизиты...", {}},
        {"NewPosItem", "Новая позиция...", QKeySequence(Qt::Key_Insert)},
        {"EditPosItem", "Изменить позицию ...", {}},
        {"DeletePosItem", "&Удалить позицию", QKeySequence(Qt::CTRL | Qt::Key_Delete)},
        {"RecalcItem", "Пересчитать", QKeySequence(Qt::CTRL | Qt::Key_R)},
        {"RegistrateItem", "Зарегистрировать", {}},
        {"SortPosItem", "По позициям", {}},
        {"SortNameItem", "По изделиям", {}},
        {"ExportTBMItem", "Формат \"ТБМ Навигатор\"", {}},
        {"ExportVorneItem", "Формат \"ВорнеБела\"", {}},
        {"ExportXMLItem", "Формат XML", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        QAction* item = form->Item(c.item);
        ASSERT_NE(nullptr, item);
        EXPECT_EQ(QString::fromUtf8(c.caption), item->text());
        EXPECT_EQ(c.shortcut, item->shortcut());
    }
    QStringList menus;
    for (QAction* menu : main->menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(QStringList({"&Файл", "&Редактировать", "&Заказ", "Сервис", "&Установки", "&Окно", "&Помощь"}),
              menus);
    QStringList columns;
    for (int i = 0; i < form->ListView()->columnCount(); ++i) {
        columns << form->ListView()->headerItem()->text(i);
    }
    EXPECT_EQ(
        QStringList({"[..]", "Позиция", "Ширина", "Высота", "Кол-во", "Наименование", "Цена", "Стоимость"}),
        columns);
}

// The road of an order through the window: new order with its properties,
// a new position through both dialogs, save with registration, reopen, edit,
// re-price after a catalog change, delete.
TEST_F(OrderWindowTest, RoadFromNewOrderToRecalculation) {
    setup.AutoReg = true;
    bool propertiesShown = false;
    WhenModalShown([&](QWidget* dialog) {
        propertiesShown = dialog->objectName() == "OrderPropDlg";
        dialog->findChild<QLineEdit*>("OrderNoEdit")->setText(QString::fromUtf8("ДЕМО-9"));
        dialog->findChild<QLineEdit*>("CustomerEdit")->setText(QString::fromUtf8("  Иванов  "));
        dialog->findChild<QPushButton*>("OkBut")->click();
    });
    main->NewOrder();
    settle();
    EXPECT_TRUE(propertiesShown);
    auto* form = dynamic_cast<TOrderForm*>(main->ActiveChild());
    ASSERT_NE(nullptr, form);
    EXPECT_EQ("ДЕМО-9", form->Order().OrderNo);
    EXPECT_EQ(QString::fromUtf8("Иванов"), form->StatusBar()->findChildren<QLabel*>()[1]->text());

    form->SetFittingsDialog([this](TkvfConstruction& position, QWidget*) {
        giveArticle(position, 2);
        return true;
    });
    WhenModalShown([](QWidget* dialog) {
        auto* width = dialog->findChild<QLineEdit*>("WidthEdit");
        width->clear();
        QTest::keyClicks(width, "800");
        auto* height = dialog->findChild<QLineEdit*>("HeightEdit");
        height->clear();
        QTest::keyClicks(height, "1200");
        dialog->findChild<QPushButton*>("OkBut")->click();
    });
    form->Item("NewPosItem")->trigger();
    ASSERT_EQ(1, form->ListView()->topLevelItemCount());
    // 2 x 12.5 EUR at 95.5 roubles each, plus the price group's 10 %.
    EXPECT_EQ(QStringList({"001", "800", "1200", "1", QString::fromUtf8("Окно: Комплект стандартный"),
                           QString::fromUtf8("2626.2500 руб"), QString::fromUtf8("2626.2500 руб")}),
              row(*form, 0));
    EXPECT_TRUE(main->Item("SaveItem")->isEnabled());

    WhenModalShown(acceptFileDialog);
    main->Item("SaveItem")->trigger();
    const std::string file = orderFile("ДЕМО-9.kfo370");
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(QString::fromStdString(file), form->windowTitle());
    EXPECT_FALSE(form->Unsaved());
    EXPECT_EQ("ДЕМО-9", ReadLastOrderNo(paths.OrdersDir).value_or("?"));
    EXPECT_EQ(std::vector<std::string>{"ДЕМО-9|%ДЕМО-9.KFO370"}, registryRows());

    main->Item("CloseItem")->trigger();
    settle();
    EXPECT_TRUE(main->Children().isEmpty());
    form = openWindow(file);
    ASSERT_NE(nullptr, form);
    ASSERT_EQ(1, form->ListView()->topLevelItemCount());
    EXPECT_FALSE(form->Unsaved());

    form->ListView()->SelectIndex(0);
    EXPECT_TRUE(form->Item("EditPosItem")->isEnabled());
    form->SetFittingsDialog([this](TkvfConstruction& position, QWidget*) {
        giveArticle(position, 4);
        return true;
    });
    form->Item("EditPosItem")->trigger();
    EXPECT_EQ(QString::fromUtf8("5252.5000 руб"), row(*form, 0)[5]);
    EXPECT_TRUE(form->Unsaved());

    ASSERT_TRUE(dm.T_Catalog.Locate("ID", {Value(std::string("A1"))}));
    dm.T_Catalog.Edit();
    dm.T_Catalog.SetValue("Price", 25.0);
    dm.T_Catalog.Post();
    prompter.confirmAnswers.push_back(true);
    form->Item("RecalcItem")->trigger();
    EXPECT_EQ(QString::fromUtf8("10505.0000 руб"), row(*form, 0)[5]);

    prompter.confirmAnswers.push_back(true);
    form->Item("DeletePosItem")->trigger();
    EXPECT_EQ(0, form->ListView()->topLevelItemCount());
    EXPECT_EQ(-1, form->SelectedIndex());
    EXPECT_FALSE(form->Item("RecalcItem")->isEnabled());
}

// A new position through the position dialog and the real fittings dialog over the demo catalog.
TEST_F(OrderWindowTest, NewPositionRunsThePositionAndFittingsDialogs) {
    fs::create_directories(install.Root() + "/demo");
    ASSERT_TRUE(QFile::copy(QString::fromUtf8(KVF_DEMO_CATALOG_DIR "/catalog.sqlite"),
                            QString::fromStdString(install.Root() + "/demo/catalog.sqlite")));
    TDM demo;
    ASSERT_TRUE(demo.OpenDatabases({install.Root() + "/demo", paths.RegistryDir, paths.ReportDir}, prompter));
    ASSERT_TRUE(demo.OpenCatalogTables(prompter));
    context->Dm = &demo;
    setup.DefFurnSys = "1205";
    setup.DefProfSys = "K9";
    setup.DefMaterial = 1;
    setup.DefFalzType = 101;
    setup.DefDornType = 215;
    setup.DefStulpFalzType = 302;
    setup.DefFlugelType = 401;
    setup.DefProfWidth = 70;
    setup.DefProfThickness = 70;
    TOrderForm* form = newWindow("Д-1");

    WhenModalsShown({[](QWidget* dialog) { dialog->findChild<QPushButton*>("OkBut")->click(); },
                     [](QWidget* modal) {
                         auto* dialog = qobject_cast<TSetFurnDlg*>(modal);
                         ASSERT_NE(nullptr, dialog);
                         test::Pick(dialog->ComplectCombo, "K-DK");
                         test::Pick(dialog->HandleCombo, "H-STD");
                         test::Pick(dialog->HingeCombo, "B-STD");
                         dialog->OkBut->click();
                     }});
    form->Item("NewPosItem")->trigger();
    ASSERT_EQ(1, form->Order().Count());
    const TkvfConstruction& position = form->Order().Position(0);
    ASSERT_TRUE(position.LeftFlugel.FurnComp);
    EXPECT_EQ("K-DK", position.LeftFlugel.FurnComp->Complect);
    EXPECT_GT(position.Cost, Money());
    const QStringList shown = row(*form, 0);
    EXPECT_EQ(QStringList({"001", "700", "1400", "1"}), shown.mid(0, 4));
    EXPECT_TRUE(shown[5].startsWith(QString::fromStdString(position.Cost.Format4())));
    EXPECT_EQ(0, form->SelectedIndex());
    EXPECT_TRUE(form->ConstructionInfo()->toPlainText().contains(QString::fromUtf8("Фурнитура: ")));

    // Cancel in the fittings dialog discards the new position.
    WhenModalsShown({[](QWidget* dialog) { dialog->findChild<QPushButton*>("OkBut")->click(); },
                     [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); }});
    form->Item("NewPosItem")->trigger();
    EXPECT_EQ(1, form->Order().Count());
    // The window goes before the catalog it reads.
    prompter.yesNoCancelAnswers.push_back(YesNoCancelAnswer::No);
    form->parentWidget()->close();
    settle();
    context->Dm = &dm;
}

TEST_F(OrderWindowTest, ANewWindowSavesOnlyAfterAChange) {
    auto* form = static_cast<TOrderForm*>(factory.CreateOrderWindow(*main, {}));
    main->AddChild(form);
    EXPECT_EQ(QString::fromUtf8(TOrderForm::NewOrderFileName), form->windowTitle());
    EXPECT_TRUE(form->IsNew());
    EXPECT_FALSE(main->Item("SaveItem")->isEnabled());
    EXPECT_TRUE(main->Item("SaveAsItem")->isEnabled());
    addPosition(form->Order(), "1", "a");
    form->SetUnsaved();
    form->RefreshAll();
    EXPECT_TRUE(main->Item("SaveItem")->isEnabled());
    EXPECT_TRUE(main->Item("SaveBut")->isEnabled());
}

TEST_F(OrderWindowTest, SavingANewOrderWithARegisteredNumberIsRefused) {
    registerRow("з-1", 45000);
    TOrderForm* form = newWindow("З-1");
    bool propertiesShown = false;
    WhenModalShown([&](QWidget* dialog) {
        propertiesShown = dialog->objectName() == "OrderPropDlg";
        static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_FALSE(form->SaveToFile(orderFile("x.kfo370")));
    settle();
    EXPECT_EQ(
        std::vector<std::string>{"Заказ с номером З-1 был зарегистрирован 15.03.2023!\r\nУкажите другой "
                                 "номер заказа."},
        messages(MessageKind::Error));
    EXPECT_TRUE(propertiesShown);
    EXPECT_FALSE(fs::exists(orderFile("x.kfo370")));

    // A loaded order keeps its registered number.
    fs::create_directories(paths.OrdersDir);
    TkvfOrder order;
    order.OrderNo = "З-1";
    ASSERT_TRUE(order.SaveToFile(orderFile("З-1.kfo370"), prompter));
    TOrderForm* loaded = openWindow(orderFile("З-1.kfo370"));
    ASSERT_NE(nullptr, loaded);
    EXPECT_TRUE(loaded->SaveToFile(loaded->FileName()));
}

TEST_F(OrderWindowTest, SavingWithoutANumberIsRefused) {
    TOrderForm* form = newWindow("");
    WhenModalShown([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    EXPECT_FALSE(form->SaveToFile(orderFile("x.kfo370")));
    settle();
    EXPECT_EQ(std::vector<std::string>{"Не указан номер заказа!"}, messages(MessageKind::Error));
}

TEST_F(OrderWindowTest, SaveAsWritesIntoTheOrdersFolder) {
    TOrderForm* form = newWindow("A-12345678901234567890123456789XYZ");
    const std::string elsewhere = install.Root() + "/elsewhere/order.kfo370";
    ASSERT_TRUE(form->SaveToFile(elsewhere));
    EXPECT_FALSE(fs::exists(elsewhere));
    EXPECT_EQ(orderFile("order.kfo370"), form->FileName());
    EXPECT_TRUE(fs::exists(form->FileName()));
    EXPECT_FALSE(form->IsNew());
    // "Korvena.lon": a length byte and 30 bytes, the number cut to 30 characters.
    const std::string lon = ReadFileBytes(paths.OrdersDir + "/Korvena.lon");
    EXPECT_EQ(std::string("\x1e"
                          "A-12345678901234567890123456789",
                          31),
              lon);
}

TEST_F(OrderWindowTest, RenumberingRenamesTheFileAndKeepsTheRegistryRecord) {
    setup.AutoReg = true;
    TOrderForm* form = newWindow("A-1");
    ASSERT_TRUE(form->SaveToFile(orderFile("A-1.kfo370")));
    EXPECT_EQ(std::vector<std::string>{"A-1|%A-1.KFO370"}, registryRows());

    form->Order().OrderNo = "A-2";
    form->SetUnsaved();
    prompter.confirmAnswers.push_back(true);
    WhenModalShown(acceptFileDialog);
    ASSERT_TRUE(main->SaveChild(*form));
    EXPECT_EQ(orderFile("A-2.kfo370"), form->FileName());
    EXPECT_TRUE(fs::exists(orderFile("A-2.kfo370")));
    EXPECT_FALSE(fs::exists(orderFile("A-1.kfo370")));
    EXPECT_EQ(std::vector<std::string>{"A-2|%A-2.KFO370"}, registryRows());
    EXPECT_EQ("A-2", ReadLastOrderNo(paths.OrdersDir).value_or("?"));
    EXPECT_EQ("A-2", form->SavedNo());

    // Declining the rename keeps the name.
    form->Order().OrderNo = "A-3";
    prompter.confirmAnswers.push_back(false);
    ASSERT_TRUE(main->SaveChild(*form));
    EXPECT_EQ(orderFile("A-2.kfo370"), form->FileName());
    EXPECT_EQ(std::vector<std::string>{"A-3|%A-2.KFO370"}, registryRows());
}

TEST_F(OrderWindowTest, AnOrderLoadedFromElsewhereMovesIntoTheOrdersFolderOnSave) {
    const std::string archived = install.Root() + "/Archive/B-1.kfo370";
    fs::create_directories(install.Root() + "/Archive");
    TkvfOrder order;
    order.OrderNo = "B-1";
    ASSERT_TRUE(order.SaveToFile(archived, prompter));
    TOrderForm* form = openWindow(archived);
    ASSERT_NE(nullptr, form);
    ASSERT_TRUE(form->SaveToFile(form->FileName()));
    EXPECT_EQ(orderFile("B-1.kfo370"), form->FileName());
    EXPECT_FALSE(fs::exists(archived));
}

TEST_F(OrderWindowTest, AFailedSaveKeepsTheOrderAndTheOldFile) {
    TOrderForm* form = newWindow("C-1");
    addPosition(form->Order(), "1", "first");
    ASSERT_TRUE(form->SaveToFile(orderFile("C-1.kfo370")));
    const std::string before = ReadFileBytes(orderFile("C-1.kfo370"));
    addPosition(form->Order(), "2", "second");
    form->SetUnsaved();
    bool saved = false;
    {
        test::ReadOnlyFolder readOnly(paths.OrdersDir);
        if (!readOnly.Active()) {
            GTEST_SKIP() << "the folder cannot be made read-only here";
        }
        saved = form->SaveToFile(form->FileName());
    }
    EXPECT_FALSE(saved);
    EXPECT_TRUE(form->Unsaved());
    EXPECT_EQ(2, form->Order().Count());
    EXPECT_EQ(before, ReadFileBytes(orderFile("C-1.kfo370")));
    ASSERT_EQ(1u, messages(MessageKind::Error).size());
    EXPECT_TRUE(messages(MessageKind::Error)[0].starts_with("Ошибка сохранения заказа!\r\n("));
}

TEST_F(OrderWindowTest, DamagedFilesOpenNothing) {
    TOrderForm* form = newWindow("D-1");
    addPosition(form->Order(), "1", "first");
    ASSERT_TRUE(form->SaveToFile(orderFile("D-1.kfo370")));
    const std::string bytes = ReadFileBytes(orderFile("D-1.kfo370"));
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"truncated in a position", bytes.substr(0, bytes.size() - 40)},
        {"header only", bytes.substr(0, 40)},
        {"not an order", "hello"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.records.clear();
        const std::string file = orderFile("broken.kfo370");
        WriteFileAtomic(file, c.bytes);
        const int before = static_cast<int>(main->Children().size());
        EXPECT_EQ(nullptr, openWindow(file)) << ::testing::PrintToString(prompter.records.size());
        EXPECT_EQ(before, static_cast<int>(main->Children().size()));
        ASSERT_FALSE(messages(MessageKind::Error).empty());
        EXPECT_TRUE(messages(MessageKind::Error).back().starts_with("Ошибка загрузки заказа!\r\n("));
    }
}

// An order the window saves is the order the command-line tool makes from its dump.
TEST_F(OrderWindowTest, SavedOrderEqualsTheToolsOrderFromItsDump) {
    TOrderForm* form = newWindow("Е-7");
    form->Order().Customer = "Петров";
    form->Order().Memo = {"первая", "вторая"};
    addPosition(form->Order(), "001", "Окно", 700, 1400);
    addPosition(form->Order(), "002", "Дверь", 900, 2100);
    giveArticle(form->Order().Position(1), 3);
    ASSERT_TRUE(form->SaveToFile(orderFile("Е-7.kfo370")));

    const QString dir = QString::fromStdString(install.Root());
    QProcess dump;
    dump.setStandardOutputFile(dir + "/dump.json");
    dump.start(KVF_CLI, {"order", "dump", QString::fromStdString(orderFile("Е-7.kfo370"))});
    ASSERT_TRUE(dump.waitForFinished(30000));
    ASSERT_EQ(0, dump.exitCode()) << dump.readAllStandardError().toStdString();
    QProcess fromJson;
    fromJson.start(KVF_CLI, {"order", "from-json", dir + "/dump.json", dir + "/tool.kfo370"});
    ASSERT_TRUE(fromJson.waitForFinished(30000));
    ASSERT_EQ(0, fromJson.exitCode()) << fromJson.readAllStandardError().toStdString();
    EXPECT_EQ(ReadFileBytes(install.Root() + "/tool.kfo370"), ReadFileBytes(orderFile("Е-7.kfo370")));
}

TEST_F(OrderWindowTest, SortsCompareLabelsAndNamesAsText) {
    TOrderForm* form = newWindow();
    addPosition(form->Order(), "2", "Балкон");
    addPosition(form->Order(), "10", "Арка");
    addPosition(form->Order(), "1", "Витраж");
    form->RefreshAll();
    QHeaderView* header = form->ListView()->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(TPositionList::NoColumn) + 5, 5));
    EXPECT_EQ(QStringList({"1", "10", "2"}), labels(*form));
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(TPositionList::NameColumn) + 5, 5));
    EXPECT_EQ(QStringList({"10", "2", "1"}), labels(*form));
    EXPECT_TRUE(form->Unsaved());
}

TEST_F(OrderWindowTest, DraggingARowMovesItsPosition) {
    struct Case {
        const char* name;
        int from;
        int to;
        QStringList expected;
    };
    const Case cases[] = {
        {"first onto third", 0, 2, {"b", "c", "a", "d"}},
        {"last onto first", 3, 0, {"d", "a", "b", "c"}},
        {"third onto second", 2, 1, {"a", "c", "b", "d"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TOrderForm* form = newWindow();
        for (const char* no : {"a", "b", "c", "d"}) {
            addPosition(form->Order(), no, no);
        }
        form->RefreshAll();
        emit form->ListView()->RowDropped(c.from, c.to);
        EXPECT_EQ(c.expected, labels(*form));
        EXPECT_EQ(c.to, form->SelectedIndex());
        EXPECT_TRUE(form->Unsaved());
    }
}

TEST_F(OrderWindowTest, DragsFromOtherControlsAreRefused) {
    TOrderForm* form = newWindow();
    addPosition(form->Order(), "1", "a");
    form->RefreshAll();
    QMimeData data;
    data.setText("1");
    QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(form->ListView()->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(OrderWindowTest, CheckBoxesIncludeAndExcludePositions) {
    TOrderForm* form = newWindow();
    for (const char* no : {"1", "2", "3"}) {
        addPosition(form->Order(), no, no);
    }
    form->RefreshAll();
    TPositionList* list = form->ListView();
    list->topLevelItem(1)->setCheckState(TPositionList::CheckColumn, Qt::Unchecked);
    EXPECT_FALSE(form->Order().Position(1).Included);
    EXPECT_TRUE(form->Order().Position(0).Included);

    QHeaderView* header = list->header();
    const QPoint checkHeader(header->sectionViewportPosition(TPositionList::CheckColumn) + 5, 5);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, checkHeader);
    EXPECT_EQ(0, form->Order().IncludedCount());
    EXPECT_EQ(Qt::Unchecked, list->topLevelItem(2)->checkState(TPositionList::CheckColumn));
    EXPECT_FALSE(form->Item("RecalcItem")->isEnabled());
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, checkHeader);
    EXPECT_EQ(3, form->Order().IncludedCount());
    EXPECT_TRUE(form->Item("RecalcItem")->isEnabled());
}

TEST_F(OrderWindowTest, ClosingAModifiedWindow) {
    struct Case {
        const char* name;
        YesNoCancelAnswer answer;
        bool closed;
        bool saved;
    };
    const Case cases[] = {
        {"cancel keeps the window and stops shut-down", YesNoCancelAnswer::Cancel, false, false},
        {"no closes without saving", YesNoCancelAnswer::No, true, false},
        {"yes saves, then closes", YesNoCancelAnswer::Yes, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TOrderForm* form = newWindow("F-1");
        QPointer<TOrderForm> alive(form);
        const std::string file = orderFile("F-1.kfo370");
        fs::remove(file);
        prompter.yesNoCancelAnswers.push_back(c.answer);
        if (c.saved) {
            WhenModalShown(acceptFileDialog);
        }
        main->close();
        settle();
        EXPECT_EQ(c.closed, alive.isNull());
        EXPECT_EQ(!c.closed, main->isVisible());
        EXPECT_EQ(c.saved, fs::exists(file));
        EXPECT_EQ("Сохранить заказ?", prompter.records.back().text);
        if (!c.closed) {
            form->Order().OrderNo = "F-1";
            prompter.yesNoCancelAnswers.push_back(YesNoCancelAnswer::No);
            form->parentWidget()->close();
            settle();
        }
        main->show();
    }
}

TEST_F(OrderWindowTest, CopiedPositionsPasteIntoAnotherOrder) {
    TOrderForm* source = newWindow("G-1");
    addPosition(source->Order(), "001", "Окно", 700, 1400);
    addPosition(source->Order(), "002", "Дверь", 900, 2100);
    giveArticle(source->Order().Position(1), 1);
    source->RefreshAll();
    source->ListView()->selectAll();
    source->Item("CopyItem")->trigger();
    EXPECT_EQ(QString::fromUtf8("001\t700 x 1400\t1\tОкно\n002\t900 x 2100\t1\tДверь"),
              QApplication::clipboard()->text());

    TOrderForm* target = newWindow("G-2");
    addPosition(target->Order(), "001", "Своя");
    target->RefreshAll();
    EXPECT_TRUE(target->Item("PasteItem")->isEnabled());
    target->Item("PasteItem")->trigger();
    ASSERT_EQ(3, target->Order().Count());
    EXPECT_EQ(QStringList({"001", "001", "002"}), labels(*target));
    EXPECT_EQ(source->Order().Position(1).Cost, target->Order().Position(2).Cost);
    EXPECT_EQ(&target->Order(), target->Order().Position(2).Order);
    EXPECT_TRUE(target->Unsaved());
}

TEST_F(OrderWindowTest, ForeignClipboardDataIsRefusedQuietly) {
    TOrderForm* form = newWindow();
    struct Case {
        const char* name;
        std::function<QMimeData*()> data;
    };
    const Case cases[] = {
        {"plain text",
         [] {
             auto* data = new QMimeData;
             data->setText("001\t700 x 1400\t1\tОкно");
             return data;
         }},
        {"our type with garbage",
         [] {
             auto* data = new QMimeData;
             data->setData("application/x-korvena-positions", "garbage");
             return data;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QApplication::clipboard()->setMimeData(c.data());
        EXPECT_FALSE(form->PastePositions());
        EXPECT_EQ(0, form->Order().Count());
        EXPECT_TRUE(prompter.records.empty());
    }
}

TEST_F(OrderWindowTest, AddFromFileAppendsThePositionsAndAsksForRecalculation) {
    fs::create_directories(paths.OrdersDir);
    TkvfOrder other;
    other.OrderNo = "H-2";
    addPosition(other, "7", "Чужое", 600, 600);
    ASSERT_TRUE(other.SaveToFile(orderFile("H-2.kfo370"), prompter));
    TOrderForm* form = newWindow("H-1");
    addPosition(form->Order(), "1", "Своё");
    form->RefreshAll();
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(nullptr, dialog);
        dialog->selectFile(QString::fromStdString(orderFile("H-2.kfo370")));
        static_cast<QDialog*>(dialog)->accept();
    });
    form->Item("MergeItem")->trigger();
    EXPECT_EQ(QStringList({"1", "7"}), labels(*form));
    EXPECT_EQ(std::vector<std::string>{"Для корректной работы необходимо пересчитать заказ!"},
              messages(MessageKind::Warning));
    settle();
    // The recalculation request asks its question.
    EXPECT_EQ("Пересчитать выделенные изделия с текущими установками?", prompter.records.back().text);
}

TEST_F(OrderWindowTest, ARecalculationErrorRestoresThePositionAndStops) {
    TOrderForm* form = newWindow();
    addPosition(form->Order(), "1", "good");
    addPosition(form->Order(), "2", "broken");
    addPosition(form->Order(), "3", "after");
    giveArticle(form->Order().Position(0), 1);
    giveArticle(form->Order().Position(1), 1);
    giveArticle(form->Order().Position(2), 1);
    const Money before = form->Order().Position(1).Cost;
    ASSERT_TRUE(dm.T_Catalog.Locate("ID", {Value(std::string("A1"))}));
    dm.T_Catalog.Edit();
    dm.T_Catalog.SetValue("Price", 25.0);
    dm.T_Catalog.Post();
    form->Order().Position(1).LeftFlugel.FurnComp->Item(0).ID = "MISSING";
    prompter.confirmAnswers.push_back(true);
    EXPECT_FALSE(form->Recalculate());
    EXPECT_EQ(before.MulRound(2), form->Order().Position(0).Cost);
    EXPECT_EQ(before, form->Order().Position(1).Cost);
    EXPECT_EQ(before, form->Order().Position(2).Cost);
    ASSERT_EQ(1u, messages(MessageKind::Error).size());
    EXPECT_TRUE(messages(MessageKind::Error)[0].ends_with("\r\n[Позиция: 2]"));
}

TEST_F(OrderWindowTest, TheSketchPanelListsTheFittings) {
    TOrderForm* form = newWindow();
    addPosition(form->Order(), "1", "a");
    form->RefreshAll();
    form->ListView()->SelectIndex(0);
    const QStringList lines = form->ConstructionInfo()->toPlainText().split('\n');
    ASSERT_GE(lines.size(), 7);
    EXPECT_EQ(QString::fromUtf8("Фурнитура: "), lines[0]);
    EXPECT_EQ(QString::fromUtf8("Тип створки: "), lines[6]);
}

} // namespace
} // namespace kvf

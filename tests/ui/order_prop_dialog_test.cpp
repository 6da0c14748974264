#include "order_fixture.h"

#include "base/number_format.h"
#include "config/last_order_no.h"
#include "ui/lookup_combo.h"
#include "ui/order_prop_dlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

namespace kvf {
namespace {

using test::WhenModalShown;

class OrderPropDialogTest : public test::OrderWindowFixture {
protected:
    OrderPropDialogTest() {
        auto add = [](Table& table, std::vector<std::pair<const char*, Value>> values) {
            table.Append();
            for (auto& [field, value] : values) {
                table.SetValue(field, value);
            }
            table.Post();
        };
        auto text = [](const char* s) { return Value(std::string(s)); };
        add(dm.T_SysList, {{"ID", text("1010")},
                           {"Group", int64_t{1}},
                           {"Name", text("Система А")},
                           {"Use", int64_t{1}},
                           {"CommonGrp", int64_t{1010}},
                           {"BaseColor", text("01")}});
        add(dm.T_SysList, {{"ID", text("2020")},
                           {"Group", int64_t{1}},
                           {"Name", text("Система Б")},
                           {"Use", int64_t{1}},
                           {"CommonGrp", int64_t{2020}},
                           {"BaseColor", text("02")}});
        add(dm.T_SysList, {{"ID", text("S1")},
                           {"Group", int64_t{2}},
                           {"Name", text("Планки")},
                           {"Use", int64_t{1}},
                           {"CommonGrp", int64_t{0}},
                           {"BaseColor", text("03")}});
        add(dm.T_SysProf,
            {{"SchlSysID", text("S1")}, {"FurnSysID", text("1000")}, {"Name", text("Планки 1")}});
        add(dm.T_SysProf,
            {{"SchlSysID", text("S2")}, {"FurnSysID", text("2000")}, {"Name", text("Планки 2")}});
        add(dm.T_Color, {{"Color", text("01")}, {"Name", text("Белый")}});
        add(dm.T_Color, {{"Color", text("02")}, {"Name", text("Коричневый")}});
        add(dm.T_SysColor, {{"ID", text("01")}, {"System", text("1010")}});
        add(dm.T_SysColor, {{"ID", text("02")}, {"System", text("2020")}});
        add(dm.T_FrnComp, {{"ID", text("H1")},
                           {"Group", int64_t{30}},
                           {"Name", text("Ручка А")},
                           {"Use", int64_t{1}},
                           {"CommonGrp", int64_t{1000}}});
        add(dm.T_FrnComp, {{"ID", text("H2")},
                           {"Group", int64_t{31}},
                           {"Name", text("Ручка Б")},
                           {"Use", int64_t{1}},
                           {"CommonGrp", int64_t{2000}}});
        add(dm.T_FrnComp, {{"ID", text("H0")},
                           {"Group", int64_t{32}},
                           {"Name", text("Ручка общая")},
                           {"Use", int64_t{1}},
                           {"CommonGrp", int64_t{0}}});
        for (auto [id, name] : {std::pair{101, "Фальц 12"}, std::pair{205, "Дорн 15"},
                                std::pair{301, "Штульп"}, std::pair{402, "Поворотная"}}) {
            add(dm.T_FalzList, {{"ID", int64_t{id}}, {"Name", text(name)}});
        }
        add(dm.T_Material, {{"ID", int64_t{3}}, {"Name", text("ПВХ")}});
        // The parameter slices read their rows when opened.
        for (Table* table : dm.CatalogTables()) {
            table->Close();
        }
        dm.OpenCatalogTables(prompter);
    }

    std::unique_ptr<TOrderPropDlg> open(TkvfOrder& order) {
        auto dialog = std::make_unique<TOrderPropDlg>(*context, order);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    template <class T> static T* child(QDialog& dialog, const char* name) {
        T* widget = dialog.findChild<T*>(name);
        EXPECT_NE(nullptr, widget) << name;
        return widget;
    }

    static void choose(QDialog& dialog, const char* name, const char* key) {
        auto* combo = child<TLookupCombo>(dialog, name);
        combo->SetValue(key);
    }

    static QStringList items(QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i) {
            texts << combo->itemText(i);
        }
        return texts;
    }

    static QStringList rates(QDialog& dialog) {
        QStringList texts;
        auto* list = child<QTreeWidget>(dialog, "ListView");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            texts << list->topLevelItem(i)->text(0) + " " + list->topLevelItem(i)->text(1);
        }
        return texts;
    }

    void registerRow(const std::string& no) {
        Table& table = dm.T_OrderList;
        table.Open();
        table.Append();
        table.SetValue("No", no);
        table.SetValue("RegDate", 45000.0);
        table.Post();
        table.Close();
    }

    static TkvfOrder& withCurrencies(TkvfOrder& order) {
        order.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(1, 1.0f));
        order.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(2, 90.0f));
        order.CurrencyID = 2;
        return order;
    }
};

TEST_F(OrderPropDialogTest, OkWritesBackAndMakesTheDefaultsOfTheNextOrder) {
    TkvfOrder order;
    withCurrencies(order);
    order.OrderNo = "1";
    order.PriceGroupNo = 2;
    auto dialog = open(order);
    EXPECT_EQ(0, child<QTabWidget>(*dialog, "PageControl")->currentIndex());
    child<QLineEdit>(*dialog, "OrderNoEdit")->setText(QString::fromUtf8("  К-15 "));
    child<QLineEdit>(*dialog, "AltOrderNoEdit")->setText(" 77 ");
    child<QLineEdit>(*dialog, "CustomerEdit")->setText(QString::fromUtf8(" Сидоров "));
    child<QLineEdit>(*dialog, "ObjectNameEdit")->setText(QString::fromUtf8("Дача"));
    child<QLineEdit>(*dialog, "AddressEdit")->setText(QString::fromUtf8("Лесная, 1"));
    child<QLineEdit>(*dialog, "PhonesEdit")->setText("123-45-67");
    child<QLineEdit>(*dialog, "RemEdit")->setText(QString::fromUtf8("метка, длиннее пятнадцати"));
    child<QDateEdit>(*dialog, "RegDateEdit")->setDate(QDate(2024, 3, 1));
    child<QCheckBox>(*dialog, "RegDateSet")->setChecked(false);
    choose(*dialog, "ProfSysEdit", "S1");
    choose(*dialog, "InnerProfColorEdit", "02");
    choose(*dialog, "OuterProfColorEdit", "01");
    choose(*dialog, "FurnSysEdit", "2020");
    choose(*dialog, "FurnColorEdit", "02");
    choose(*dialog, "HandleEdit", "H2");
    choose(*dialog, "FalzCombo", "101");
    choose(*dialog, "DornCombo", "205");
    choose(*dialog, "StulpTypeCombo", "301");
    choose(*dialog, "OpenTypeCombo", "402");
    choose(*dialog, "MaterialEdit", "3");
    child<QComboBox>(*dialog, "CurrencyCombo")->setCurrentIndex(0);
    child<QDoubleSpinBox>(*dialog, "NDSTaxEdit")->setValue(18);
    child<QPlainTextEdit>(*dialog, "Memo")->setPlainText(QString::fromUtf8("строка 1\nстрока 2"));
    child<QPushButton>(*dialog, "OkBut")->click();
    ASSERT_EQ(QDialog::Accepted, dialog->result());
    EXPECT_TRUE(dialog->PricesChanged());

    EXPECT_EQ("К-15", order.OrderNo);
    EXPECT_EQ("77", order.AltOrderNo);
    EXPECT_EQ("Сидоров", order.Customer);
    EXPECT_EQ("Дача", order.ObjectName);
    EXPECT_EQ("Лесная, 1", order.Address);
    EXPECT_EQ("123-45-67", order.Phones);
    // Cut to 15 characters, then trimmed.
    EXPECT_EQ("метка, длиннее", order.Remark);
    EXPECT_EQ(45352.0, order.RegDate);
    EXPECT_FALSE(order.RegDateSet);
    EXPECT_EQ((std::vector<std::string>{"строка 1", "строка 2"}), order.Memo);
    EXPECT_EQ("S1", order.ProfSys);
    EXPECT_EQ("02", order.InnerProfColor);
    EXPECT_EQ("01", order.OuterProfColor);
    EXPECT_EQ("2020", order.FurnSys);
    EXPECT_EQ("02", order.FurnColor);
    EXPECT_EQ("H2", order.Handle);
    EXPECT_EQ(101, order.Falz);
    EXPECT_EQ(205, order.Dorn);
    EXPECT_EQ(301, order.StulpType);
    EXPECT_EQ(402, order.OpenType);
    EXPECT_EQ(3, order.Material);
    EXPECT_EQ(1, order.CurrencyID);
    EXPECT_FLOAT_EQ(18, order.NDSTax);
    ASSERT_EQ(2, order.CurrencyCount());
    EXPECT_FLOAT_EQ(90, order.Currency(1).Rate);

    TOrderForm* next = newWindow();
    const TkvfOrder& fresh = next->Order();
    EXPECT_EQ("S1", fresh.ProfSys);
    EXPECT_EQ("2020", fresh.FurnSys);
    EXPECT_EQ("H2", fresh.Handle);
    EXPECT_EQ(101, fresh.Falz);
    EXPECT_EQ(205, fresh.Dorn);
    EXPECT_EQ(301, fresh.StulpType);
    EXPECT_EQ(402, fresh.OpenType);
    EXPECT_EQ(3, fresh.Material);
    EXPECT_EQ(1, fresh.CurrencyID);
    EXPECT_EQ(2, fresh.PriceGroupNo);
    EXPECT_FLOAT_EQ(18, fresh.NDSTax);
    // The colours are the systems' base colours, not the ones chosen last.
    EXPECT_EQ("03", fresh.InnerProfColor);
    EXPECT_EQ("03", fresh.OuterProfColor);
    EXPECT_EQ("02", fresh.FurnColor);
    EXPECT_EQ(2, fresh.CurrencyCount());
}

TEST_F(OrderPropDialogTest, TheNumberIsCheckedOnOk) {
    registerRow("abc");
    struct Case {
        const char* name;
        const char* opened;
        const char* entered;
        bool accepted;
        const char* warning;
    };
    const Case cases[] = {
        {"empty number", "x", "  ", false, "Не указан номер заказа!"},
        {"letter case of a registered number", "abc", "ABC", false,
         "Заказ с номером ABC был зарегистрирован 15.03.2023!\r\nУкажите другой номер заказа."},
        {"another registered number", "x", "Abc", false,
         "Заказ с номером Abc был зарегистрирован 15.03.2023!\r\nУкажите другой номер заказа."},
        {"the number it was opened with", "abc", "abc", true, nullptr},
        {"a free number", "abc", "abd", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.records.clear();
        TkvfOrder order;
        order.OrderNo = c.opened;
        auto dialog = open(order);
        child<QLineEdit>(*dialog, "OrderNoEdit")->setText(QString::fromUtf8(c.entered));
        child<QPushButton>(*dialog, "OkBut")->click();
        EXPECT_EQ(c.accepted, !dialog->isVisible());
        if (c.warning != nullptr) {
            EXPECT_EQ(std::vector<std::string>{c.warning}, messages(MessageKind::Warning));
            EXPECT_EQ(c.opened, order.OrderNo);
        } else {
            EXPECT_TRUE(prompter.records.empty());
            EXPECT_EQ(c.entered, order.OrderNo);
        }
    }
}

TEST_F(OrderPropDialogTest, PriceSettingsAskTheWindowForARecalculation) {
    struct Case {
        const char* name;
        std::function<void(QWidget*)> edit;
        bool warned;
    };
    const Case cases[] = {
        {"VAT rate", [](QWidget* d) { d->findChild<QDoubleSpinBox*>("NDSTaxEdit")->setValue(10); }, true},
        {"currency", [](QWidget* d) { d->findChild<QComboBox*>("CurrencyCombo")->setCurrentIndex(1); }, true},
        {"customer", [](QWidget* d) { d->findChild<QLineEdit*>("CustomerEdit")->setText("X"); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.records.clear();
        TOrderForm* form = newWindow("P-1");
        addPosition(form->Order(), "1", "a");
        form->RefreshAll();
        WhenModalShown([&](QWidget* dialog) {
            c.edit(dialog);
            dialog->findChild<QPushButton*>("OkBut")->click();
        });
        form->OrderPropertiesRequest();
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
        std::vector<std::string> expected;
        if (c.warned) {
            expected = {
                "Были изменены настройки, влияющие на цену изделий.\r\nДля корректной работы необходимо "
                "пересчитать заказ!"};
        }
        EXPECT_EQ(expected, messages(MessageKind::Warning));
        EXPECT_EQ(c.warned, !messages(MessageKind::Confirmation).empty());
        EXPECT_TRUE(form->Unsaved());
    }
}

TEST_F(OrderPropDialogTest, RateEditing) {
    struct Case {
        const char* name;
        std::function<void(QLineEdit* editor, QDialog& dialog)> finish;
        const char* rate;
    };
    const Case cases[] = {
        {"Escape keeps the old rate", [](QLineEdit* e, QDialog&) { QTest::keyClick(e, Qt::Key_Escape); },
         "90.0000"},
        {"Enter keeps the new rate", [](QLineEdit* e, QDialog&) { QTest::keyClick(e, Qt::Key_Return); },
         "91.2346"},
        {"leaving keeps the new rate",
         [](QLineEdit*, QDialog& d) { d.findChild<QDoubleSpinBox*>("NDSTaxEdit")->setFocus(); }, "91.2346"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfOrder order;
        withCurrencies(order);
        order.OrderNo = "R";
        auto dialog = open(order);
        auto* list = child<QTreeWidget>(*dialog, "ListView");
        child<QTabWidget>(*dialog, "PageControl")->setCurrentIndex(2);
        list->setCurrentItem(list->topLevelItem(1));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QLineEdit* editor = dialog->RateEdit();
        ASSERT_TRUE(editor->isVisible());
        EXPECT_EQ(QString("90.0000"), editor->text());
        editor->selectAll();
        QTest::keyClicks(editor, "91.23456");
        c.finish(editor, *dialog);
        QCoreApplication::processEvents();
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(QString(c.rate), list->topLevelItem(1)->text(1));
        child<QPushButton>(*dialog, "OkBut")->click();
        EXPECT_EQ(QString(c.rate), QString::fromStdString(FormatFixed(order.Currency(1).Rate, 4)));
    }
}

TEST_F(OrderPropDialogTest, CurrentRatesReplaceTheOrdersRates) {
    TkvfOrder order;
    withCurrencies(order);
    order.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(9, 3.0f));
    order.OrderNo = "R";
    auto dialog = open(order);
    EXPECT_EQ(QStringList({QString::fromUtf8("руб 1.0000"), "EUR 90.0000", " 3.0000"}), rates(*dialog));
    child<QPushButton>(*dialog, "CurrencyBut")->click();
    EXPECT_EQ(QStringList({QString::fromUtf8("руб 1.0000"), "EUR 95.5000"}), rates(*dialog));
    EXPECT_EQ(QString("EUR"), child<QComboBox>(*dialog, "CurrencyCombo")->currentText());
    child<QPushButton>(*dialog, "OkBut")->click();
    ASSERT_EQ(2, order.CurrencyCount());
    EXPECT_FLOAT_EQ(95.5f, order.Currency(1).Rate);
    EXPECT_EQ(2, order.CurrencyID);
    EXPECT_FALSE(dialog->PricesChanged());
}

TEST_F(OrderPropDialogTest, TheLastOrderNumber) {
    TkvfOrder order;
    auto dialog = open(order);
    child<QToolButton>(*dialog, "OrderNoBut")->click();
    std::filesystem::create_directories(paths.OrdersDir);
    WriteLastOrderNo(paths.OrdersDir, "Z-5");
    child<QToolButton>(*dialog, "OrderNoBut")->click();
    EXPECT_EQ((std::vector<std::string>{"Номер последнего заказа: ???", "Номер последнего заказа: Z-5"}),
              messages(MessageKind::Information));
}

TEST_F(OrderPropDialogTest, DropDownsAreFilteredByTheChosenSystem) {
    TkvfOrder order;
    order.FurnSys = "1010";
    auto dialog = open(order);
    auto popup = [&](const char* name) {
        auto* combo = child<TLookupCombo>(*dialog, name);
        combo->showPopup();
        const QStringList shown = items(combo);
        combo->hidePopup();
        return shown;
    };
    EXPECT_EQ(QStringList({QString::fromUtf8("Система А"), QString::fromUtf8("Система Б")}),
              popup("FurnSysEdit"));
    EXPECT_EQ(QStringList({QString::fromUtf8("Планки 1")}), popup("ProfSysEdit"));
    EXPECT_EQ(QStringList({QString::fromUtf8("Белый")}), popup("FurnColorEdit"));
    EXPECT_EQ(QStringList({QString::fromUtf8("Ручка общая"), QString::fromUtf8("Ручка А")}),
              popup("HandleEdit"));
    // Every filter is gone once the list is read.
    EXPECT_FALSE(dm.T_FrnComp.Filtered());
    EXPECT_FALSE(dm.T_SysList.Filtered());

    choose(*dialog, "FurnSysEdit", "9999");
    EXPECT_EQ(3, popup("HandleEdit").size());
    EXPECT_EQ(std::vector<std::string>{"В БД отсутствуют данные для системы [9999]!"},
              messages(MessageKind::Error));
}

TEST_F(OrderPropDialogTest, ClearEmptiesTheNotes) {
    TkvfOrder order;
    order.OrderNo = "N";
    order.Memo = {"a", "b"};
    auto dialog = open(order);
    EXPECT_EQ(QString("a\nb"), child<QPlainTextEdit>(*dialog, "Memo")->toPlainText());
    child<QPushButton>(*dialog, "ClearBut")->click();
    child<QPushButton>(*dialog, "OkBut")->click();
    EXPECT_TRUE(order.Memo.empty());
}

} // namespace
} // namespace kvf

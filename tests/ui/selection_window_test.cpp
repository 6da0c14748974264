// The selection window driven like a user: built from the registry's marked
// orders through the properties dialog, sorted, reordered by dragging, saved
// (with the offer to rename after a new number) and loaded again; adding an
// order twice; the properties dialog's rates; the close rules.

#include "model/order_selection.h"
#include "registry_windows_fixture.h"
#include "ui/order_list_form.h"
#include "ui/order_list_model.h"
#include "ui/order_selection_form.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace kvf::test {
namespace {

namespace fs = std::filesystem;
using Record = ScriptedPrompter::Record;

class SelectionWindow : public RegistryWindows {
protected:
    // Fills the properties dialog when it comes up: number and name, then OK.
    static void answerProperties(const std::string& number, const std::string& name = {}) {
        WhenModalShown([number, name](QWidget* modal) {
            modal->findChild<QLineEdit*>("SelectionNoEdit")->setText(QString::fromStdString(number));
            if (!name.empty())
                modal->findChild<QLineEdit*>("NameEdit")->setText(QString::fromStdString(name));
            modal->findChild<QPushButton*>("OkBut")->click();
        });
    }

    TOrderSelectionForm& newSelection() {
        TChildWindow* child = factory.CreateSelectionWindow(*main, {}, nullptr);
        main->AddChild(child);
        return dynamic_cast<TOrderSelectionForm&>(*child);
    }

    static std::vector<QString> column(const TOrderSelectionForm& form, int column) {
        std::vector<QString> values;
        for (int row = 0; row < form.List()->topLevelItemCount(); ++row)
            values.push_back(form.List()->topLevelItem(row)->text(column));
        return values;
    }

    static void clickHeader(TOrderSelectionForm& form, int column) {
        QHeaderView* header = form.List()->header();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, header->height() / 2));
    }

    // A drag of the row `from` that ends on the row `to`: the list's request
    // (an offscreen test cannot run the platform's drag loop).
    static void drag(TOrderSelectionForm& form, int from, int to) {
        auto* list = static_cast<TSelectionListView*>(form.List());
        list->setCurrentItem(list->topLevelItem(from));
        emit list->MoveRequested(from, to);
    }
};

TEST_F(SelectionWindow, FromMarkedRegistryOrdersSortedDraggedSavedAndReloaded) {
    order("a.kfo370", "12-A", "Иванов", 2);
    order("b.kfo370", "12-B", "Петров", 1);
    order("c.kfo370", "12-C", "Сидоров", 1);
    main->OpenRegistryRequest();
    auto* registry = dynamic_cast<TOrderListForm*>(main->ActiveChild());
    ASSERT_NE(nullptr, registry);
    chooseFiles({"a.kfo370", "b.kfo370", "c.kfo370"});
    registry->Item("RegistrateOrderItem")->trigger();
    registry->Model()->ToggleMark(2);
    registry->Model()->ToggleMark(0);
    messages();

    prompter.confirmAnswers = {true};
    answerProperties("1", "Кухни");
    main->NewOrderSelection();
    QApplication::processEvents();
    QApplication::processEvents();
    auto* form = dynamic_cast<TOrderSelectionForm*>(main->ActiveChild());
    ASSERT_NE(nullptr, form);
    EXPECT_EQ((std::vector<Record>{
                  {MessageKind::Confirmation, "Создать выборку на основании выделенных заказов?"}}),
              messages());
    // The marked orders in the order they were marked, and the marks gone.
    EXPECT_EQ((std::vector<QString>{"12-C", "12-A", "12-A"}),
              column(*form, TOrderSelectionForm::OrderColumn));
    EXPECT_EQ((std::vector<QString>{"1", "1", "2"}), column(*form, TOrderSelectionForm::PosColumn));
    EXPECT_EQ((std::vector<QString>{"1100", "1100", "1200"}),
              column(*form, TOrderSelectionForm::WidthColumn));
    EXPECT_EQ((std::vector<QString>{"%C.KFO370", "%A.KFO370", "%A.KFO370"}),
              column(*form, TOrderSelectionForm::FileColumn));
    EXPECT_EQ(0, registry->SelectedCount());
    EXPECT_EQ(QString("1"), form->StatusText(0));
    EXPECT_EQ(QString::fromUtf8("Кухни"), form->StatusText(1));
    EXPECT_TRUE(form->Modified());
    EXPECT_TRUE(main->Item("SaveItem")->isEnabled());

    clickHeader(*form, TOrderSelectionForm::OrderColumn);
    EXPECT_EQ((std::vector<QString>{"12-A", "12-A", "12-C"}),
              column(*form, TOrderSelectionForm::OrderColumn));
    EXPECT_EQ((std::vector<QString>{"1100.0", "1200.0", "1100.0"}),
              column(*form, TOrderSelectionForm::WidthColumn));
    drag(*form, 2, 0);
    EXPECT_EQ((std::vector<QString>{"12-C", "12-A", "12-A"}),
              column(*form, TOrderSelectionForm::OrderColumn));
    EXPECT_EQ(0, form->List()->indexOfTopLevelItem(form->List()->currentItem()));
    form->List()->topLevelItem(2)->setCheckState(TOrderSelectionForm::IncludedColumn, Qt::Unchecked);
    EXPECT_FALSE(form->Selection().Item(2).Included);

    // A new selection is saved through the save-as dialog.
    const std::string first = paths.SelectionDir + "/first.kfs370";
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(nullptr, dialog);
        dialog->selectFile(QString::fromStdString(first));
        static_cast<QDialog*>(dialog)->accept();
    });
    main->Item("SaveItem")->trigger();
    EXPECT_TRUE(fs::exists(first));
    EXPECT_FALSE(form->Modified());
    EXPECT_FALSE(main->Item("SaveItem")->isEnabled());

    // A new number: declining the rename keeps the file's name.
    answerProperties("7");
    form->PropertyItemClick();
    prompter.confirmAnswers = {false};
    messages();
    main->Item("SaveItem")->trigger();
    EXPECT_EQ((std::vector<Record>{{MessageKind::Confirmation,
                                    "Изменился номер выборки. Переименовать файл согласно нового номера?"}}),
              messages());
    EXPECT_EQ(first, form->FileName());

    // 12/5 proposes 12_5 in the selection folder; the file moves there.
    answerProperties("12/5");
    form->PropertyItemClick();
    prompter.confirmAnswers = {true};
    QString proposed, folder;
    WhenModalShown([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(nullptr, dialog);
        proposed = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        folder = dialog->directory().absolutePath();
        static_cast<QDialog*>(dialog)->accept();
    });
    main->Item("SaveItem")->trigger();
    EXPECT_EQ(QString("12_5"), proposed);
    EXPECT_EQ(QString::fromStdString(paths.SelectionDir), folder);
    const std::string renamed = paths.SelectionDir + "/12_5.kfs370";
    EXPECT_EQ(renamed, form->FileName());
    EXPECT_TRUE(fs::exists(renamed));
    EXPECT_FALSE(fs::exists(first));

    // Unchanged: closing never asks; loading gives the same rows.
    messages();
    form->parentWidget()->close();
    QApplication::processEvents();
    EXPECT_TRUE(messages().empty());
    TChildWindow* child = factory.CreateSelectionWindow(*main, renamed, nullptr);
    ASSERT_NE(nullptr, child);
    main->AddChild(child);
    auto& loaded = dynamic_cast<TOrderSelectionForm&>(*child);
    EXPECT_EQ((std::vector<QString>{"12-C", "12-A", "12-A"}),
              column(loaded, TOrderSelectionForm::OrderColumn));
    EXPECT_EQ((std::vector<QString>{"1", "1", "2"}), column(loaded, TOrderSelectionForm::PosColumn));
    EXPECT_EQ(Qt::Unchecked, loaded.List()->topLevelItem(2)->checkState(TOrderSelectionForm::IncludedColumn));
    EXPECT_EQ(QString("12/5"), loaded.StatusText(0));
    EXPECT_EQ(QString::fromStdString(renamed), loaded.windowTitle());
}

TEST_F(SelectionWindow, AddingAnOrderAgainUpdatesItsRows) {
    const std::string a = order("a.kfo370", "A-1", "Иванов", 2);
    TOrderSelectionForm& form = newSelection();
    EXPECT_EQ(QString("NewSel.kfs370"), form.windowTitle());
    // The check-box title of an empty list changes nothing.
    clickHeader(form, TOrderSelectionForm::IncludedColumn);
    EXPECT_FALSE(form.Modified());

    chooseFiles({"a.kfo370"});
    form.Item("AddOrderItem")->trigger();
    EXPECT_EQ((std::vector<QString>{"1100", "1200"}), column(form, TOrderSelectionForm::WidthColumn));
    EXPECT_EQ((std::vector<QString>{"1", "2"}), column(form, TOrderSelectionForm::NumberColumn));
    EXPECT_EQ(1, form.List()->indexOfTopLevelItem(form.List()->currentItem()));

    TkvfOrder changed;
    bool converted = false;
    ASSERT_TRUE(changed.LoadFromFile(a, converted, prompter));
    changed.Position(0).SetShape({900, 700, 0, 0, 0, 0, 0}, 0);
    ASSERT_TRUE(changed.SaveToFile(a, prompter));
    form.AddOrderFile(a);
    EXPECT_EQ((std::vector<QString>{"900.0", "1200.0"}), column(form, TOrderSelectionForm::WidthColumn));

    clickHeader(form, TOrderSelectionForm::IncludedColumn);
    EXPECT_FALSE(form.Selection().Item(0).Included);
    EXPECT_FALSE(form.Selection().Item(1).Included);
    clickHeader(form, TOrderSelectionForm::IncludedColumn);
    EXPECT_TRUE(form.Selection().Item(1).Included);

    prompter.confirmAnswers = {true};
    main->Item("DeletePosBut")->trigger();
    EXPECT_EQ((std::vector<QString>{"1"}), column(form, TOrderSelectionForm::PosColumn));

    // Modified: Cancel keeps the window, No closes it.
    messages();
    QMdiSubWindow* window = qobject_cast<QMdiSubWindow*>(form.parentWidget());
    prompter.yesNoCancelAnswers = {YesNoCancelAnswer::Cancel};
    EXPECT_FALSE(window->close());
    prompter.yesNoCancelAnswers = {YesNoCancelAnswer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ((std::vector<Record>{{MessageKind::YesNoCancel, "Сохранить выборку?"},
                                   {MessageKind::YesNoCancel, "Сохранить выборку?"}}),
              messages());
}

TEST_F(SelectionWindow, PropertiesDialogEditsCopiesOfTheRates) {
    TOrderSelectionForm& form = newSelection();
    ASSERT_EQ(3, form.Selection().CurrencyCount());
    WhenModalShown([&](QWidget* modal) {
        auto* ok = modal->findChild<QPushButton*>("OkBut");
        // Without a number the dialog stays.
        modal->findChild<QLineEdit*>("SelectionNoEdit")->setText("  ");
        ok->click();
        EXPECT_TRUE(modal->isVisible());
        auto* rates = modal->findChild<QTreeWidget*>("ListView");
        auto* rateEdit = modal->findChild<QLineEdit*>("RateEdit");
        EXPECT_EQ(QString("98.4500"), rates->topLevelItem(1)->text(1));
        // Enter on a row edits its rate; Enter stores it, Esc drops the edit.
        rates->setCurrentItem(rates->topLevelItem(1));
        QTest::keyClick(rates, Qt::Key_Return);
        EXPECT_TRUE(rateEdit->isVisible());
        rateEdit->setText("100.5");
        QTest::keyClick(rateEdit, Qt::Key_Return);
        EXPECT_FALSE(rateEdit->isVisible());
        EXPECT_EQ(QString("100.5000"), rates->topLevelItem(1)->text(1));
        rates->setCurrentItem(rates->topLevelItem(2));
        QTest::keyClick(rates, Qt::Key_Return);
        rateEdit->setText("1");
        QTest::keyClick(rateEdit, Qt::Key_Escape);
        EXPECT_EQ(QString("91.2000"), rates->topLevelItem(2)->text(1));
        modal->findChild<QComboBox*>("CurrencyCombo")->setCurrentIndex(1);
        modal->findChild<QLineEdit*>("SelectionNoEdit")->setText(" 5 ");
        ok->click();
    });
    form.PropertyItemClick();
    EXPECT_EQ((std::vector<Record>{{MessageKind::Warning, "Не указан номер выборки!"}}), messages());
    const TkvfOrderSelection& selection = form.Selection();
    EXPECT_EQ("5", selection.SelNo);
    EXPECT_EQ(2, selection.CurrencyID);
    EXPECT_FLOAT_EQ(100.5f, selection.Currencies[1]->Rate);
    EXPECT_FLOAT_EQ(91.2f, selection.Currencies[2]->Rate);
    // The window's pricing context is the selection's.
    EXPECT_EQ(2, setup.Pricing.Currency);
    EXPECT_DOUBLE_EQ(100.5, setup.Pricing.Currencies[1].Rate);

    // "Установить текущий курс" brings the catalog's rates back.
    WhenModalShown([](QWidget* modal) {
        modal->findChild<QPushButton*>("CurrencyBut")->click();
        EXPECT_EQ(1, modal->findChild<QComboBox*>("CurrencyCombo")->currentIndex());
        modal->findChild<QPushButton*>("OkBut")->click();
    });
    form.PropertyItemClick();
    EXPECT_FLOAT_EQ(98.45f, form.Selection().Currencies[1]->Rate);
}

} // namespace
} // namespace kvf::test

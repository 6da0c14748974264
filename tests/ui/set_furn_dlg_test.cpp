// The fittings dialog driven like a user on the demo catalog.

#include "base/typed_stream.h"
#include "catalog/catalog_lookups.h"
#include "engine/order_recalc.h"
#include "fittings_fixture.h"
#include "model/furn_comp.h"
#include "ui/change_furn_dlg.h"
#include "ui/data_grid.h"
#include "ui/select_complect_dlg.h"
#include "ui/set_furn_dlg.h"
#include "ui/trace_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

#include <set>

namespace kvf {
namespace {

using test::Offered;
using test::Pick;

class FittingsDialogTest : public test::DemoCatalogTest {
protected:
    // The items of a sash as "ID x Count" lines.
    static std::vector<std::string> Items(const TkvfFlugel& sash) {
        std::vector<std::string> lines;
        if (sash.FurnComp) {
            for (int i = 0; i < sash.FurnComp->ItemCount(); ++i) {
                const TkvfFurnItem& item = sash.FurnComp->Item(i);
                lines.push_back(item.ID + " x " + std::to_string(item.Count));
            }
        }
        return lines;
    }
    // The rows of the "Спецификация" page as "№ name x count" ("" for the separator row).
    static std::vector<std::string> ItemRows(const TSetFurnDlg& dialog) {
        std::vector<std::string> rows;
        const QTableWidget* list = dialog.ItemListView;
        for (int r = 0; r < list->rowCount(); ++r) {
            if (list->item(r, 1) == nullptr) {
                rows.emplace_back();
                continue;
            }
            rows.push_back(list->item(r, 1)->text().toStdString() + " " +
                           list->item(r, 7)->text().toStdString() + " x " +
                           list->item(r, 6)->text().toStdString());
        }
        return rows;
    }
    static std::string Image(const TkvfConstruction& position) {
        TSpecStream stream;
        position.SaveToStream(stream);
        return stream.Bytes();
    }
};

TEST_F(FittingsDialogTest, SingleSashChoiceComputesWhatRecalcComputes) {
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    TSetFurnDlg dialog(*context, position);
    EXPECT_FALSE(dialog.LeftFlugelRadio->isEnabled());
    EXPECT_FALSE(dialog.RightFlugelRadio->isEnabled());
    EXPECT_FALSE(dialog.LatchCombo->isEnabled());
    EXPECT_EQ(QString("800 x 1200"), dialog.FalzSizeLab->text());

    Pick(dialog.ComplectCombo, "K-DK");
    Pick(dialog.HandleCombo, "H-STD");
    Pick(dialog.HingeCombo, "B-STD");
    // Choosing only touches the preview copy: the choice without items.
    ASSERT_TRUE(dialog.Preview().LeftFlugel.FurnComp);
    EXPECT_EQ("H-STD", dialog.Preview().LeftFlugel.FurnComp->HandlePart);
    EXPECT_EQ(0, dialog.Preview().LeftFlugel.FurnComp->ItemCount());
    EXPECT_FALSE(position.LeftFlugel.FurnComp);
    dialog.Pages->setCurrentIndex(2);
    ASSERT_EQ(2, dialog.Pages->currentIndex());
    const std::vector<std::string> shown = ItemRows(dialog);
    const std::string total = dialog.CostPanel->text().toStdString();
    dialog.OkBut->click();
    ASSERT_EQ(QDialog::Accepted, dialog.result()) << ::testing::PrintToString(prompter.records.size());

    ASSERT_TRUE(position.LeftFlugel.FurnComp);
    EXPECT_EQ("K-DK", position.LeftFlugel.FurnComp->Complect);
    EXPECT_EQ("H-STD", position.LeftFlugel.FurnComp->HandlePart);
    EXPECT_EQ("B-STD", position.LeftFlugel.FurnComp->Hinge);
    EXPECT_FALSE(Items(position.LeftFlugel).empty());

    // The same choice recomputed as the command line's recalculation does it.
    TkvfConstruction& copy = order.AddPosition();
    copy.CopyFrom(position);
    CatalogLookups lookups(dm, {&order.Currencies, order.CurrencyID});
    ReapplyFurn(EngineContext{dm, lookups, prompter, false}, copy);
    EXPECT_EQ(Items(copy.LeftFlugel), Items(position.LeftFlugel));
    EXPECT_EQ(copy.Cost, position.Cost);
    EXPECT_EQ(Image(copy), Image(position));

    // The "Спецификация" page listed exactly those items, priced to the position's cost.
    std::vector<std::string> expected;
    for (int i = 0; i < copy.LeftFlugel.FurnComp->ItemCount(); ++i) {
        const TkvfFurnItem& item = copy.LeftFlugel.FurnComp->Item(i);
        expected.push_back(std::to_string(i + 1) + ". " + lookups.GetArticleName(item.ID, true) + " x " +
                           std::to_string(item.Count));
    }
    EXPECT_EQ(expected, shown);
    EXPECT_EQ(copy.Cost.Format4(), total);
}

TEST_F(FittingsDialogTest, MissingComplectMessages) {
    struct Case {
        const char* name;
        int shape;
        const char* leftComplect; // chosen for sash 1 before OK, or nullptr
        const char* message;
    };
    const Case cases[] = {
        {"single sash", 0, nullptr, "Не указан комплект фурнитуры!"},
        {"pair without either", 2, nullptr, "Не указан левый комплект фурнитуры!"},
        {"pair without the right one", 2, "K-DK-S1", "Не указан правый комплект фурнитуры!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        prompter.records.clear();
        TkvfConstruction& position =
            c.shape == 0 ? NewPosition(0, 800, 1200) : NewPosition(2, 1400, 1400, 700, 700);
        const std::string before = Image(position);
        TSetFurnDlg dialog(*context, position);
        if (c.leftComplect != nullptr)
            Pick(dialog.ComplectCombo, c.leftComplect);
        dialog.OkBut->click();
        EXPECT_NE(QDialog::Accepted, dialog.result());
        EXPECT_EQ(std::vector<std::string>{c.message}, prompter.Texts(MessageKind::Error));
        EXPECT_EQ(before, Image(position));
    }
}

TEST_F(FittingsDialogTest, CancelLeavesThePositionUntouched) {
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    const std::string before = Image(position);
    test::WhenModalShown([](QWidget* modal) {
        auto* dialog = qobject_cast<TSetFurnDlg*>(modal);
        ASSERT_NE(nullptr, dialog);
        Pick(dialog->ComplectCombo, "K-DK");
        dialog->WidthEdit->setValue(82.5);
        dialog->Pages->setCurrentIndex(2); // computes the composition into the position
        EXPECT_GT(dialog->ItemListView->rowCount(), 0);
        dialog->CancelBut->click();
    });
    EXPECT_FALSE(ExecuteSetFurnDlg(*context, position, nullptr));
    EXPECT_EQ(before, Image(position));
    EXPECT_EQ(82.5, setup.DefProfWidth) << "the profile shown is remembered however the dialog closes";
    EXPECT_FALSE(dm.T_FrnComp.Filtered());
}

TEST_F(FittingsDialogTest, ComplectListOffersTheSubGroupsOfTheSashShown) {
    struct Case {
        const char* name;
        int shape;
        int sashShown;
        std::vector<std::string> offered;
    };
    const Case cases[] = {
        // The transom, arch and trapezium complects do not fit an 800 x 1200 rectangle.
        {"single sash: sub-group 0 that fits", 0, 1, {"K-D", "K-DK", "K-PSK-L", "K-PSK-R"}},
        {"left main, sash 1: sub-group 11", 2, 1, {"K-DK-S1"}},
        {"left main, sash 2: sub-groups 22 to 24", 2, 2, {"K-ST-S2"}},
        {"right main, sash 2: sub-group 21", 1, 2, {"K-DK-S2"}},
        {"right main, sash 1: sub-groups 12 to 14", 1, 1, {"K-ST-S1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfConstruction& position =
            c.shape == 0 ? NewPosition(0, 800, 1200) : NewPosition(c.shape, 1400, 1400, 700, 700);
        TSetFurnDlg dialog(*context, position);
        if (dialog.CurrentSash() != c.sashShown)
            (c.sashShown == 1 ? dialog.LeftFlugelRadio : dialog.RightFlugelRadio)->click();
        ASSERT_EQ(c.sashShown, dialog.CurrentSash());
        EXPECT_EQ(c.offered, Offered(dialog.ComplectCombo));
    }
    EXPECT_TRUE(prompter.records.empty());
}

TEST_F(FittingsDialogTest, ChoosingASystemNarrowsTheListsToItsFamily) {
    TkvfConstruction& position = NewPosition(2, 1400, 1400, 700, 700);
    TSetFurnDlg dialog(*context, position);
    EXPECT_EQ((std::vector<std::string>{"1205", "1310"}), Offered(dialog.FurnSysCombo)) << "systems in use";
    EXPECT_EQ((std::vector<std::string>{"K13", "K9", "KW"}), Offered(dialog.ProfSysCombo));
    Pick(dialog.ComplectCombo, "K-DK-S1");
    const QString complectText = dialog.ComplectCombo->currentText();

    Pick(dialog.FurnSysCombo, "1310");
    EXPECT_EQ("", dialog.ProfSysCombo->Value()) << "a new system clears the strike-plate system";
    EXPECT_EQ((std::vector<std::string>{"O13", "OAL"}), Offered(dialog.ProfSysCombo));
    EXPECT_EQ((std::vector<std::string>{"BR", "SI", "WH"}), Offered(dialog.ColorCombo));
    EXPECT_EQ(std::vector<std::string>{}, Offered(dialog.ComplectCombo))
        << "the family has no pair complects";
    EXPECT_EQ("K-DK-S1", dialog.ComplectCombo->Value());
    EXPECT_EQ(complectText, dialog.ComplectCombo->currentText());
}

TEST_F(FittingsDialogTest, DoorHandleGroupRestrictsTheLocks) {
    struct Case {
        const char* name;
        const char* handle; // nullptr: none chosen
        std::vector<std::string> locks;
    };
    const Case cases[] = {
        {"no handle: every door lock group", nullptr, {"L-ELEC", "L-MECH", "L-MULTI", "L-UNI"}},
        {"handle of group 33: 41, 43, 42", "H-PRESS", {"L-MECH", "L-MULTI", "L-UNI"}},
        {"handle of group 34: 41, 44, 42", "H-BAR", {"L-ELEC", "L-MULTI", "L-UNI"}},
        {"handle of group 31: every door lock group", "H-BAL", {"L-ELEC", "L-MECH", "L-MULTI", "L-UNI"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfConstruction& position = NewPosition(0, 900, 2100);
        position.ObjectType = 1;
        TSetFurnDlg dialog(*context, position);
        EXPECT_EQ((std::vector<std::string>{"H-BAL", "H-BAR", "H-KNOB", "H-PRESS"}),
                  Offered(dialog.HandleCombo));
        Pick(dialog.LockCombo, "L-UNI");
        if (c.handle != nullptr) {
            Pick(dialog.HandleCombo, c.handle);
            EXPECT_EQ("", dialog.LockCombo->Value()) << "choosing a handle clears the lock";
        }
        EXPECT_EQ(c.locks, Offered(dialog.LockCombo));
    }
}

TEST_F(FittingsDialogTest, SwitchingSashesAndBackRestoresEveryChoice) {
    setup.UserDefineHeight = true;
    TkvfConstruction& position = NewPosition(2, 1400, 1400, 700, 700);
    TSetFurnDlg dialog(*context, position);
    EXPECT_TRUE(dialog.LeftFlugelRadio->isChecked());
    EXPECT_EQ(QString::fromUtf8("Левая створка (Главная)"), dialog.LeftFlugelRadio->text());
    EXPECT_TRUE(dialog.LatchCombo->isEnabled());

    Pick(dialog.ComplectCombo, "K-DK-S1");
    Pick(dialog.HandleCombo, "H-KEY");
    Pick(dialog.HingeCombo, "B-HVY");
    Pick(dialog.LatchCombo, "LT-BAL");
    Pick(dialog.DornCombo, "225");
    ASSERT_EQ(3, dialog.DI->SubRowCount(0));
    EXPECT_EQ(QString::fromUtf8("Базовый"), dialog.DI->ValueBox(0, 1)->currentText()) << "the default value";
    dialog.DI->ValueBox(0, 1)->setCurrentText(QString::fromUtf8("RC2"));
    dialog.UserDefineHeightCheck->setChecked(true);
    EXPECT_EQ(700, dialog.UserDefineHeightEdit->value()) << "half the sash's height";
    dialog.UserDefineHeightEdit->setValue(650);

    dialog.RightFlugelRadio->click();
    EXPECT_EQ(2, dialog.CurrentSash());
    EXPECT_FALSE(dialog.LeftFlugelRadio->isChecked());
    EXPECT_EQ("", dialog.ComplectCombo->Value());
    EXPECT_EQ("", dialog.LatchCombo->Value());
    EXPECT_FALSE(dialog.UserDefineHeightCheck->isChecked());
    EXPECT_EQ("215", dialog.DornCombo->Value());
    Pick(dialog.ComplectCombo, "K-ST-S2");

    dialog.LeftFlugelRadio->click();
    EXPECT_EQ(1, dialog.CurrentSash());
    EXPECT_EQ("K-DK-S1", dialog.ComplectCombo->Value());
    EXPECT_EQ("H-KEY", dialog.HandleCombo->Value());
    EXPECT_EQ("B-HVY", dialog.HingeCombo->Value());
    EXPECT_EQ("LT-BAL", dialog.LatchCombo->Value());
    EXPECT_EQ("225", dialog.DornCombo->Value());
    EXPECT_TRUE(dialog.UserDefineHeightCheck->isChecked());
    EXPECT_EQ(650, dialog.UserDefineHeightEdit->value());
    ASSERT_EQ(3, dialog.DI->SubRowCount(0));
    EXPECT_EQ(QString::fromUtf8("RC2"), dialog.DI->ValueBox(0, 1)->currentText());
    EXPECT_EQ("K-ST-S2", dialog.Slot(2).Complect);

    dialog.OkBut->click();
    ASSERT_EQ(QDialog::Accepted, dialog.result());
    const TkvfFurnComp& left = *position.LeftFlugel.FurnComp;
    EXPECT_EQ((std::vector<std::string>{"0=101", "0=113", "0=121"}), left.Properties);
    EXPECT_TRUE(left.UserHandleHeightSet);
    EXPECT_EQ(650, left.UserHandleHeight);
    EXPECT_EQ(225, position.LeftFlugel.Dorn);
    EXPECT_EQ("K-ST-S2", position.RightFlugel.FurnComp->Complect);
    EXPECT_EQ(215, position.RightFlugel.Dorn);

    TSetFurnDlg again(*context, position);
    EXPECT_TRUE(again.UserDefineHeightCheck->isChecked());
    EXPECT_EQ(650, again.UserDefineHeightEdit->value());
    EXPECT_EQ(QString::fromUtf8("RC2"), again.DI->ValueBox(0, 1)->currentText());
    EXPECT_FALSE(prompter.nestedBusy);
    EXPECT_FALSE(prompter.unmatchedRestore);
    EXPECT_FALSE(prompter.busy);
}

TEST_F(FittingsDialogTest, ChoosingTheComplectAgainResetsItsProperties) {
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    TSetFurnDlg dialog(*context, position);
    Pick(dialog.ComplectCombo, "K-DK");
    ASSERT_EQ(3, dialog.DI->SubRowCount(0));
    dialog.DI->ValueBox(0, 0)->setCurrentText(QString::fromUtf8("Нет"));
    Pick(dialog.ComplectCombo, "K-DK");
    EXPECT_EQ(QString::fromUtf8("Да"), dialog.DI->ValueBox(0, 0)->currentText());
    Pick(dialog.ComplectCombo, "K-D"); // property key 10 as well
    EXPECT_EQ(3, dialog.DI->SubRowCount(0));
    EXPECT_EQ(0, dialog.DI->SubRowCount(1));
}

TEST_F(FittingsDialogTest, DeleteKeyClearsAPartAndItsProperties) {
    TkvfConstruction& position = NewPosition(0, 900, 2100);
    position.ObjectType = 1;
    TSetFurnDlg dialog(*context, position);
    Pick(dialog.ComplectCombo, "K-BT");
    Pick(dialog.HandleCombo, "H-BAL");
    Pick(dialog.LockCombo, "L-MULTI");
    ASSERT_EQ(1, dialog.DI->SubRowCount(3)) << "the lock's day-mode property";
    EXPECT_EQ(QString::fromUtf8("Нет"), dialog.DI->ValueBox(3, 0)->currentText()) << "its default";
    EXPECT_EQ("L-MULTI", dialog.Preview().LeftFlugel.FurnComp->Lock);

    QTest::keyClick(dialog.LockCombo, Qt::Key_Delete);
    EXPECT_EQ("", dialog.LockCombo->Value());
    EXPECT_TRUE(dialog.LockCombo->currentText().isEmpty());
    EXPECT_EQ(0, dialog.DI->SubRowCount(3));
    EXPECT_EQ("", dialog.Preview().LeftFlugel.FurnComp->Lock) << "the preview follows";

    Pick(dialog.LockCombo, "L-MULTI");
    QTest::keyClick(dialog.HandleCombo, Qt::Key_Delete);
    EXPECT_EQ("", dialog.LockCombo->Value()) << "clearing the handle clears the lock";
    EXPECT_EQ(0, dialog.DI->SubRowCount(3));
}

TEST_F(FittingsDialogTest, ArticleAddedByHandSurvivesOk) {
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    TSetFurnDlg dialog(*context, position);
    Pick(dialog.ComplectCombo, "K-DK");
    dialog.Pages->setCurrentIndex(2);
    const int computedRows = dialog.ItemListView->rowCount();
    ASSERT_GT(computedRows, 0);
    EXPECT_FALSE(dialog.NoRecalcCheck->isChecked());

    test::WhenModalShown([](QWidget* modal) {
        auto* entry = qobject_cast<TChangeFurnDlg*>(modal);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(QString::fromUtf8("Изменить"), entry->windowTitle());
        EXPECT_EQ(1, entry->NumEdit->value());
        entry->ArticleEdit->setText("NL-GT-01");
        entry->NumEdit->setValue(3);
        entry->CommentEdit->setText(QString::fromUtf8("запас"));
        entry->accept();
    });
    dialog.AddArticleBut->click();
    EXPECT_TRUE(dialog.NoRecalcCheck->isChecked());
    EXPECT_EQ(computedRows + 1, dialog.ItemListView->rowCount());

    // Leaving the page and coming back keeps the hand-made list.
    dialog.Pages->setCurrentIndex(0);
    dialog.Pages->setCurrentIndex(2);
    EXPECT_EQ(computedRows + 1, dialog.ItemListView->rowCount());

    dialog.OkBut->click();
    ASSERT_EQ(QDialog::Accepted, dialog.result());
    const TkvfFurnComp& comp = *position.LeftFlugel.FurnComp;
    const int added = comp.FindItem("NL-GT-01", "", 0, 0, "запас");
    ASSERT_GE(added, 0);
    EXPECT_EQ(3, comp.Item(added).Count);
    EXPECT_GT(position.Cost, Money());
}

TEST_F(FittingsDialogTest, ArticleChangedAndDeletedByHand) {
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    TSetFurnDlg dialog(*context, position);
    Pick(dialog.ComplectCombo, "K-DK");
    dialog.Pages->setCurrentIndex(2);
    const int rows = dialog.ItemListView->rowCount();
    ASSERT_GT(rows, 1);
    const TkvfFurnItem first = position.LeftFlugel.FurnComp->Item(0);

    dialog.ItemListView->selectRow(0);
    test::WhenModalShown([&first](QWidget* modal) {
        auto* entry = qobject_cast<TChangeFurnDlg*>(modal);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(QString::fromStdString(first.ID), entry->ArticleEdit->text());
        EXPECT_EQ(first.Count, entry->NumEdit->value());
        EXPECT_EQ(first.SideNo, entry->SideNoEdit->value());
        entry->NumEdit->setValue(5);
        entry->LenEdit->setValue(120.5);
        entry->accept();
    });
    dialog.EditArticleBut->click();
    EXPECT_TRUE(dialog.NoRecalcCheck->isChecked());
    const TkvfFurnItem& edited = position.LeftFlugel.FurnComp->Item(0);
    EXPECT_EQ(5, edited.Count);
    EXPECT_FLOAT_EQ(120.5f, edited.Length);
    EXPECT_EQ(first.ParentComplect, edited.ParentComplect);
    EXPECT_EQ(QString("120.5"), dialog.ItemListView->item(0, 4)->text());

    dialog.ItemListView->selectRow(1);
    dialog.DeleteArticleBut->click();
    EXPECT_EQ(rows - 1, dialog.ItemListView->rowCount());
    EXPECT_EQ(rows - 1, position.LeftFlugel.FurnComp->ItemCount());
}

TEST_F(FittingsDialogTest, UnknownArticleTypedByHandIsRefused) {
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    TSetFurnDlg dialog(*context, position);
    Pick(dialog.ComplectCombo, "K-DK");
    dialog.Pages->setCurrentIndex(2);
    const int rows = dialog.ItemListView->rowCount();
    test::WhenModalShown([](QWidget* modal) {
        auto* entry = qobject_cast<TChangeFurnDlg*>(modal);
        ASSERT_NE(nullptr, entry);
        entry->ArticleEdit->setText("NO-SUCH");
        entry->accept();
    });
    dialog.AddArticleBut->click();
    EXPECT_EQ(rows, dialog.ItemListView->rowCount());
    EXPECT_FALSE(dialog.NoRecalcCheck->isChecked());
    EXPECT_EQ(
        std::vector<std::string>{
            "В каталоге отсутствуют данные для [NO-SUCH]!\r\n(Поиск [Наименование] через [Код])"},
        prompter.Texts(MessageKind::Error));
}

TEST_F(FittingsDialogTest, ReopenedPairShowsItsLatchAndAdditionalComplects) {
    TkvfConstruction& position = NewPosition(2, 1400, 1400, 700, 700);
    {
        TSetFurnDlg dialog(*context, position);
        EXPECT_FALSE(dialog.DopCompExistsLab->isVisibleTo(&dialog));
        Pick(dialog.ComplectCombo, "K-DK-S1");
        Pick(dialog.LatchCombo, "LT-BAL");
        test::WhenModalShown([](QWidget* modal) {
            auto* picker = qobject_cast<TSelectComplectDlg*>(modal);
            ASSERT_NE(nullptr, picker);
            ASSERT_TRUE(picker->SelectNode(QString::fromUtf8("Ручка оконная")));
            picker->Grid()->GoToRow(1);
            picker->accept();
        });
        dialog.AddComplectBut->click();
        ASSERT_EQ(1, dialog.ComplectListView->rowCount());
        EXPECT_EQ(QString("1."), dialog.ComplectListView->item(0, 0)->text());
        EXPECT_TRUE(dialog.DopCompExistsLab->isVisibleTo(&dialog));
        dialog.RightFlugelRadio->click();
        EXPECT_FALSE(dialog.DopCompExistsLab->isVisibleTo(&dialog));
        Pick(dialog.ComplectCombo, "K-ST-S2");
        dialog.OkBut->click();
        ASSERT_EQ(QDialog::Accepted, dialog.result());
        EXPECT_EQ("", dm.T_FrnComp.Filter()) << "the picker's filter is gone";
    }
    ASSERT_EQ(1u, position.LeftFlugel.FurnComp->DopComplects.size());
    const std::string handle = position.LeftFlugel.FurnComp->DopComplects[0];
    EXPECT_EQ(30, CatalogLookups(dm).GetComplectGroup(handle));

    TSetFurnDlg again(*context, position);
    EXPECT_EQ("LT-BAL", again.LatchCombo->Value());
    EXPECT_FALSE(again.LatchCombo->currentText().isEmpty());
    EXPECT_TRUE(again.DopCompExistsLab->isVisibleTo(&again));
    std::string name;
    CatalogLookups(dm).TryGetComplectName(handle, name);
    EXPECT_EQ(QString::fromStdString(name), again.ComplectListView->item(0, 1)->text());
}

TEST_F(FittingsDialogTest, ComputationErrorKeepsThePositionAndTheDialogOpen) {
    ASSERT_TRUE(dm.T_FrnItem.Locate("ID", {Value(std::string("GETR"))}));
    dm.T_FrnItem.Delete();
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    const std::string before = Image(position);
    TSetFurnDlg dialog(*context, position);
    Pick(dialog.ComplectCombo, "K-DK");
    dialog.OkBut->click();
    EXPECT_NE(QDialog::Accepted, dialog.result());
    EXPECT_EQ(std::vector<std::string>{"Элемент фурнитуры [GETR] не найден в документации!"},
              prompter.Texts(MessageKind::Error));
    EXPECT_EQ(before, Image(position));
    EXPECT_FALSE(prompter.busy) << "the busy cursor is back after the error";
    prompter.records.clear();
    dialog.Pages->setCurrentIndex(2);
    EXPECT_EQ(0, dialog.Pages->currentIndex()) << "the \"Спецификация\" page needs a computed choice";
    EXPECT_EQ(1u, prompter.Texts(MessageKind::Error).size());
}

TEST_F(FittingsDialogTest, FailedPropertyQueryIsShownAndTheChoiceGoesOn) {
    dm.DB_Catalog.Exec("DROP TABLE \"SysProp\"");
    TkvfConstruction& position = NewPosition(0, 800, 1200);
    TSetFurnDlg dialog(*context, position);
    prompter.records.clear();
    Pick(dialog.ComplectCombo, "K-DK");
    const std::vector<std::string> errors = prompter.Texts(MessageKind::Error);
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(0u, errors[0].find("Ошибка открытия SQL-запроса:\r\n")) << errors[0];
    EXPECT_EQ(0, dialog.DI->SubRowCount(0));
    dialog.OkBut->click();
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ("K-DK", position.LeftFlugel.FurnComp->Complect);
}

} // namespace
} // namespace kvf

namespace kvf {
namespace {

// The "Разбор" page: the trace of the computation the page starts, for the sash shown.
class ExplainPageTest : public test::DemoCatalogTest {};

TEST_F(ExplainPageTest, ShowsTheTraceOfTheSashShown) {
    TkvfConstruction& position = NewPosition(2, 1400, 1400, 700, 700);
    TSetFurnDlg dialog(*context, position);
    Pick(dialog.ComplectCombo, "K-DK-S1");
    dialog.RightFlugelRadio->click();
    Pick(dialog.ComplectCombo, "K-ST-S2");
    ASSERT_EQ(4, dialog.Pages->count());
    EXPECT_EQ(QString::fromUtf8("Разбор"), dialog.Pages->tabText(3));
    dialog.Pages->setCurrentIndex(3);

    // Every article of the right sash's composition is a taken row of its trace.
    // The articles of the rows taken, parts of composite elements included.
    auto taken = [](const QTreeWidget* view) {
        std::set<std::string> articles;
        std::vector<const QTreeWidgetItem*> open;
        for (int t = 0; t < view->topLevelItemCount(); ++t)
            open.push_back(view->topLevelItem(t));
        while (!open.empty()) {
            const QTreeWidgetItem* item = open.back();
            open.pop_back();
            for (int r = 0; r < item->childCount(); ++r) {
                open.push_back(item->child(r));
                const QString article = item->child(r)->text(TTraceView::ArticleColumn);
                if (!article.isEmpty())
                    articles.insert(article.toStdString());
            }
        }
        return articles;
    };
    ASSERT_TRUE(position.RightFlugel.FurnComp);
    EXPECT_EQ(QString("Complect K-ST-S2"), dialog.TraceView->topLevelItem(1)->text(0));
    const std::set<std::string> right = taken(dialog.TraceView);
    for (const auto& item : position.RightFlugel.FurnComp->Items)
        EXPECT_EQ(1u, right.count(item->ID)) << item->ID;

    dialog.LeftFlugelRadio->click();
    EXPECT_EQ(QString("Complect K-DK-S1"), dialog.TraceView->topLevelItem(1)->text(0));
    for (const auto& item : position.LeftFlugel.FurnComp->Items)
        EXPECT_EQ(1u, taken(dialog.TraceView).count(item->ID)) << item->ID;
}

} // namespace
} // namespace kvf

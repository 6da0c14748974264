// The complect and article pickers over small tables built here.

#include "../qt/modal_helper.h"
#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "ui/change_furn_dlg.h"
#include "ui/data_grid.h"
#include "ui/select_article_dlg.h"
#include "ui/select_complect_dlg.h"
#include "ui/table_model.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <set>

namespace kvf {
namespace {

using test::WhenModalShown;

class PickersTest : public ::testing::Test {
protected:
    PickersTest() {
        const std::string root = dir.path().toStdString();
        EXPECT_TRUE(dm.OpenDatabases({root, root, root}, prompter));
        EXPECT_TRUE(dm.OpenCatalogTables(prompter));
        const std::pair<const char*, int> components[] = {
            {"W1", 10}, {"H1", 30}, {"D1", 31}, {"D2", 31}, {"P1", 33}};
        for (auto [id, group] : components)
            add(dm.T_FrnComp,
                {{"ID", std::string(id)}, {"Group", int64_t{group}}, {"Name", std::string(id)}});
        struct Article {
            const char* id;
            int group;
            const char* name;
        };
        // In key order "Abris" comes first of the names starting with "ab"; by name "abc".
        const Article articles[] = {{"A-050", 220, "Abris"},
                                    {"B-200", 208, "Шпингалет торцевой"},
                                    {"C-300", 215, "Ответная планка"},
                                    {"D-400", 1000, "Саморез"},
                                    {"E-500", 5, "Abacus"},
                                    {"Z-999", 201, "abc"}};
        for (const Article& a : articles)
            add(dm.T_Catalog,
                {{"ID", std::string(a.id)}, {"Group", int64_t{a.group}}, {"Name", std::string(a.name)}});
    }

    static void add(Table& table, std::vector<std::pair<const char*, Value>> values) {
        table.Append();
        for (auto& [field, value] : values)
            table.SetValue(field, value);
        table.Post();
    }

    // The values of a field over the grid's rows.
    static std::set<std::string> Column(TGroupPickerDlg& picker, const char* field) {
        std::set<std::string> values;
        TTableModel& model = *picker.Model();
        for (int r = 0; r < model.rowCount(); ++r) {
            model.MoveTo(r);
            values.insert(model.GetTable().AsString(field));
        }
        return values;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    TDM dm;
};

TEST_F(PickersTest, ComplectTreeFiltersByGroupAndTheRootShowsAll) {
    TSelectComplectDlg picker(prompter);
    WhenModalShown([this](QWidget* modal) {
        auto& p = *qobject_cast<TSelectComplectDlg*>(modal);
        EXPECT_EQ(5, p.Model()->rowCount()) << "no group selected";
        ASSERT_EQ(1, p.TreeView()->topLevelItemCount());
        EXPECT_TRUE(p.TreeView()->topLevelItem(0)->isExpanded());
        EXPECT_EQ(16, p.TreeView()->topLevelItem(0)->childCount());
        ASSERT_TRUE(p.SelectNode(QString::fromUtf8("Ручка дверная")));
        EXPECT_EQ((std::set<std::string>{"31"}), Column(p, "Group"));
        EXPECT_EQ(2, p.Model()->rowCount());
        ASSERT_TRUE(p.SelectNode(QString::fromUtf8("Все комплекты")));
        EXPECT_EQ(5, p.Model()->rowCount());
        ASSERT_TRUE(p.SelectNode(QString::fromUtf8("Ручка оконная")));
        p.Grid()->setFocus();
        QTest::keyClick(p.Grid(), Qt::Key_Return);
    });
    ASSERT_TRUE(picker.Execute(dm.T_FrnComp, "ID", "", 0, 0, {"Name"}));
    EXPECT_EQ("H1", picker.Result());
    EXPECT_FALSE(dm.T_FrnComp.Filtered());
}

TEST_F(PickersTest, CancelLeavesTheResultEmptyAndTheCallersFilter) {
    dm.T_FrnComp.SetFilter("Group=31");
    dm.T_FrnComp.SetFiltered(true);
    TSelectComplectDlg picker(prompter);
    WhenModalShown([](QWidget* modal) {
        auto& p = *qobject_cast<TSelectComplectDlg*>(modal);
        EXPECT_EQ(2, p.Model()->rowCount()) << "the grid starts with the table's own filter";
        p.SelectNode(QString::fromUtf8("Все комплекты"));
        p.reject();
    });
    EXPECT_FALSE(picker.Execute(dm.T_FrnComp, "ID", "", 0, 0, {"Name"}));
    EXPECT_EQ("", picker.Result());
    EXPECT_EQ("Group=31", dm.T_FrnComp.Filter());
    EXPECT_TRUE(dm.T_FrnComp.Filtered());
}

TEST_F(PickersTest, ArticleTreeFiltersRangesAndSingleGroups) {
    struct Case {
        const char* node;
        std::set<std::string> groups;
        const char* filterName;
    };
    const Case cases[] = {
        {"Фурнитура", {"201", "208", "215", "220"}, "Фурнитура"},
        {"Прочие материалы", {"1000"}, "Прочие материалы"},
        {"Шпингалет", {"208"}, "Шпингалет"},
    };
    TSelectArticleDlg picker(prompter);
    WhenModalShown([&](QWidget* modal) {
        auto& p = *qobject_cast<TSelectArticleDlg*>(modal);
        EXPECT_EQ(QString::fromUtf8("Отключен"), p.FilterName->text());
        EXPECT_EQ(6, p.Model()->rowCount());
        for (const Case& c : cases) {
            SCOPED_TRACE(c.node);
            ASSERT_TRUE(p.SelectNode(QString::fromUtf8(c.node)));
            EXPECT_EQ(c.groups, Column(p, "Group"));
            EXPECT_EQ(QString::fromUtf8(c.filterName), p.FilterName->text());
        }
        p.reject();
    });
    picker.ExecuteSorted(dm.T_Catalog, "ID", "", {"ID", "Name"}, "", "ID");
    EXPECT_FALSE(dm.T_Catalog.Filtered());
}

TEST_F(PickersTest, SearchFindsThePrefixInAnyCaseInTheCurrentOrder) {
    TSelectArticleDlg picker(prompter);
    WhenModalShown([](QWidget* modal) {
        auto& p = *qobject_cast<TSelectArticleDlg*>(modal);
        ASSERT_EQ(2, p.SearchFieldCombo->count());
        EXPECT_EQ(QString::fromUtf8("Код"), p.SearchFieldCombo->itemText(0));
        EXPECT_EQ(QString("NAME"), p.SearchFieldCombo->itemData(1).toString());
        EXPECT_EQ(0, p.SearchFieldCombo->currentIndex()) << "sorted by the key";
        EXPECT_EQ(p.LookupEdit, p.focusWidget());

        p.SearchFieldCombo->setCurrentIndex(1);
        QTest::keyClicks(p.LookupEdit, "ab");
        EXPECT_EQ(QString("A-050"), p.Model()->CellText(p.Grid()->CurrentRow(), 0)) << "first in key order";

        p.Grid()->horizontalHeader()->sectionClicked(1);
        EXPECT_EQ(1, p.SearchFieldCombo->currentIndex());
        EXPECT_EQ(1, p.Grid()->horizontalHeader()->sortIndicatorSection());
        p.LookupEdit->clear();
        QTest::keyClicks(p.LookupEdit, "AB");
        EXPECT_EQ(QString("E-500"), p.Model()->CellText(p.Grid()->CurrentRow(), 0))
            << "Abacus, first by name";

        QTest::keyClick(p.LookupEdit, Qt::Key_Down);
        EXPECT_EQ(p.Grid(), p.focusWidget());
        QTest::keyClick(p.Grid(), Qt::Key_Return);
    });
    ASSERT_TRUE(picker.ExecuteSorted(dm.T_Catalog, "ID", "", {"ID", "Name"}, "", "ID"));
    EXPECT_EQ("E-500", picker.Result());
    EXPECT_EQ("", dm.T_Catalog.IndexName()) << "the key order is back";
}

TEST_F(PickersTest, SortByAFieldWithoutAnOrderKeepsTheOrder) {
    TSelectArticleDlg picker(prompter);
    WhenModalShown([](QWidget* modal) {
        auto& p = *qobject_cast<TSelectArticleDlg*>(modal);
        EXPECT_FALSE(p.SortByColumn(2));
        EXPECT_EQ(0, p.SearchFieldCombo->currentIndex());
        EXPECT_EQ(0, p.Grid()->horizontalHeader()->sortIndicatorSection());
        p.reject();
    });
    picker.ExecuteSorted(dm.T_Catalog, "ID", "", {"ID", "Name", "Unit"}, "", "ID");
    const std::vector<std::string> errors = prompter.Texts(MessageKind::Error);
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ(0u, errors[0].find("Не могу установить индекс по данному полю\r\n["));
    EXPECT_EQ("", dm.T_Catalog.IndexName());
}

TEST_F(PickersTest, ArticleDialogTakesThePickedArticleAndKeepsItsTextOnCancel) {
    struct Case {
        const char* name;
        bool pick;
        const char* expected;
    };
    const Case cases[] = {{"picked", true, "B-200"}, {"cancelled", false, "TYPED"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChangeFurnDlg dialog(dm, prompter);
        TArticleEntry entry{"TYPED", 2, "", 0, 1};
        WhenModalShown([&c](QWidget* modal) {
            auto* change = qobject_cast<TChangeFurnDlg*>(modal);
            ASSERT_NE(nullptr, change);
            WhenModalShown([&c](QWidget* inner) {
                auto* picker = qobject_cast<TSelectArticleDlg*>(inner);
                ASSERT_NE(nullptr, picker);
                ASSERT_TRUE(picker->SelectNode(QString::fromUtf8("Шпингалет")));
                c.pick ? picker->accept() : picker->reject();
            });
            change->ArticleButton->click();
            change->accept();
        });
        ASSERT_TRUE(dialog.Execute(entry));
        EXPECT_EQ(c.expected, entry.Article);
        EXPECT_EQ(2, entry.SideNo);
        EXPECT_FALSE(dm.T_Catalog.Filtered());
    }
}

} // namespace
} // namespace kvf

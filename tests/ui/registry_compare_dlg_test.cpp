// "Сравнить с каталогом..." of the catalog browser: the registered orders
// recalculated against a second catalog, shown as a sortable summary with
// each order's details on a double click.

#include "../cli/small_catalog.h"
#include "ui/catalog_dlg.h"
#include "ui/registry_compare_dlg.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace kvf {
namespace {

// The small catalog as the current one, with a registry of two orders (the
// second one's file is gone) under orders folder "server/Orders".
class RegistryCompareWindow : public ::testing::Test, protected cli::test::SmallCatalogs {
protected:
    void SetUp() override {
        current = WriteCatalog("current");
        orders = (folder / "server" / "Orders").string();
        std::filesystem::create_directories(orders);
        std::filesystem::rename(WriteOrder(), orders + "/order.kfo370");
        ASSERT_TRUE(dm.OpenDatabases({current, current, current}, prompter));
        ASSERT_TRUE(dm.OpenCatalogTables(prompter));
        dm.T_OrderList.Open();
        Row(dm.T_OrderList, {{"No", "З-1"}, {"Customer", "Иванов"}, {"OrderFile", "%ORDER.KFO370"}});
        Row(dm.T_OrderList, {{"No", "З-2"}, {"Customer", "Петров"}, {"OrderFile", "%GONE.KFO370"}});
    }
    void TearDown() override { dm.CloseDatabases(); }

    ScriptedPrompter prompter;
    TDM dm;
    std::string current;
    std::string orders;
};

TEST_F(RegistryCompareWindow, SummaryPerOrderAndDetailsOnDoubleClick) {
    TCatalogDlg dialog(dm, prompter);
    auto* button = dialog.findChild<QPushButton*>("CompareBut");
    ASSERT_NE(nullptr, button);
    EXPECT_FALSE(button->isEnabled());
    dialog.SetOrdersFolder(orders);
    EXPECT_TRUE(button->isEnabled());

    const std::string newer = WriteCatalog("newer", [](TDM& d) { Change(d.T_Catalog, "A1", "Price", 5.0); });
    TRegistryCompareDlg* result = dialog.CompareWith(QString::fromStdString(newer));
    ASSERT_NE(nullptr, result);
    QTableWidget* summary = result->Summary();
    ASSERT_EQ(2, summary->rowCount());
    EXPECT_EQ(QString::fromUtf8("З-1"), summary->item(0, 0)->text());
    EXPECT_EQ(QString("30.0000"), summary->item(0, 2)->text());
    EXPECT_EQ(QString("50.0000"), summary->item(0, 3)->text());
    EXPECT_EQ(QString("20.0000"), summary->item(0, 4)->text());
    EXPECT_TRUE(
        summary->item(1, 5)->text().startsWith(QString::fromUtf8("Невозможно найти файл заказа № З-2!")));

    // Sorting by the difference, largest first, puts the order that changes on top.
    summary->sortItems(4, Qt::DescendingOrder);
    EXPECT_EQ(QString::fromUtf8("З-1"), summary->item(0, 0)->text());
    summary->sortItems(0, Qt::DescendingOrder);
    ASSERT_EQ(QString::fromUtf8("З-2"), summary->item(0, 0)->text());

    emit summary->cellDoubleClicked(1, 0);
    ASSERT_NE(nullptr, result->Details());
    EXPECT_TRUE(result->Details()->isVisible());
    QTreeWidget* tree = result->DetailsTree();
    ASSERT_EQ(3, tree->topLevelItemCount());
    QTreeWidgetItem* first = tree->topLevelItem(0);
    EXPECT_EQ(QString::fromUtf8("Позиция 1"), first->text(0));
    ASSERT_EQ(1, first->childCount());
    EXPECT_EQ((QStringList{"A1", "2", "2", "2.5000", "5.0000"}),
              (QStringList{first->child(0)->text(0), first->child(0)->text(1), first->child(0)->text(2),
                           first->child(0)->text(3), first->child(0)->text(4)}));
    EXPECT_EQ(0, tree->topLevelItem(1)->childCount());
    result->close();
}

TEST_F(RegistryCompareWindow, AFolderWithoutACatalogIsRefused) {
    TCatalogDlg dialog(dm, prompter);
    dialog.SetOrdersFolder(orders);
    EXPECT_EQ(nullptr, dialog.CompareWith(QString::fromStdString((folder / "empty").string())));
    ASSERT_EQ(1u, prompter.records.size());
    EXPECT_EQ(MessageKind::Error, prompter.records[0].kind);
}

} // namespace
} // namespace kvf

// The registry window driven like a user: registering through the file
// dialog, opening, refreshing, deleting with and without recycling,
// archiving, clearing, finding and sorting.

#include "catalog/order_registry.h"
#include "registry_windows_fixture.h"
#include "ui/order_list_form.h"
#include "ui/order_list_model.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace kvf::test {
namespace {

namespace fs = std::filesystem;
using Record = ScriptedPrompter::Record;

class RegistryWindow : public RegistryWindows {
protected:
    TOrderListForm& open() {
        main->OpenRegistryRequest();
        auto* form = dynamic_cast<TOrderListForm*>(main->ActiveChild());
        EXPECT_NE(nullptr, form);
        return *form;
    }

    void registerFiles(TOrderListForm& form, const std::vector<std::string>& names) {
        chooseFiles(names);
        form.Item("RegistrateOrderItem")->trigger();
    }

    static std::vector<QString> column(const TOrderListForm& form, int column) {
        std::vector<QString> values;
        for (int row = 0; row < form.Model()->rowCount(); ++row)
            values.push_back(form.Model()->index(row, column).data().toString());
        return values;
    }

    static void clickCell(TOrderListForm& form, int row, int column,
                          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTableView* grid = form.Grid();
        const QRect cell = grid->visualRect(form.Model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    static void clickHeader(TOrderListForm& form, int column) {
        QHeaderView* header = form.Grid()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(x, header->height() / 2));
    }
};

TEST_F(RegistryWindow, RegistersOpensAndRefreshes) {
    order("a.kfo370", "АБ-1", "Петров");
    order("b.kfo370", "B-2", "Сидоров");
    order("c.kfo370", "C-3", "Антонов");
    order("d.kfo370", "аб-1", "Двойник");
    TOrderListForm& form = open();
    EXPECT_EQ(QString::fromUtf8("Заказов: 0"), main->StatusPanel(0));
    EXPECT_FALSE(form.Item("OpenRegOrderItem")->isEnabled());
    EXPECT_FALSE(main->Item("OpenRegOrderBut")->isEnabled());

    registerFiles(form, {"a.kfo370", "b.kfo370", "c.kfo370", "d.kfo370"});
    EXPECT_EQ((std::vector<Record>{{MessageKind::Error,
                                    "Загружаемый заказ № аб-1 уже существует\r\nв реестре заказов, Вы можете "
                                    "только\r\nобновить данные!"}}),
              messages());
    EXPECT_EQ((std::vector<QString>{"B-2", "C-3", "АБ-1"}), column(form, TOrderListModel::NoColumn));
    EXPECT_EQ(QString::fromUtf8("Заказов: 3"), main->StatusPanel(0));
    EXPECT_TRUE(form.Item("OpenRegOrderItem")->isEnabled());
    EXPECT_TRUE(main->Item("OpenRegOrderBut")->isEnabled());
    EXPECT_TRUE(main->Item("NavNext")->isEnabled());
    EXPECT_FALSE(main->Item("SaveItem")->isEnabled());
    EXPECT_TRUE(prompter.busySets > 0 && !prompter.busy && !prompter.nestedBusy);

    // Open: the request runs after the click has returned.
    clickCell(form, 2, TOrderListModel::NoColumn);
    form.Item("OpenRegOrderItem")->trigger();
    EXPECT_TRUE(factory.opened.empty());
    QApplication::processEvents();
    EXPECT_EQ((std::vector<std::string>{paths.OrdersDir + "/a.kfo370"}), factory.opened);
    main->MdiArea()->setActiveSubWindow(main->MdiArea()->subWindowList().front());

    // Refresh after the file changed; then after its number changed: refused.
    order("a.kfo370", "АБ-1", "Петров-Водкин");
    prompter.confirmAnswers = {true};
    form.Item("RefreshLinkItem")->trigger();
    EXPECT_EQ(QString::fromUtf8("Петров-Водкин"),
              form.Model()->index(2, TOrderListModel::CustomerColumn).data());
    order("a.kfo370", "АБ-7", "Другой");
    messages();
    prompter.confirmAnswers = {true};
    form.Item("RefreshLinkItem")->trigger();
    EXPECT_EQ(
        (std::vector<Record>{{MessageKind::Confirmation, "Обновить данные по заказу?"},
                             {MessageKind::Error, "Изменился номер заказ, обновить данные невозможно!\r\n"
                                                  "Перерегистрируйте заказ."}}),
        messages());
    EXPECT_EQ(QString::fromUtf8("Петров-Водкин"),
              form.Model()->index(2, TOrderListModel::CustomerColumn).data());

    // A missing file cannot be opened.
    fs::remove(paths.OrdersDir + "/b.kfo370");
    clickCell(form, 0, TOrderListModel::NoColumn);
    form.OpenRegOrder();
    ASSERT_EQ(1u, prompter.records.size());
    EXPECT_EQ(0u, prompter.records[0].text.find("Невозможно найти файл заказа № B-2!\r\nФайл: "));
}

TEST_F(RegistryWindow, DeletesMarkedRowsIntoTheRecycledFolder) {
    order("Заказ 5.2.kfo370", "5.2");
    order("p.kfo370", "P-1");
    order("q.kfo370", "Q-1");
    order("r.kfo370", "R-1");
    WriteTestOrder(paths.RecycledDir + "/Заказ 5_2.kfo", "старый");
    TOrderListForm& form = open();
    registerFiles(form, {"Заказ 5.2.kfo370", "p.kfo370", "q.kfo370", "r.kfo370"});
    ASSERT_EQ((std::vector<QString>{"5.2", "P-1", "Q-1", "R-1"}), column(form, TOrderListModel::NoColumn));

    // Two rows marked with their check boxes; the main window's button asks first.
    clickCell(form, 0, TOrderListModel::SelectedColumn);
    clickCell(form, 2, TOrderListModel::SelectedColumn);
    EXPECT_EQ(2, form.SelectedCount());
    prompter.confirmAnswers = {false};
    main->Item("DeleteRegOrderBut")->trigger();
    EXPECT_EQ(4, form.Model()->rowCount());
    prompter.confirmAnswers = {true};
    main->Item("DeleteRegOrderBut")->trigger();
    EXPECT_EQ((std::vector<QString>{"P-1", "R-1"}), column(form, TOrderListModel::NoColumn));
    EXPECT_EQ(0, form.SelectedCount());
    EXPECT_TRUE(fs::exists(paths.RecycledDir + "/Заказ 5_2~1.kfo"));
    EXPECT_TRUE(fs::exists(paths.RecycledDir + "/q.kfo"));
    EXPECT_FALSE(fs::exists(paths.OrdersDir + "/q.kfo370"));

    // Ctrl+Del: the current row, no question; with MoveToRecycled off the file stays.
    setup.MoveToRecycled = false;
    messages();
    clickCell(form, 1, TOrderListModel::NoColumn);
    QTest::keyClick(form.Grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ((std::vector<QString>{"P-1"}), column(form, TOrderListModel::NoColumn));
    EXPECT_TRUE(fs::exists(paths.OrdersDir + "/r.kfo370"));

    // Archive: always moved, into a folder made on the way.
    prompter.confirmAnswers = {true};
    main->Item("MoveToArchiveBut")->trigger();
    EXPECT_EQ((std::vector<Record>{
                  {MessageKind::Confirmation, "Поместить заказ в архив и удалить его из реестра?"}}),
              messages());
    EXPECT_TRUE(fs::exists(paths.ArchiveDir + "/p.kfo"));
    EXPECT_EQ(0, form.Model()->rowCount());
    EXPECT_EQ(QString::fromUtf8("Заказов: 0"), main->StatusPanel(0));
    EXPECT_FALSE(main->Item("DeleteRegOrderBut")->isEnabled());
}

TEST_F(RegistryWindow, ClearKeepsTheFiles) {
    order("a.kfo370", "A-1");
    order("b.kfo370", "B-1");
    TOrderListForm& form = open();
    registerFiles(form, {"a.kfo370", "b.kfo370"});
    prompter.confirmAnswers = {false};
    form.Item("ClearOrderListItem")->trigger();
    EXPECT_EQ(2, form.Model()->rowCount());
    prompter.confirmAnswers = {true};
    form.Item("ClearOrderListItem")->trigger();
    EXPECT_EQ(0, form.Model()->rowCount());
    EXPECT_TRUE(fs::exists(paths.OrdersDir + "/a.kfo370"));
    EXPECT_TRUE(fs::exists(paths.OrdersDir + "/b.kfo370"));
}

TEST_F(RegistryWindow, FindsByTheCurrentColumnAndSortsByTitles) {
    order("a.kfo370", "3", "Петров");
    order("b.kfo370", "1", "Антонов");
    order("c.kfo370", "2", "Бобров");
    TOrderListForm& form = open();
    registerFiles(form, {"a.kfo370", "b.kfo370", "c.kfo370"});
    messages();

    struct Case {
        const char* name;
        int column;
        const char* prompt;
        const char* text;
        int row; // the current row afterwards
    };
    const Case cases[] = {
        {"customer, prefix ignoring case", TOrderListModel::CustomerColumn, "Заказчик", "пет", 2},
        {"number", TOrderListModel::NoColumn, "Номер заказа", "2", 1},
        {"object", TOrderListModel::ObjectColumn, "Объект", "дач", 0},
        {"nothing found keeps the row", TOrderListModel::CustomerColumn, "Заказчик", "Я", 0},
    };
    int start = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clickCell(form, start, c.column);
        prompter.inputAnswers = {std::string(c.text)};
        form.Item("FindOrderItem")->trigger();
        EXPECT_EQ((std::vector<Record>{{MessageKind::Input, c.prompt}}), messages());
        EXPECT_EQ(c.row, form.Grid()->currentIndex().row());
        start = c.row;
    }

    clickHeader(form, TOrderListModel::CustomerColumn);
    EXPECT_TRUE(form.Item("SortCustomerItem")->isChecked());
    EXPECT_EQ((std::vector<QString>{"Антонов", "Бобров", "Петров"}),
              column(form, TOrderListModel::CustomerColumn));
    form.Item("SortNoItem")->trigger();
    EXPECT_EQ((std::vector<QString>{"1", "2", "3"}), column(form, TOrderListModel::NoColumn));

    // The "[...]" title marks every row, then unmarks them.
    clickHeader(form, TOrderListModel::SelectedColumn);
    EXPECT_EQ(3, form.SelectedCount());
    clickHeader(form, TOrderListModel::SelectedColumn);
    EXPECT_EQ(0, form.SelectedCount());
}

TEST_F(RegistryWindow, MarksRangesAndKeepsTheDetailsEdits) {
    order("a.kfo370", "1");
    order("b.kfo370", "2");
    order("c.kfo370", "3");
    TOrderListForm& form = open();
    registerFiles(form, {"a.kfo370", "b.kfo370", "c.kfo370"});
    // A shift-click marks the rows from the last one clicked.
    clickCell(form, 0, TOrderListModel::SelectedColumn);
    clickCell(form, 2, TOrderListModel::NoColumn, Qt::ShiftModifier);
    EXPECT_EQ(3, form.SelectedCount());
    const auto marked = form.MarkedOrders();
    ASSERT_EQ(3u, marked.size());
    EXPECT_EQ("%B.KFO370", marked[1].second);

    // The note and the file of the current row are edited on the details page.
    clickCell(form, 1, TOrderListModel::NoColumn);
    main->Item("NavEdit")->trigger();
    EXPECT_EQ(1, form.Pages()->currentIndex());
    EXPECT_EQ(QString("2"), form.findChild<QLineEdit*>("IDEdit")->text());
    EXPECT_TRUE(form.findChild<QLineEdit*>("IDEdit")->isReadOnly());
    form.findChild<QPlainTextEdit*>("Memo")->setPlainText(QString::fromUtf8("срочно\nдо пятницы"));
    main->Item("NavPost")->trigger();
    const std::vector<RegistryRow> rows = ReadRegistryRows(dm.DB_Registry);
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ("срочно\r\nдо пятницы", rows[1].Note);
    EXPECT_EQ("", rows[0].Note);
}

TEST_F(RegistryWindow, OnlyOneRegistryWindow) {
    main->OpenOrderList();
    QApplication::processEvents();
    main->OpenOrderList();
    QApplication::processEvents();
    int registries = 0;
    for (TChildWindow* child : main->Children())
        registries += child->Kind() == ChildKind::Registry;
    EXPECT_EQ(1, registries);
}

} // namespace
} // namespace kvf::test

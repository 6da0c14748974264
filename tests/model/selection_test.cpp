// Selections: the file, lookups, sorting and the operations that read the
// items' order files.

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/scripted_prompter.h"
#include "base/typed_stream.h"
#include "comp_fake_catalog.h"
#include "model/order.h"
#include "model/order_selection.h"
#include "order_bytes.h"
#include "temp_folder_test.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kvf::test {
namespace {

namespace fs = std::filesystem;

class SelectionFile : public TempFolderTest {
protected:
    SelectionFile() : TempFolderTest("selection_") {}

    ScriptedPrompter prompter;
};

TEST_F(SelectionFile, CurrentLayoutIsWrittenByteForByte) {
    const std::string golden = SmallSelection("06.10.2015");
    TkvfOrderSelection selection;
    bool converted = true;
    ASSERT_TRUE(selection.LoadFromFile(write("in.kfs370", golden), converted, prompter));
    EXPECT_FALSE(converted);
    EXPECT_TRUE(prompter.records.empty());
    EXPECT_EQ("Выборка", selection.SelName);
    EXPECT_EQ(1, selection.RoundMode);
    EXPECT_EQ(20.0f, selection.NDSTax);
    ASSERT_EQ(2, selection.Count());
    EXPECT_EQ(&selection, selection.Item(1).Owner);
    EXPECT_FALSE(selection.Item(1).Included);
    EXPECT_EQ("%A\\1.KFO370", selection.Item(0).OrderFile);
    EXPECT_EQ(1400.0f, selection.Item(0).Height);

    const std::string out = (dir / "out.kfs370").string();
    ASSERT_TRUE(selection.SaveToFile(out, prompter));
    EXPECT_EQ(golden, ReadFileBytes(out));
}

TEST_F(SelectionFile, VersionAndHeaderChecks) {
    struct Case {
        const char* name;
        std::string bytes;
        bool answer;
        bool loads;
        bool converted;
        std::vector<ScriptedPrompter::Record> records;
    };
    const Case cases[] = {
        {"older, accepted",
         SmallSelection("05.10.2015"),
         true,
         true,
         true,
         {{MessageKind::Confirmation, "Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: "
                                      "05.10.2015\r\nТекущая версия: 06.10.2015"}}},
        {"older, cancelled",
         SmallSelection("10.12.2009"),
         false,
         false,
         false,
         {{MessageKind::Confirmation, "Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: "
                                      "10.12.2009\r\nТекущая версия: 06.10.2015"}}},
        {"newer",
         SmallSelection("26.12.2019"),
         true,
         false,
         false,
         {{MessageKind::Warning, "Вы пытаетесь открыть выборку, созданную более новой версией программы, чем "
                                 "текущая.\r\nДанный модуль поддерживает файлы выборки\r\nверсии не старше: "
                                 "06.10.2015!\r\nЗагружаемая версия: 26.12.2019"}}},
        {"order file header",
         SmallSelection("06.10.2015", "Korvena Furniture Order File"),
         true,
         false,
         false,
         {{MessageKind::Error, "Данный файл не является файлом Nordel Omnivals!"}}},
        {"header compared exactly",
         SmallSelection("06.10.2015", "korvena furniture selection file"),
         true,
         false,
         false,
         {{MessageKind::Error, "Данный файл не является файлом Nordel Omnivals!"}}},
        {"version that is no date", SmallSelection("x.y.z"), true, false, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompter answers;
        answers.confirmAnswers = {c.answer};
        TkvfOrderSelection selection;
        bool converted = false;
        EXPECT_EQ(c.loads, selection.LoadFromFile(write("v.kfs370", c.bytes), converted, answers));
        EXPECT_EQ(c.converted, converted);
        if (c.records.empty()) {
            ASSERT_EQ(1u, answers.records.size());
            EXPECT_EQ(0u, answers.records[0].text.find("Ошибка загрузки выборки!\r\n("));
        } else {
            EXPECT_EQ(c.records, answers.records);
        }
        if (c.loads)
            EXPECT_EQ(2, selection.Count());
    }
}

TEST_F(SelectionFile, FailuresOfFiles) {
    TkvfOrderSelection selection;
    bool converted = false;
    EXPECT_FALSE(selection.LoadFromFile((dir / "missing.kfs370").string(), converted, prompter));
    EXPECT_FALSE(selection.SaveToFile((dir / "no" / "x.kfs370").string(), prompter));
    const auto errors = prompter.Texts(MessageKind::Error);
    ASSERT_EQ(2u, errors.size());
    EXPECT_EQ(0u, errors[0].find("Ошибка загрузки выборки!\r\n("));
    EXPECT_EQ(0u, errors[1].find("Ошибка сохранения выборки!\r\n("));

    const std::string whole = SmallSelection("06.10.2015");
    for (size_t cut = 0; cut < whole.size(); cut += 5) {
        ScriptedPrompter answers;
        TSpecStream stream = TSpecStream::FromBytes(whole.substr(0, cut), &answers);
        try {
            selection.LoadFromStream(stream, converted, answers);
        } catch (const KvfError&) {
        }
    }
}

TEST(Selection, IndexOfAndSorts) {
    TkvfOrderSelection s;
    const char* rows[][4] = {
        {"B", "2", "x", "F2"}, {"a-1", "1", "y", "F1"}, {"A-1", "001", "Б", "F1"}, {"B", "1", "x", "F1"}};
    for (const auto& r : rows) {
        TkvfOrderSelectionItem& item = s.AddItem();
        item.OrderNo = r[0];
        item.PosNo = r[1];
        item.Name = r[2];
        item.OrderFile = r[3];
    }
    EXPECT_EQ(1, s.IndexOf("A-1", "1"));
    EXPECT_EQ(2, s.IndexOf("a-1", "001"));
    EXPECT_EQ(-1, s.IndexOf("A-1", "01"));

    const auto order = [&] {
        std::string out;
        for (const auto& item : s.Items)
            out += item->OrderNo + "/" + item->PosNo + " ";
        return out;
    };
    s.SortByOrderNo();
    EXPECT_EQ("A-1/001 B/1 B/2 a-1/1 ", order());
    s.SortByPosNo();
    EXPECT_EQ("A-1/001 B/1 a-1/1 B/2 ", order());
    s.SortByName();
    EXPECT_EQ("B/1 B/2 a-1/1 A-1/001 ", order());
    s.SortByFile();
    EXPECT_EQ("A-1/001 B/1 a-1/1 B/2 ", order());
    s.Item(0).Included = false;
    EXPECT_EQ(3, s.IncludedCount());
    s.DeleteItem(0);
    EXPECT_EQ(3, s.Count());
}

// Two order files in an orders folder, named in lower case on disk, and a
// selection over their positions.
class SelectionOrders : public SelectionFile {
protected:
    void SetUp() override {
        SelectionFile::SetUp();
        orders = (dir / "Orders").string();
        fs::create_directories(dir / "Orders" / "sub");
        catalog.articles["A"] = {"a", *Money::Parse("2"), false};
        catalog.articles["B"] = {"b", *Money::Parse("5"), false};
        saveOrder("N1", (dir / "Orders" / "f1.kfo370").string(), {{"1", 2, 700, "A"}, {"2", 1, 500, "B"}});
        saveOrder("N2", (dir / "Orders" / "sub" / "f2.kfo370").string(), {{"1", 3, 900, "A"}});
    }
    struct Pos {
        const char* no;
        int number;
        int width;
        const char* article;
    };
    void saveOrder(const char* orderNo, const std::string& path, std::initializer_list<Pos> positions) {
        TkvfOrder order;
        order.OrderNo = orderNo;
        for (const Pos& p : positions) {
            TkvfConstruction& c = order.AddPosition();
            c.No = p.no;
            c.Name = std::string("name ") + p.no;
            c.Number = p.number;
            c.SetShape({static_cast<double>(p.width), 1400, 0, 0, 0, 0, 0}, 0);
            c.LeftFlugel.FurnComp = std::make_unique<TkvfFurnComp>(&c.LeftFlugel);
            c.LeftFlugel.FurnComp->AddItem(catalog, p.article, "K", 0, 1, "", 0, false, "");
            c.RecalcCost(catalog);
        }
        ASSERT_TRUE(order.SaveToFile(path, prompter));
    }
    TkvfOrderSelectionItem& add(const char* file, const char* posNo, bool included = true) {
        TkvfOrderSelectionItem& item = selection.AddItem();
        item.OrderFile = file;
        item.PosNo = posNo;
        item.Included = included;
        item.Name = "stale";
        return item;
    }
    std::string orders;
    FakeCatalog catalog;
    TkvfOrderSelection selection;
};

TEST_F(SelectionOrders, OrderNumbersOnePerRun) {
    add("%F1.KFO370", "1");
    add("%F1.KFO370", "2");
    add("%SUB\\F2.KFO370", "1");
    add("%F1.KFO370", "1");
    EXPECT_EQ("N1,N2,N1", selection.OrderNumbers(orders, prompter));
    EXPECT_TRUE(prompter.records.empty());
    EXPECT_EQ(1, prompter.busySets);
    EXPECT_FALSE(prompter.busy);
}

TEST_F(SelectionOrders, RefreshCopiesThePositionsData) {
    add("%F1.KFO370", "2", false);
    add("%F1.KFO370", "9");
    add("%SUB\\F2.KFO370", "1");
    selection.Refresh(true, orders, prompter);
    const TkvfOrderSelectionItem& a = selection.Item(0);
    EXPECT_TRUE(a.Included);
    EXPECT_EQ("N1", a.OrderNo);
    EXPECT_EQ("name 2", a.Name);
    EXPECT_EQ(500.0f, a.Width);
    EXPECT_EQ(1400.0f, a.Height);
    EXPECT_EQ(1, a.Number);
    // A position that is gone leaves its item unchanged.
    EXPECT_EQ("stale", selection.Item(1).Name);
    EXPECT_EQ("", selection.Item(1).OrderNo);
    EXPECT_EQ(900.0f, selection.Item(2).Width);

    selection.Item(0).Included = false;
    selection.Refresh(false, orders, prompter);
    EXPECT_FALSE(selection.Item(0).Included);
}

TEST_F(SelectionOrders, MaterialListOfTheIncludedItems) {
    add("%F1.KFO370", "1");
    add("%F1.KFO370", "2", false);
    add("%SUB\\F2.KFO370", "1");
    catalog.articles["A"].Price = *Money::Parse("3"); // repriced at the current price
    TkvfMatList list;
    selection.AddMatListTo(&list, catalog, orders, prompter);
    ASSERT_EQ(1u, list.size());
    EXPECT_EQ("A", list[0]->ID);
    EXPECT_EQ(5.0f, list[0]->Quantity);
    EXPECT_EQ("3.0000", list[0]->Price.Format4());
    EXPECT_EQ("15.0000", list[0]->Cost.Format4());
}

TEST_F(SelectionOrders, UnreadableFilesAreSkippedOncePerRun) {
    write("Orders/bad.kfo370", ""); // no version: cannot be loaded
    add("%BAD.KFO370", "1");
    add("%BAD.KFO370", "1");
    add("%MISSING.KFO370", "1");
    add("%F1.KFO370", "1");
    EXPECT_EQ("N1", selection.OrderNumbers(orders, prompter));
    const auto errors = prompter.Texts(MessageKind::Error);
    ASSERT_EQ(2u, errors.size());
    EXPECT_EQ(0u, errors[0].find("Ошибка загрузки заказа!\r\n("));
    EXPECT_EQ(0u, errors[1].find("Ошибка загрузки заказа!\r\n("));

    TkvfMatList list;
    selection.AddMatListTo(&list, catalog, orders, prompter);
    EXPECT_EQ(1u, list.size());
}

TEST_F(SelectionOrders, GetPosition) {
    const TkvfOrderSelectionItem& found = add("%SUB\\F2.KFO370", "1");
    const TkvfOrderSelectionItem& gone = add("%SUB\\F2.KFO370", "7");
    const TkvfOrderSelectionItem& missing = add("%NONE.KFO370", "1");
    TkvfLoadedPosition p = selection.GetPosition(found, orders, prompter);
    ASSERT_NE(nullptr, p.Position);
    EXPECT_EQ(p.Order.get(), p.Position->Order);
    EXPECT_EQ("N2", p.Order->OrderNo);
    EXPECT_EQ(nullptr, selection.GetPosition(gone, orders, prompter).Position);
    EXPECT_EQ(nullptr, selection.GetPosition(missing, orders, prompter).Position);
    EXPECT_TRUE(prompter.records.empty());
}

} // namespace
} // namespace kvf::test

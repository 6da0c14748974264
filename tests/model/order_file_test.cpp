// The order file: golden bytes, round trips, every older layout, the version
// check and the failures of loading and saving.

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/scripted_prompter.h"
#include "base/typed_stream.h"
#include "model/order.h"
#include "order_bytes.h"
#include "temp_folder_test.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace kvf::test {
namespace {

namespace fs = std::filesystem;

class OrderFile : public TempFolderTest {
protected:
    OrderFile() : TempFolderTest("order_file_") {}

    ScriptedPrompter prompter;
};

TEST_F(OrderFile, CurrentLayoutIsWrittenByteForByte) {
    const std::string golden = SmallOrder("26.12.2019");
    TkvfOrder order;
    bool converted = true;
    ASSERT_TRUE(order.LoadFromFile(write("in.kfo370", golden), converted, prompter));
    EXPECT_FALSE(converted);
    EXPECT_TRUE(prompter.records.empty());

    const std::string out = (dir / "out.kfo370").string();
    ASSERT_TRUE(order.SaveToFile(out, prompter));
    EXPECT_EQ(golden, ReadFileBytes(out));
}

TEST_F(OrderFile, EveryOlderLayoutReads) {
    struct Case {
        const char* version;
        bool params;       // the four parameter defaults instead of two texts
        std::int32_t dorn; // the left sash's backset: the position's before 23.07.2019
        const char* history;
        const char* comment;
        std::int32_t sideNo;
    };
    const Case cases[] = {
        {"09.12.2009", false, 207, "", "", 0},
        {"10.12.2009", true, 207, "", "", 0},
        {"05.10.2015", true, 207, "", "", 0},
        {"06.10.2015", true, 207, "hist", "", 0},
        {"02.03.2019", true, 207, "hist", "", 0},
        {"03.03.2019", true, 207, "hist", "comm", 0},
        {"22.07.2019", true, 207, "hist", "comm", 0},
        {"23.07.2019", true, 209, "hist", "comm", 0},
        {"25.12.2019", true, 209, "hist", "comm", 0},
        {"26.12.2019", true, 209, "hist", "comm", 1},
        // Compared by key: 19 x 365 + 12 x 31 + 26 is older than the current key.
        {"26.12.19", false, 207, "", "", 0},
        // The key, not the calendar: "01.01.2020" is older than "26.12.2019".
        {"01.01.2020", true, 209, "hist", "comm", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        ScriptedPrompter answers;
        answers.confirmAnswers = {true};
        // The order is reused: the file read before must leave nothing behind.
        TkvfOrder order;
        bool converted = false;
        ASSERT_TRUE(order.LoadFromFile(write("first.kfo370", SmallOrder("26.12.2019")), converted, answers));
        ASSERT_TRUE(order.LoadFromFile(write("old.kfo370", SmallOrder(c.version)), converted, answers));
        const bool current = std::string(c.version) == "26.12.2019";
        EXPECT_EQ(!current, converted);
        EXPECT_EQ(current ? 0u : 1u, answers.Texts(MessageKind::Confirmation).size());
        EXPECT_EQ(c.version, order.Version);
        EXPECT_EQ(c.params ? 101 : 0, order.Falz);
        EXPECT_EQ(c.params ? 205 : 0, order.Dorn);
        EXPECT_EQ(c.params ? 401 : 0, order.OpenType);
        EXPECT_EQ(c.params ? "" : "old2", order.ObsoleteText2);
        EXPECT_EQ("Иванов", order.Customer);
        EXPECT_EQ(2, order.PriceGroupNo);
        EXPECT_EQ(92.5f, order.Currency(1).Rate);
        EXPECT_EQ((std::vector<std::string>{"memo 1", "memo 2"}), order.Memo);
        ASSERT_EQ(1, order.Count());
        const TkvfConstruction& p = order.Position(0);
        EXPECT_EQ(&order, p.Order);
        EXPECT_EQ("Kitchen", p.Name);
        EXPECT_EQ(401, p.OpenType);
        EXPECT_EQ(c.dorn, p.LeftFlugel.Dorn);
        EXPECT_EQ(c.dorn == 207 ? 207 : 0, p.RightFlugel.Dorn);
        ASSERT_NE(nullptr, p.LeftFlugel.FurnComp);
        EXPECT_EQ(nullptr, p.RightFlugel.FurnComp);
        const TkvfFurnComp& comp = *p.LeftFlugel.FurnComp;
        EXPECT_EQ(std::vector<std::string>{"0=105"}, comp.Properties);
        EXPECT_EQ(255, comp.HingeColor);
        ASSERT_EQ(1, comp.ItemCount());
        EXPECT_EQ(c.history, comp.Item(0).History);
        EXPECT_EQ(c.comment, comp.Item(0).Comment);
        EXPECT_EQ(c.sideNo, comp.Item(0).SideNo);
        EXPECT_EQ(c.sideNo ? "K" : "", comp.Item(0).ParentComplect);
        ASSERT_EQ(1u, p.LeftFlugel.MatList.size());
        EXPECT_EQ("29.6294", p.LeftFlugel.MatList[0]->Cost.Format4());
        EXPECT_EQ(700, p.LeftFlugel.Lines[0]->HandleHeight);
    }
}

TEST_F(OrderFile, VersionCheck) {
    struct Case {
        const char* name;
        const char* version;
        bool answer;
        MessageKind kind;
        const char* message;
    };
    const Case cases[] = {
        {"older, cancelled", "06.10.2015", false, MessageKind::Confirmation,
         "Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: 06.10.2015\r\nТекущая версия: "
         "26.12.2019"},
        {"newer", "27.12.2019", true, MessageKind::Warning,
         "Вы пытаетесь открыть заказ, созданный более новой версией программы, чем текущая.\r\nДанный модуль "
         "технолога поддерживает файлы заказа\r\nверсии не старше: 26.12.2019!\r\nЗагружаемая версия: "
         "27.12.2019"},
        {"another text with the same key", "57.11.2019", true, MessageKind::Warning,
         "Вы пытаетесь открыть заказ, созданный более новой версией программы, чем текущая.\r\nДанный модуль "
         "технолога поддерживает файлы заказа\r\nверсии не старше: 26.12.2019!\r\nЗагружаемая версия: "
         "57.11.2019"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompter answers;
        answers.confirmAnswers = {c.answer};
        TkvfOrder order;
        bool converted = true;
        ASSERT_FALSE(order.LoadFromFile(write("v.kfo370", SmallOrder(c.version)), converted, answers));
        EXPECT_FALSE(converted);
        ASSERT_EQ(1u, answers.records.size());
        EXPECT_EQ(c.kind, answers.records[0].kind);
        EXPECT_EQ(c.message, answers.records[0].text);
    }
}

TEST_F(OrderFile, HeaderIsNotCompared) {
    TkvfOrder order;
    bool converted = false;
    EXPECT_TRUE(
        order.LoadFromFile(write("h.kfo370", SmallOrder("26.12.2019", "anything")), converted, prompter));
    EXPECT_EQ("Korvena Furniture Order File", order.Header);
    EXPECT_EQ(1, order.Count());
}

TEST_F(OrderFile, LoadFailuresShowTheLoadMessage) {
    std::string badVersion = SmallOrder("26.12.2019");
    badVersion.replace(4 + 28 + 4, 10, "ab.cd.2019");
    struct Case {
        const char* name;
        std::string path;
    };
    const Case cases[] = {
        {"missing file", (dir / "missing.kfo370").string()},
        {"version that is no date", write("bad.kfo370", badVersion)},
        {"empty file", write("empty.kfo370", "")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompter answers;
        TkvfOrder order;
        bool converted = false;
        EXPECT_FALSE(order.LoadFromFile(c.path, converted, answers));
        ASSERT_EQ(1u, answers.records.size());
        EXPECT_EQ(MessageKind::Error, answers.records[0].kind);
        EXPECT_EQ(0u, answers.records[0].text.find("Ошибка загрузки заказа!\r\n("));
    }
}

TEST_F(OrderFile, TruncatedFileLoadsWithTheStringMessage) {
    const std::string whole = SmallOrder("26.12.2019");
    // Cut inside the customer's name.
    const size_t cut = whole.find("\xC8\xE2\xE0") + 2;
    TkvfOrder order;
    bool converted = false;
    EXPECT_TRUE(order.LoadFromFile(write("cut.kfo370", whole.substr(0, cut)), converted, prompter));
    EXPECT_EQ(
        std::vector<std::string>{
            "Ошибка чтения строки из потока!\r\nЗаказано: [6 символов], Считано: [2 символов]!"},
        prompter.Texts(MessageKind::Error));
    EXPECT_EQ("Ив", order.Customer);
    EXPECT_EQ("", order.ProfSys);
    EXPECT_EQ(0, order.Count());
}

TEST_F(OrderFile, EveryCutOfTheFileLoadsOrFailsCleanly) {
    const std::string whole = SmallOrder("26.12.2019");
    for (size_t cut = 0; cut < whole.size(); cut += 7) {
        ScriptedPrompter answers;
        TkvfOrder order;
        bool converted = false;
        TSpecStream stream = TSpecStream::FromBytes(whole.substr(0, cut), &answers);
        try {
            order.LoadFromStream(stream, converted, answers);
        } catch (const KvfError&) {
        }
    }
}

TEST_F(OrderFile, SaveFailureKeepsTheOldFile) {
    const std::string path = write("keep.kfo370", "old");
    TkvfOrder order;
    EXPECT_FALSE(order.SaveToFile((dir / "no" / "such" / "x.kfo370").string(), prompter));
    ASSERT_EQ(1u, prompter.Texts(MessageKind::Error).size());
    EXPECT_EQ(0u, prompter.Texts(MessageKind::Error)[0].find("Ошибка сохранения заказа!\r\n("));
    EXPECT_EQ("old", ReadFileBytes(path));
    ASSERT_TRUE(order.SaveToFile(path, prompter));
    EXPECT_EQ(std::vector<fs::path>{path}, std::vector<fs::path>(fs::directory_iterator(dir), {}));
}

TEST_F(OrderFile, NewOrderRoundTrip) {
    TkvfOrder order;
    order.Version = "01.01.2000"; // the writer always writes the current version
    order.Material = 5;
    order.OrderNo = "Заказ №1";
    order.NDSTax = 18.5f;
    order.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(3, 0.1f));
    TkvfConstruction& p = order.AddPosition();
    p.No = "1";
    p.SetShape({700, 1400, 0, 0, 0, 0, 0}, 0);
    const std::string path = (dir / "new.kfo370").string();
    ASSERT_TRUE(order.SaveToFile(path, prompter));
    EXPECT_EQ("26.12.2019", order.Version);

    TkvfOrder loaded;
    bool converted = true;
    ASSERT_TRUE(loaded.LoadFromFile(path, converted, prompter));
    EXPECT_FALSE(converted);
    EXPECT_EQ(0, loaded.Material);
    EXPECT_EQ(order.Created, loaded.Created);
    EXPECT_EQ(order.RegDate, loaded.RegDate);
    EXPECT_TRUE(loaded.RegDateSet);
    EXPECT_EQ("Заказ №1", loaded.OrderNo);
    EXPECT_EQ(18.5f, loaded.NDSTax);
    EXPECT_EQ(0.1f, loaded.Currency(0).Rate);
    ASSERT_EQ(1, loaded.Count());
    EXPECT_EQ(4u, loaded.Position(0).LeftFlugel.Points.size());
    TSpecStream a;
    TSpecStream b;
    order.SaveToStream(a);
    loaded.SaveToStream(b);
    EXPECT_EQ(a.Bytes(), b.Bytes());
}

} // namespace
} // namespace kvf::test

// `kvf order dump|from-json` and `kvf selection dump|from-json`: the exact
// JSON of a small file and the round trip through JSON.

#include "../model/order_bytes.h"
#include "../model/temp_folder_test.h"
#include "run_kvf.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kvf::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

class CmdOrder : public test::TempFolderTest {
protected:
    CmdOrder() : TempFolderTest("cmd_order_") {}

    // dump FILE, from-json into a new file, dump that again: both JSON objects.
    std::pair<Json, Json> roundTrip(const std::string& group, const std::string& file,
                                    const char* extension) {
        const Result first = run({group, "dump", file, "--yes"});
        EXPECT_EQ(0, first.status) << first.err;
        const std::string json = write("round.json", first.out);
        const std::string copy = (dir / (std::string("copy") + extension)).string();
        const Result made = run({group, "from-json", json, copy});
        EXPECT_EQ(0, made.status) << made.err;
        const Result second = run({group, "dump", copy});
        EXPECT_EQ(0, second.status) << second.err;
        return {Json::parse(first.out), Json::parse(second.out)};
    }
};

TEST_F(CmdOrder, DumpIsExactlyTheFixture) {
    const Result r = run({"order", "dump", write("small.kfo370", test::SmallOrder("26.12.2019"))});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ("", r.err);
    std::ifstream fixture(std::string(KVF_TEST_DIR) + "/order_small.json");
    EXPECT_EQ(Json::parse(fixture).dump(2), Json::parse(r.out).dump(2));
}

TEST_F(CmdOrder, OlderFileNeedsYes) {
    const std::string file = write("old.kfo370", test::SmallOrder("06.10.2015"));
    const Result refused = run({"order", "dump", file});
    EXPECT_EQ(1, refused.status);
    EXPECT_EQ("", refused.out);
    EXPECT_EQ("Необходимо конвертировать файл заказа!\nЗагружаемая версия: 06.10.2015\nТекущая версия: "
              "26.12.2019\n",
              refused.err);

    const Result accepted = run({"order", "dump", file, "--yes"});
    ASSERT_EQ(0, accepted.status);
    const Json json = Json::parse(accepted.out);
    EXPECT_EQ("06.10.2015", json["Version"]);
    EXPECT_EQ(207, json["Positions"][0]["LeftFlugel"]["Dorn"]);
    EXPECT_EQ("", json["Positions"][0]["LeftFlugel"]["FurnComp"]["Items"][0]["Comment"]);
}

TEST_F(CmdOrder, RoundTripKeepsEverythingButTheVersion) {
    for (const char* version : {"26.12.2019", "09.12.2009", "23.07.2019"}) {
        SCOPED_TRACE(version);
        auto [first, second] = roundTrip("order", write("in.kfo370", test::SmallOrder(version)), ".kfo370");
        EXPECT_EQ("26.12.2019", second["Version"]);
        first.erase("Version");
        second.erase("Version");
        EXPECT_EQ(first.dump(2), second.dump(2));
    }
}

TEST_F(CmdOrder, MissingKeysTakeTheBareOrdersValues) {
    const std::string out = (dir / "bare.kfo370").string();
    ASSERT_EQ(0,
              run({"order", "from-json", write("bare.json", R"({"OrderNo": "Z-9", "Positions": [{}]})"), out})
                  .status);
    const Result r = run({"order", "dump", out});
    ASSERT_EQ(0, r.status) << r.err;
    const Json json = Json::parse(r.out);
    EXPECT_EQ("Korvena Furniture Order File", json["Header"]);
    EXPECT_EQ("Z-9", json["OrderNo"]);
    EXPECT_EQ(true, json["RegDateSet"]);
    EXPECT_GT(json["Created"].get<double>(), 40000.0);
    ASSERT_EQ(1u, json["Positions"].size());
    const Json& p = json["Positions"][0];
    EXPECT_EQ(true, p["Included"]);
    EXPECT_EQ(2, p["ConstrType"]);
    EXPECT_EQ("0.0000", p["Cost"]);
    EXPECT_TRUE(p["LeftFlugel"]["FurnComp"].is_null());
}

TEST_F(CmdOrder, Failures) {
    struct Case {
        const char* name;
        std::vector<std::string> words;
        int status;
        const char* errStart;
    };
    const std::string badMoney = write("money.json", R"({"Positions": [{"Cost": 12.5}]})");
    const std::string badLines = write("lines.json", R"({"Positions": [{"LeftFlugel": {"Points": [[0,0]],
        "Lines": [{}, {}]}}]})");
    const std::string badRange = write("range.json", R"({"Positions": [{"ObjectType": 256}]})");
    const Case cases[] = {
        {"missing file", {"order", "dump", (dir / "none.kfo370").string()}, 1, "Ошибка загрузки заказа!\n("},
        {"money as a number",
         {"order", "from-json", badMoney, (dir / "o.kfo370").string()},
         1,
         "JSON: значение \"Cost\""},
        {"more lines than points", {"order", "from-json", badLines, (dir / "o.kfo370").string()}, 1, ""},
        {"byte out of range",
         {"order", "from-json", badRange, (dir / "o.kfo370").string()},
         1,
         "JSON: значение \"ObjectType\""},
        {"no sub-command", {"order"}, 2, "kvf order: missing sub-command"},
        {"text the file cannot hold",
         {"order", "from-json", write("star.json", R"({"Customer": "Иванов ★"})"),
          (dir / "o.kfo370").string()},
         1,
         "JSON: значение \"Customer\": Символы ★ нельзя сохранить: их нет в кодировке Windows-1251."},
        {"selection header",
         {"selection", "dump", write("o.kfo370", test::SmallOrder("26.12.2019"))},
         1,
         "Данный файл не является файлом Nordel Omnivals!\n"},
        {"selection from JSON with another header",
         {"selection", "from-json", write("header.json", R"({"Header": "Korvena Furniture Order File"})"),
          (dir / "o.kfs370").string()},
         1,
         "Данный файл не является файлом Nordel Omnivals!\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result r = run(c.words);
        EXPECT_EQ(c.status, r.status);
        EXPECT_EQ(0u, r.err.find(c.errStart)) << r.err;
        EXPECT_FALSE(r.err.empty());
    }
    EXPECT_FALSE(fs::exists(dir / "o.kfo370.tmp"));
    EXPECT_FALSE(fs::exists(dir / "o.kfs370"));
}

TEST_F(CmdOrder, SelectionDumpAndRoundTrip) {
    const std::string file = write("small.kfs370", test::SmallSelection("06.10.2015"));
    const Result r = run({"selection", "dump", file});
    ASSERT_EQ(0, r.status) << r.err;
    const Json expected = Json::parse(R"({
      "Header": "Korvena Furniture Selection File", "Version": "06.10.2015",
      "Reserved1": 1, "Reserved2": 2, "Created": 43831.5, "Modified": 43832.75, "Reserved3": 3,
      "SelNo": "S-1", "SelDate": 43830.0, "SelName": "Выборка",
      "Currencies": [{"CurrencyID": 2, "Rate": 92.5}], "CurrencyID": 2, "PriceGroupNo": 4,
      "NDSTax": 20.0, "RoundMode": 1, "Note": ["n1", "n2"],
      "Items": [
        {"Included": true, "OrderNo": "A-1", "PosNo": "001", "Width": 700.0, "Height": 1400.0, "Number": 3,
         "Name": "Kitchen", "OrderFile": "%A\\1.KFO370"},
        {"Included": false, "OrderNo": "A-2", "PosNo": "002", "Width": 0.0, "Height": 0.0, "Number": 0,
         "Name": "", "OrderFile": "C:\\OTHER\\2.KFO370"}]})");
    EXPECT_EQ(expected.dump(2), Json::parse(r.out).dump(2));

    const Result old = run({"selection", "dump", write("old.kfs370", test::SmallSelection("05.10.2015"))});
    EXPECT_EQ(1, old.status);
    EXPECT_EQ(0u, old.err.find("Необходимо конвертировать файл выборки!\n"));

    auto [first, second] =
        roundTrip("selection", write("old.kfs370", test::SmallSelection("05.10.2015")), ".kfs370");
    EXPECT_EQ("06.10.2015", second["Version"]);
    first.erase("Version");
    second.erase("Version");
    EXPECT_EQ(first.dump(2), second.dump(2));
}

} // namespace
} // namespace kvf::cli

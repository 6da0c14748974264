// `kvf registry`: registering, listing, refreshing, deleting, archiving and
// clearing through the command line, and two programs registering at once.

#include "registry_install.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

namespace kvf::cli {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

std::vector<Json> jsonLines(const std::string& text) {
    std::vector<Json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(Json::parse(line));
    return lines;
}

std::vector<Json> list() {
    const Result r = run({"registry", "list"});
    EXPECT_EQ(0, r.status) << r.err;
    return jsonLines(r.out);
}

class CmdRegistry : public ::testing::Test {
protected:
    RegistryInstall inst;
};

TEST_F(CmdRegistry, RegistersOnceWhateverTheCaseOfTheNumber) {
    const std::string a1 = inst.WriteOrder(inst.Orders() + "/a1.kfo370", "АБ-1", "Петров");
    const std::string elsewhere = inst.WriteOrder(inst.home.Path("elsewhere/b2.kfo370"), "B-2");
    const std::string sameNo = inst.WriteOrder(inst.home.Path("copy.kfo370"), "аб-1");
    const std::string noNumber = inst.WriteOrder(inst.home.Path("none.kfo370"), "");

    const Result added = run({"registry", "add", a1, elsewhere, sameNo, noNumber});
    EXPECT_EQ(1, added.status);
    EXPECT_NE(std::string::npos,
              added.err.find("Загружаемый заказ № аб-1 уже существует\nв реестре заказов, Вы можете только\n"
                             "обновить данные!"))
        << added.err;
    EXPECT_NE(std::string::npos, added.err.find("Загружаемый заказ не имеет номера!")) << added.err;

    const std::vector<Json> rows = list();
    ASSERT_EQ(2u, rows.size());
    // The primary order: by number.
    EXPECT_EQ("B-2", rows[0]["No"]);
    EXPECT_EQ("АБ-1", rows[1]["No"]);
    const Json& row = rows[1];
    EXPECT_EQ(46000.0, row["RegDate"]);
    EXPECT_EQ("Петров", row["Customer"]);
    EXPECT_EQ("Дача", row["Object"]);
    EXPECT_EQ("Лесная, 5", row["Address"]);
    EXPECT_EQ("123-45-67", row["Phone"]);
    EXPECT_EQ("0.0000", row["Cost"]);
    EXPECT_EQ(1, row["Currency"]);
    EXPECT_EQ("%A1.KFO370", row["OrderFile"]);
    EXPECT_EQ("", row["Note"]);
    std::string full = AnsiUpperCase(elsewhere);
    std::replace(full.begin(), full.end(), '/', '\\');
    EXPECT_EQ(full, rows[0]["OrderFile"]);
}

TEST_F(CmdRegistry, RefreshTakesTheFileUnlessItsNumberChanged) {
    const std::string file = inst.WriteOrder(inst.Orders() + "/r.kfo370", "R-1", "Старый");
    ASSERT_EQ(0, run({"registry", "add", file}).status);

    inst.WriteOrder(file, "R-1", "Новый");
    const Result refreshed = run({"registry", "refresh", "R-1"});
    EXPECT_EQ(0, refreshed.status) << refreshed.err;
    EXPECT_EQ("Новый", list()[0]["Customer"]);

    inst.WriteOrder(file, "R-2", "Третий");
    const Result renumbered = run({"registry", "refresh", "R-1"});
    EXPECT_EQ(1, renumbered.status);
    EXPECT_NE(
        std::string::npos,
        renumbered.err.find("Изменился номер заказ, обновить данные невозможно!\nПеререгистрируйте заказ."));
    EXPECT_EQ("Новый", list()[0]["Customer"]);

    fs::remove(file);
    const Result missing = run({"registry", "refresh", "R-1"});
    EXPECT_EQ(1, missing.status);
    EXPECT_NE(std::string::npos, missing.err.find("Невозможно найти файл заказа № R-1!\nФайл: "))
        << missing.err;
    EXPECT_EQ(1, run({"registry", "refresh", "NOPE"}).status);
}

TEST_F(CmdRegistry, DeleteAndArchiveMoveTheFiles) {
    const std::string dotted = inst.WriteOrder(inst.Orders() + "/Заказ 5.2.kfo370", "5.2");
    const std::string plain = inst.WriteOrder(inst.Orders() + "/plain.kfo370", "P-1");
    const std::string kept = inst.WriteOrder(inst.Orders() + "/kept.kfo370", "K-1");
    const std::string gone = inst.WriteOrder(inst.Orders() + "/gone.kfo370", "G-1");
    ASSERT_EQ(0, run({"registry", "add", dotted, plain, kept, gone}).status);
    // The recycled folder holds a file of the cleaned name already.
    fs::create_directories(inst.home.Path("srv/Recycled"));
    WriteFileAtomic(inst.home.Path("srv/Recycled/Заказ 5_2.kfo"), "older");

    // Without --yes the question is answered Cancel: nothing happens.
    const Result declined = run({"registry", "delete", "5.2"});
    EXPECT_EQ(1, declined.status);
    EXPECT_NE(std::string::npos, declined.err.find("Удалить заказ?"));
    EXPECT_EQ(4u, list().size());
    // An unknown number deletes nothing.
    EXPECT_EQ(1, run({"registry", "delete", "5.2", "X-9", "--yes"}).status);
    EXPECT_EQ(4u, list().size());

    const Result deleted = run({"registry", "delete", "5.2", "--yes"});
    EXPECT_EQ(0, deleted.status) << deleted.err;
    EXPECT_FALSE(fs::exists(dotted));
    EXPECT_EQ("older", ReadFileBytes(inst.home.Path("srv/Recycled/Заказ 5_2.kfo")));
    EXPECT_TRUE(fs::exists(inst.home.Path("srv/Recycled/Заказ 5_2~1.kfo")));

    fs::remove(gone);
    const Result archived = run({"registry", "archive", "P-1", "G-1", "--yes"});
    EXPECT_EQ(0, archived.status) << archived.err;
    EXPECT_TRUE(fs::exists(inst.home.Path("srv/Archive/plain.kfo")));
    EXPECT_NE(std::string::npos,
              archived.err.find("Заказ не был помещен в архив,\nт.к. не найден соответствующий ему файл:\n"));

    // With MoveToRecycled off the file stays where it is.
    ASSERT_EQ(0, run({"settings", "set", "Registry", "MoveToRecycled", "0"}).status);
    EXPECT_EQ(0, run({"registry", "delete", "K-1", "--yes"}).status);
    EXPECT_TRUE(fs::exists(kept));
    EXPECT_TRUE(list().empty());
}

TEST_F(CmdRegistry, ClearLeavesTheFiles) {
    const std::string file = inst.WriteOrder(inst.Orders() + "/c.kfo370", "C-1");
    ASSERT_EQ(0, run({"registry", "add", file}).status);
    EXPECT_EQ(1, run({"registry", "clear"}).status);
    EXPECT_EQ(1u, list().size());
    EXPECT_EQ(0, run({"registry", "clear", "--yes"}).status);
    EXPECT_TRUE(list().empty());
    EXPECT_TRUE(fs::exists(file));
}

TEST_F(CmdRegistry, TwoProgramsRegisteringAtOnceLoseNoRow) {
    // Each program gets 200 files of its own; both start on a registry not made yet.
    std::string lists[2];
    for (int program = 0; program < 2; ++program) {
        for (int i = 0; i < 200; ++i) {
            const std::string no = std::to_string(program) + "-" + std::to_string(i);
            lists[program] += " '" + inst.WriteOrder(inst.Orders() + "/o" + no + ".kfo370", no) + "'";
        }
    }
    fs::remove_all(inst.home.Path("srv/Registry"));
    fs::create_directories(inst.home.Path("srv/Registry"));
    const std::string kvf = KVF_CLI_EXE;
    const std::string command = "'" + kvf + "' registry add" + lists[0] + " & first=$!; '" + kvf +
                                "' registry add" + lists[1] + " & second=$!; wait $first && wait $second";
    ASSERT_EQ(0, std::system(command.c_str()));

    std::multiset<std::string> numbers;
    for (const Json& row : list())
        numbers.insert(row["No"].get<std::string>());
    EXPECT_EQ(400u, numbers.size());
    for (int program = 0; program < 2; ++program)
        for (int i = 0; i < 200; ++i)
            EXPECT_EQ(1u, numbers.count(std::to_string(program) + "-" + std::to_string(i)));
}

TEST_F(CmdRegistry, TwoProgramsDeletingAtOnceLoseNoFile) {
    // Each program deletes 100 orders whose files clean to the same names as
    // the other's, so both claim the same names in the recycled folder at once.
    std::vector<std::string> files;
    std::string numbers[2];
    for (int program = 0; program < 2; ++program) {
        for (int i = 0; i < 100; ++i) {
            const std::string no = std::to_string(program) + "-" + std::to_string(i);
            files.push_back(inst.WriteOrder(
                inst.Orders() + "/o" + std::to_string(i) + (program ? ".kfo" : ".kfo370"), no));
            numbers[program] += " " + no;
        }
    }
    std::vector<std::string> add = {"registry", "add"};
    add.insert(add.end(), files.begin(), files.end());
    ASSERT_EQ(0, run(add).status);
    const std::string kvf = KVF_CLI_EXE;
    const std::string command = "'" + kvf + "' registry delete --yes" + numbers[0] + " & first=$!; '" + kvf +
                                "' registry delete --yes" + numbers[1] +
                                " & second=$!; wait $first && wait $second";
    ASSERT_EQ(0, std::system(command.c_str()));

    EXPECT_TRUE(list().empty());
    std::set<std::string> recycled;
    for (const auto& entry : fs::directory_iterator(inst.home.Path("srv/Recycled")))
        recycled.insert(entry.path().filename().string());
    EXPECT_EQ(200u, recycled.size());
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(1u, recycled.count("o" + std::to_string(i) + ".kfo"));
        EXPECT_EQ(1u, recycled.count("o" + std::to_string(i) + "~1.kfo"));
    }
    for (const std::string& file : files)
        EXPECT_FALSE(fs::exists(file));
}

} // namespace
} // namespace kvf::cli

// `kvf config` and `kvf settings`: configurations in a temporary registry,
// the settings object as JSON, and one value stored as the program stores it.

#include "../config/temp_home.h"
#include "base/atomic_file.h"
#include "base/error.h"
#include "base/text.h"
#include "cli/args.h"
#include "cli/commands.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sstream>

namespace kvf::cli {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result config(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int status = RunConfig(words, out, err);
    return {status, out.str(), err.str()};
}

Result settings(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int status = RunSettings(words, out, err);
    return {status, out.str(), err.str()};
}

// Two configurations, "Демо" the default, with a settings file in the first.
struct Installed {
    test::TempHome home;
    Installed() {
        EXPECT_EQ(0, config({"add", "Демо", "--catalog", home.Path("cat"), "--server", home.Path("srv/"),
                             "--reports", home.Path("rep"), "--temp", home.Path("tmp"), "--default"})
                         .status);
        EXPECT_EQ(0, config({"add", "Склад", "--catalog", home.Path("cat2"), "--server", home.Path("srv2"),
                             "--reports", home.Path("rep2"), "--temp", home.Path("tmp")})
                         .status);
        fs::create_directories(home.Path("cat"));
        WriteFileAtomic(home.Path("cat/KVFurniture.ini"),
                        ToAnsi("; firm\r\n[Firm]\r\nName=Окна\r\n[FTP]\r\nftpUserName=7a7A\r\n"
                               "[Tax]\r\nNDSTax= 2 0 \r\nTotalNDS=0\r\n"));
    }
};

TEST(CmdConfig, AddAndList) {
    Installed inst;
    const Result list = config({"list"});
    EXPECT_EQ(0, list.status);
    EXPECT_EQ("* Демо\n  Склад\n", list.out);
    // Adding a name again in another case changes that configuration.
    EXPECT_EQ(
        0,
        config({"add", "СКЛАД", "--catalog", "/c", "--server", "/s", "--reports", "/r", "--default"}).status);
    EXPECT_EQ("  Демо\n* Склад\n", config({"list"}).out);
    EXPECT_THROW(config({"add", "X", "--catalog", "/c"}), UsageError);
}

TEST(CmdSettings, DumpIsTheStartUpState) {
    Installed inst;
    fs::create_directories(inst.home.Path("tmp/4711"));
    const Result r = settings({"dump"});
    ASSERT_EQ(0, r.status) << r.err;
    const nlohmann::json json = nlohmann::json::parse(r.out);
    EXPECT_EQ(true, json["Loaded"]);
    const nlohmann::json& paths = json["Paths"];
    EXPECT_EQ("Демо", paths["ConfigName"]);
    EXPECT_EQ(inst.home.Path("cat/KVFurniture.ini"), paths["SettingsFile"]);
    EXPECT_EQ(inst.home.Path("srv/Orders"), paths["OrdersDir"]);
    EXPECT_EQ(inst.home.Path("srv/Registry"), paths["RegistryDir"]);
    EXPECT_EQ(inst.home.Path("rep"), paths["ReportDir"]);
    // The run's temporary folder is gone again; nothing else was deleted.
    EXPECT_FALSE(fs::exists(paths["TempDir"].get<std::string>()));
    EXPECT_TRUE(fs::exists(inst.home.Path("tmp/4711")));
    EXPECT_TRUE(fs::is_directory(inst.home.Path("srv/Recycled")));

    const nlohmann::json& s = json["Settings"];
    EXPECT_EQ("Окна", s["Firm"]["Name"]);
    EXPECT_EQ(15u, s["Firm"].size());
    EXPECT_EQ(0, s["Money"]["CurCurrency"]);
    EXPECT_EQ(20.0, s["Tax"]["NDSTax"]);
    EXPECT_EQ(false, s["Tax"]["TotalNDS"]);
    EXPECT_EQ(nlohmann::json::array({"?????? #1", "?????? #2", "?????? #3", "?????? #4", "?????? #5",
                                     "?????? #6", "?????? #7", "?????? #8", "?????? #9", "?????? #10"}),
              s["PriceGroupNames"]);
    EXPECT_EQ(1, s["Defaults"]["DefMaterial"]);
    EXPECT_EQ(0.0, s["Defaults"]["DefProfWidth"]);
    EXPECT_EQ(true, s["Defaults"]["UserDefineHeight"]);
    EXPECT_EQ("", s["Report"]["Logo"]);
    EXPECT_EQ("zz", s["FTP"]["ftpUserName"]);
    EXPECT_EQ(21, s["FTP"]["ftpPort"]);
    EXPECT_EQ(640, s["Registry"]["TechnologDesignFormW"]);
    EXPECT_EQ(true, s["Registry"]["AutoReg"]);

    const Result other = settings({"dump", "--config", "Склад"});
    EXPECT_EQ(1, other.status);
    EXPECT_NE(std::string::npos, other.err.find("Не найден файл конфигурации!"));
}

// A value is stored (status 0) although reading the file complained about
// another key; a value the file's code page cannot hold is refused whole.
TEST(CmdSettings, SetSucceedsDespiteAnotherKeyAndRefusesWhatTheFileCannotHold) {
    Installed inst;
    WriteFileAtomic(inst.home.Path("cat/KVFurniture.ini"),
                    ToAnsi("[Firm]\r\nName=Окна\r\n[Tax]\r\nNDSTax=1.2.3\r\n"));
    const Result set = settings({"set", "Firm", "Name", "Двери"});
    EXPECT_EQ(0, set.status);
    EXPECT_NE(std::string::npos, set.err.find("Неверное значение ставки НДС в файле настроек: [1.2.3]"))
        << set.err;
    EXPECT_NE(std::string::npos,
              FromAnsi(ReadFileBytes(inst.home.Path("cat/KVFurniture.ini"))).find("Name=Двери\r\n"));
    try {
        settings({"set", "Firm", "Name", "Окна ★ и ✓ ★"});
        ADD_FAILURE() << "stored";
    } catch (const KvfError& e) {
        EXPECT_STREQ("Символы ★ ✓ нельзя сохранить: их нет в кодировке Windows-1251", e.what());
    }
    EXPECT_NE(std::string::npos,
              FromAnsi(ReadFileBytes(inst.home.Path("cat/KVFurniture.ini"))).find("Name=Двери\r\n"));
}

TEST(CmdSettings, NoConfiguration) {
    test::TempHome home;
    const Result r = settings({"dump"});
    EXPECT_EQ(1, r.status);
    EXPECT_NE(std::string::npos, r.err.find("В системе не установлены пути доступа к базам данных!"));
    const Result unknown = settings({"dump", "--config", "Нет"});
    EXPECT_EQ(1, unknown.status);
}

TEST(CmdSettings, SetStoresAsTheProgramDoes) {
    Installed inst;
    const Result set = settings({"set", "FTP", "ftpPassword", "Пароль"});
    ASSERT_EQ(0, set.status) << set.err;
    EXPECT_EQ(0, settings({"set", "Registry", "AutoReg", "false"}).status);
    const std::string file = FromAnsi(ReadFileBytes(inst.home.Path("cat/KVFurniture.ini")));
    EXPECT_EQ(0u, file.find("; firm\r\n[Firm]\r\nName=Окна\r\n"));
    EXPECT_NE(std::string::npos, file.find("ftpPassword=CFE0F0EEEBFC\r\n"));
    EXPECT_NE(std::string::npos, file.find("NDSTax=20\r\nTotalNDS=0\r\n"));
    const nlohmann::json json = nlohmann::json::parse(settings({"dump"}).out);
    EXPECT_EQ("Пароль", json["Settings"]["FTP"]["ftpPassword"]);
    EXPECT_EQ(false, json["Settings"]["Registry"]["AutoReg"]);

    const Result refused = settings({"set", "Tax", "TotalNDS", "1"});
    EXPECT_EQ(1, refused.status);
    EXPECT_NE(std::string::npos, refused.err.find("not written back"));
    EXPECT_THROW(settings({"set", "Firm", "Nothing", "1"}), UsageError);
    EXPECT_THROW(settings({"set", "FTP", "ftpPort", "many"}), KvfError);
}

} // namespace
} // namespace kvf::cli

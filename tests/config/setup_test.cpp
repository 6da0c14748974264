#include "config/setup.h"

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/scripted_prompter.h"
#include "base/text.h"
#include "config/ini_file.h"
#include "config/paths.h"
#include "config/registry.h"
#include "temp_home.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace kvf {
namespace {

namespace fs = std::filesystem;

// A configuration inside a temporary home: catalog, server and report folders.
struct Installation {
    test::TempHome home;
    TkvfPaths paths;
    Registry registry{home.RegistryFile()};

    Installation() {
        paths.ConfigName = "Демо";
        paths.CatalogDir = home.Path("cat");
        paths.SettingsFile = home.Path("cat/KVFurniture.ini");
        paths.ServerDir = home.Path("srv");
        paths.OrdersDir = home.Path("srv/Orders");
        paths.SelectionDir = home.Path("srv/Selection");
        paths.RecycledDir = home.Path("srv/Recycled");
        paths.ArchiveDir = home.Path("srv/Archive");
        paths.RegistryDir = home.Path("srv/Registry");
        paths.ExportDir = home.Path("srv/Export");
        paths.ReportDir = home.Path("rep");
        fs::create_directories(paths.CatalogDir);
    }
    void settingsFile(const std::string& utf8) { WriteFileAtomic(paths.SettingsFile, ToAnsi(utf8)); }
    std::string settingsBytes() const { return ReadFileBytes(paths.SettingsFile); }
};

std::string valueText(TkvfSetup setup, const SettingInfo& info) {
    return std::visit(
        [](auto* value) -> std::string {
            using T = std::remove_pointer_t<decltype(value)>;
            if constexpr (std::is_same_v<T, std::string>) {
                return *value;
            } else if constexpr (std::is_same_v<T, bool>) {
                return *value ? "true" : "false";
            } else if constexpr (std::is_same_v<T, double>) {
                return FormatIniFloat(*value);
            } else {
                return std::to_string(*value);
            }
        },
        info.Ref(setup));
}

std::string key(const SettingInfo& info) {
    return std::string(info.Section) + "/" + info.Key;
}

TEST(TkvfSetup, EveryDefault) {
    // Value -> its default, for a settings file and a registry that hold none of them.
    const std::map<std::string, std::string> expected = {
        {"Firm/Name", ""},
        {"Firm/Logo", ""},
        {"Firm/Address", ""},
        {"Firm/JustAddress", ""},
        {"Firm/ZipCode", ""},
        {"Firm/Phone1", ""},
        {"Firm/Phone2", ""},
        {"Firm/Phone3", ""},
        {"Firm/Fax", ""},
        {"Firm/EMail", ""},
        {"Firm/Internet", ""},
        {"Firm/INN", ""},
        {"Firm/Account", ""},
        {"Firm/Director", ""},
        {"Firm/BookKeeper", ""},
        {"Money/CurCurrency", "0"},
        {"Tax/NDSTax", "18"},
        {"Tax/TotalNDS", "true"},
        {"Tax/ShowIncludingNDS", "true"},
        {"Tax/PriceGrpNo", "0"},
        {"PriceGroupNames/1", "?????? #1"},
        {"PriceGroupNames/2", "?????? #2"},
        {"PriceGroupNames/3", "?????? #3"},
        {"PriceGroupNames/4", "?????? #4"},
        {"PriceGroupNames/5", "?????? #5"},
        {"PriceGroupNames/6", "?????? #6"},
        {"PriceGroupNames/7", "?????? #7"},
        {"PriceGroupNames/8", "?????? #8"},
        {"PriceGroupNames/9", "?????? #9"},
        {"PriceGroupNames/10", "?????? #10"},
        {"Defaults/DefProfSys", ""},
        {"Defaults/DefFurnSys", ""},
        {"Defaults/DefFurnSysGroup", "0"},
        {"Defaults/DefInnerProfColor", ""},
        {"Defaults/DefOuterProfColor", ""},
        {"Defaults/DefFurnColor", ""},
        {"Defaults/DefHandle", ""},
        {"Defaults/DefMaterial", "1"},
        {"Defaults/DefFalzType", "0"},
        {"Defaults/DefDornType", "0"},
        {"Defaults/DefStulpFalzType", "0"},
        {"Defaults/DefFlugelType", "0"},
        {"Defaults/DefProfWidth", "0"},
        {"Defaults/DefProfThickness", "0"},
        {"Defaults/UserDefineHeight", "true"},
        {"Report/Logo", ""},
        {"FTP/ftpHost", ""},
        {"FTP/ftpPort", "21"},
        {"FTP/ftpUserName", ""},
        {"FTP/ftpPassword", ""},
        {"FTP/ftpDir", ""},
        {"FTP/ftpUpload", "false"},
        {"Registry/TechnologMainWinState", "0"},
        {"Registry/TechnologOrderWinState", "0"},
        {"Registry/TechnologDesignWinState", "0"},
        {"Registry/TechnologDesignFormW", "640"},
        {"Registry/TechnologDesignFormH", "480"},
        {"Registry/AlertIfNotFull", "true"},
        {"Registry/AutoReg", "true"},
        {"Registry/AutoOpenReg", "true"},
        {"Registry/MoveToRecycled", "true"},
        {"Registry/AutoLoadCurrency", "true"},
    };
    Installation inst;
    inst.settingsFile("; empty\r\n[Other]\r\nX=1\r\n");
    ScriptedPrompter prompter;
    TkvfSetup setup(inst.paths, inst.registry, prompter);
    EXPECT_TRUE(setup.Loaded);
    EXPECT_FALSE(setup.Debug);
    EXPECT_TRUE(prompter.records.empty());
    ASSERT_EQ(expected.size(), SettingsTable().size());
    for (const SettingInfo& info : SettingsTable()) {
        SCOPED_TRACE(key(info));
        auto found = expected.find(key(info));
        ASSERT_NE(expected.end(), found);
        EXPECT_EQ(found->second, valueText(setup, info));
    }
    ASSERT_EQ(10u, setup.PriceGroupNames.size());
    EXPECT_FALSE(prompter.nestedBusy);
    EXPECT_FALSE(prompter.busy);
}

// A settings file with every key, in the form the Windows program writes.
const char* const fullFile = "[Firm]\r\n"
                             "Name=ООО \"Окна\"\r\n"
                             "Logo=logo.bmp\r\n"
                             "Address=Минск\r\n"
                             "JustAddress=Минск, 1\r\n"
                             "ZipCode=017\r\n"
                             "Phone1=111\r\n"
                             "Phone2=222\r\n"
                             "Phone3=333\r\n"
                             "Fax=444\r\n"
                             "EMail=a@b.by\r\n"
                             "Internet=www.b.by\r\n"
                             "INN=100\r\n"
                             "Account=3012\r\n"
                             "Director=Иванов\r\n"
                             "BookKeeper=Петрова\r\n"
                             "[Money]\r\n"
                             "CurCurrency=3\r\n"
                             "[Tax]\r\n"
                             "NDSTax=20\r\n"
                             "TotalNDS=0\r\n"
                             "ShowIncludingNDS=0\r\n"
                             "PriceGrpNo=4\r\n"
                             "[PriceGroupNames]\r\n"
                             "1=Розница\r\n"
                             "10=Опт\r\n"
                             "[Defaults]\r\n"
                             "DefProfSys=KBE\r\n"
                             "DefFurnSys=SYS1\r\n"
                             "DefFurnSysGroup=1\r\n"
                             "DefInnerProfColor=Белый\r\n"
                             "DefOuterProfColor=Дуб\r\n"
                             "DefFurnColor=Серебро\r\n"
                             "DefHandle=H1\r\n"
                             "DefMaterial=2\r\n"
                             "DefFalzType=101\r\n"
                             "DefDornType=201\r\n"
                             "DefStulpFalzType=301\r\n"
                             "DefFlugelType=401\r\n"
                             "DefProfWidth=58,5\r\n"
                             "DefProfThickness=70\r\n"
                             "UserDefineHeight=0\r\n"
                             "[Report]\r\n"
                             "Logo=report.bmp\r\n"
                             "[FTP]\r\n"
                             "ftpHost=ftp.example.by\r\n"
                             "ftpPort=2121\r\n"
                             "ftpUserName=757365\r\n"
                             "ftpPassword=CFE0F0EEEBFC\r\n"
                             "ftpDir=/in\r\n"
                             "ftpUpload=1\r\n";

TEST(TkvfSetup, ReadsEveryValue) {
    Installation inst;
    inst.settingsFile(fullFile);
    ASSERT_TRUE(inst.registry.OpenKey(SettingsKey, true));
    inst.registry.WriteInteger("TechnologMainWinState", 2);
    inst.registry.WriteInteger("TechnologDesignFormW", 800);
    inst.registry.WriteBool("AutoOpenReg", false);
    ScriptedPrompter prompter;
    TkvfSetup s(inst.paths, inst.registry, prompter);
    EXPECT_EQ("ООО \"Окна\"", s.Name);
    EXPECT_EQ("logo.bmp", s.Logo);
    EXPECT_EQ("Петрова", s.BookKeeper);
    EXPECT_EQ(3, s.CurCurrency);
    EXPECT_DOUBLE_EQ(20.0, s.NDSTax);
    EXPECT_FALSE(s.TotalNDS);
    EXPECT_FALSE(s.ShowIncludingNDS);
    EXPECT_EQ(4, s.PriceGrpNo);
    EXPECT_EQ((std::vector<std::string>{"Розница", "?????? #2", "?????? #3", "?????? #4", "?????? #5",
                                        "?????? #6", "?????? #7", "?????? #8", "?????? #9", "Опт"}),
              s.PriceGroupNames);
    EXPECT_EQ("Белый", s.DefInnerProfColor);
    EXPECT_EQ(1, s.DefFurnSysGroup);
    EXPECT_EQ(401, s.DefFlugelType);
    EXPECT_DOUBLE_EQ(58.5, s.DefProfWidth);
    EXPECT_DOUBLE_EQ(70.0, s.DefProfThickness);
    EXPECT_FALSE(s.UserDefineHeight);
    EXPECT_EQ("report.bmp", s.ReportLogo);
    EXPECT_EQ(2121, s.ftpPort);
    EXPECT_EQ("use", s.ftpUserName);
    EXPECT_EQ("Пароль", s.ftpPassword);
    EXPECT_TRUE(s.ftpUpload);
    EXPECT_EQ(2, s.TechnologMainWinState);
    EXPECT_EQ(800, s.TechnologDesignFormW);
    EXPECT_EQ(480, s.TechnologDesignFormH);
    EXPECT_FALSE(s.AutoOpenReg);
    EXPECT_TRUE(s.AutoReg);
}

TEST(TkvfSetup, StoreWritesBackOnlyItsValues) {
    Installation inst;
    // Values that are not written back, in forms Store would never write.
    const std::string file = std::string(fullFile) + "[Extra]\r\n; kept\r\nTotalNDS = yes \r\n";
    inst.settingsFile(file);
    ScriptedPrompter prompter;
    TkvfSetup s(inst.paths, inst.registry, prompter);
    const TkvfSetup original = s;
    // Change every value in memory.
    int counter = 0;
    for (const SettingInfo& info : SettingsTable()) {
        ++counter;
        std::visit(
            [&](auto* value) {
                using T = std::remove_pointer_t<decltype(value)>;
                if constexpr (std::is_same_v<T, std::string>) {
                    *value = "Новое " + std::to_string(counter);
                } else if constexpr (std::is_same_v<T, bool>) {
                    *value = !*value;
                } else if constexpr (std::is_same_v<T, double>) {
                    *value = counter + 0.25;
                } else {
                    *value = 1000 + counter;
                }
            },
            info.Ref(s));
    }
    TkvfSetup expected = s;
    s.Store(inst.registry, prompter);
    EXPECT_TRUE(prompter.Texts(MessageKind::Error).empty());

    ScriptedPrompter again;
    TkvfSetup reread(inst.paths, inst.registry, again);
    for (const SettingInfo& info : SettingsTable()) {
        SCOPED_TRACE(key(info));
        if (info.Written) {
            EXPECT_EQ(valueText(expected, info), valueText(reread, info));
        } else {
            EXPECT_EQ(valueText(original, info), valueText(reread, info));
        }
    }
}

TEST(TkvfSetup, NotWrittenLinesKeepTheirBytes) {
    Installation inst;
    const std::string file = "[Tax]\r\nNDSTax=20\r\nTotalNDS = 0 ; odd\r\nPriceGrpNo=x\r\n"
                             "[PriceGroupNames]\r\n1=Розница\r\n[Report]\r\nLogo=C:\\logo.bmp\r\n";
    inst.settingsFile(file);
    ScriptedPrompter prompter;
    TkvfSetup s(inst.paths, inst.registry, prompter);
    s.TotalNDS = true;
    s.PriceGrpNo = 5;
    s.PriceGroupNames[0] = "Опт";
    s.ReportLogo = "other.bmp";
    s.UserDefineHeight = false;
    s.Store(inst.registry, prompter);
    const std::string stored = FromAnsi(inst.settingsBytes());
    EXPECT_EQ(0u, stored.find(file.substr(0, file.find("[Report]")))) << stored;
    EXPECT_NE(std::string::npos, stored.find("[Report]\r\nLogo=C:\\logo.bmp\r\n"));
    EXPECT_EQ(std::string::npos, stored.find("UserDefineHeight"));
    EXPECT_EQ(std::string::npos, stored.find("DefFurnSysGroup"));
}

TEST(TkvfSetup, StoreOrderIntoAnEmptyFile) {
    Installation inst;
    inst.settingsFile("");
    ScriptedPrompter prompter;
    TkvfSetup s(inst.paths, inst.registry, prompter);
    s.Name = "Окна";
    s.NDSTax = 18.5;
    s.ftpUserName = "abc";
    s.ftpPassword = "я";
    s.Store(inst.registry, prompter);
    const std::string expected = "[Defaults]\r\n"
                                 "DefProfSys=\r\n"
                                 "DefInnerProfColor=\r\n"
                                 "DefOuterProfColor=\r\n"
                                 "DefFurnSys=\r\n"
                                 "DefFurnColor=\r\n"
                                 "DefHandle=\r\n"
                                 "DefMaterial=1\r\n"
                                 "DefFalzType=0\r\n"
                                 "DefStulpFalzType=0\r\n"
                                 "DefFlugelType=0\r\n"
                                 "DefDornType=0\r\n"
                                 "DefProfWidth=0\r\n"
                                 "DefProfThickness=0\r\n"
                                 "[Money]\r\n"
                                 "CurCurrency=0\r\n"
                                 "[Tax]\r\n"
                                 "NDSTax=18,5\r\n"
                                 "[Firm]\r\n"
                                 "Name=Окна\r\n"
                                 "Logo=\r\n"
                                 "Address=\r\n"
                                 "JustAddress=\r\n"
                                 "ZipCode=\r\n"
                                 "Phone1=\r\n"
                                 "Phone2=\r\n"
                                 "Phone3=\r\n"
                                 "Fax=\r\n"
                                 "EMail=\r\n"
                                 "Internet=\r\n"
                                 "INN=\r\n"
                                 "Account=\r\n"
                                 "Director=\r\n"
                                 "BookKeeper=\r\n"
                                 "[FTP]\r\n"
                                 "ftpHost=\r\n"
                                 "ftpPort=21\r\n"
                                 "ftpUserName=616263\r\n"
                                 "ftpPassword=FF\r\n"
                                 "ftpDir=\r\n"
                                 "ftpUpload=0\r\n";
    EXPECT_EQ(ToAnsi(expected), inst.settingsBytes());
    EXPECT_FALSE(prompter.nestedBusy);
    EXPECT_FALSE(prompter.busy);

    Registry check(inst.home.RegistryFile());
    ASSERT_TRUE(check.OpenKey(SettingsKey, false));
    EXPECT_EQ(640, check.ReadInteger("TechnologDesignFormW"));
    EXPECT_TRUE(check.ReadBool("AutoLoadCurrency"));
}

TEST(TkvfSetup, StoreOrderListsExactlyTheWrittenValues) {
    size_t written = 0;
    for (const SettingInfo& info : SettingsTable()) {
        const bool registry = std::string_view(info.Section) == "Registry";
        const auto& order = SettingsStoreOrder();
        const bool listed = std::find(order.begin(), order.end(), &info) != order.end();
        SCOPED_TRACE(key(info));
        EXPECT_EQ(info.Written && !registry, listed);
        written += listed ? 1 : 0;
    }
    EXPECT_EQ(SettingsStoreOrder().size(), written);
}

TEST(TkvfSetup, NdsTaxForms) {
    struct Case {
        const char* name;
        const char* line; // nullptr: no key
        double rate;
        const char* error; // nullptr: none
    };
    const Case cases[] = {
        {"plain", "NDSTax=18", 18, nullptr},
        {"blanks before, between and after", "NDSTax=  1 8  ", 18, nullptr},
        {"blanks inside a decimal", "NDSTax=1 8 , 5", 18.5, nullptr},
        {"decimal comma", "NDSTax=18,5", 18.5, nullptr},
        {"decimal full stop", "NDSTax=18.5", 18.5, nullptr},
        {"empty", "NDSTax=", 0, nullptr},
        {"missing", nullptr, 18, nullptr},
        {"not a number", "NDSTax=восемнадцать", 18,
         "Неверное значение ставки НДС в файле настроек: [восемнадцать]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        inst.settingsFile(std::string("[Tax]\r\n") + (c.line ? c.line : "") + "\r\n");
        ScriptedPrompter prompter;
        TkvfSetup s(inst.paths, inst.registry, prompter);
        EXPECT_DOUBLE_EQ(c.rate, s.NDSTax);
        const std::vector<std::string> errors = prompter.Texts(MessageKind::Error);
        if (c.error) {
            EXPECT_EQ(std::vector<std::string>{c.error}, errors);
        } else {
            EXPECT_TRUE(errors.empty());
        }
    }
}

TEST(TkvfSetup, FtpAccountHexForm) {
    struct Case {
        const char* name;
        const char* stored;
        std::string plain;
    };
    const Case cases[] = {
        {"upper case", "7A7A", "zz"},           {"lower case", "7a7a", "zz"},
        {"Cyrillic", "cfe0f0eeebfc", "Пароль"}, {"odd digit count", "41424", std::string("AB\x04")},
        {"bad digits", "4X", std::string("@")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Installation inst;
        inst.settingsFile(std::string("[FTP]\r\nftpPassword=") + c.stored + "\r\n");
        ScriptedPrompter prompter;
        TkvfSetup s(inst.paths, inst.registry, prompter);
        EXPECT_EQ(c.plain, s.ftpPassword);
    }
    Installation inst;
    inst.settingsFile("");
    ScriptedPrompter prompter;
    TkvfSetup s(inst.paths, inst.registry, prompter);
    s.ftpUserName = "Иван Ёлкин";
    s.ftpPassword = "пароль=1;";
    s.Store(inst.registry, prompter);
    TkvfSetup back(inst.paths, inst.registry, prompter);
    EXPECT_EQ("Иван Ёлкин", back.ftpUserName);
    EXPECT_EQ("пароль=1;", back.ftpPassword);
    EXPECT_NE(std::string::npos, inst.settingsBytes().find("ftpUserName=C8E2E0ED20A8EBEAE8ED\r\n"));
}

TEST(TkvfSetup, PhonesLine) {
    struct Case {
        const char* name;
        const char *zip, *phone1, *phone2, *phone3, *fax;
        const char* line;
    };
    const Case cases[] = {
        {"first and third empty", "017", "", "111", "", "222", "017 111,222"},
        {"all four", "017", "1", "2", "3", "4", "017 1,2,3,4"},
        {"only the fax", "017", "", "", "", "9", "017 9"},
        {"none", "017", "", "", "", "", ""},
        {"no area code", "", "1", "2", "", "", " 1,2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfSetup s;
        s.ZipCode = c.zip;
        s.Phone1 = c.phone1;
        s.Phone2 = c.phone2;
        s.Phone3 = c.phone3;
        s.Fax = c.fax;
        EXPECT_EQ(c.line, s.PhonesLine());
    }
}

TEST(TkvfSetup, WithoutSettingsFileNothingHappens) {
    Installation inst;
    ScriptedPrompter prompter;
    TkvfSetup s(inst.paths, inst.registry, prompter);
    EXPECT_FALSE(s.Loaded);
    EXPECT_FALSE(fs::exists(inst.paths.ServerDir));
    EXPECT_FALSE(fs::exists(inst.paths.ReportDir));
    s.Name = "x";
    s.Store(inst.registry, prompter);
    EXPECT_FALSE(fs::exists(inst.paths.SettingsFile));
    EXPECT_FALSE(fs::exists(inst.home.RegistryFile()));
    EXPECT_TRUE(prompter.records.empty());
}

TEST(TkvfSetup, LoadMakesTheWorkingFolders) {
    Installation inst;
    inst.settingsFile("");
    ScriptedPrompter prompter;
    TkvfSetup s(inst.paths, inst.registry, prompter);
    for (const std::string& folder :
         {inst.paths.ServerDir, inst.paths.OrdersDir, inst.paths.RecycledDir, inst.paths.ArchiveDir,
          inst.paths.SelectionDir, inst.paths.ReportDir, inst.paths.ExportDir}) {
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
    }
    EXPECT_FALSE(fs::exists(inst.paths.RegistryDir));
    EXPECT_EQ("Recycled\n", ReadFileBytes(inst.home.Path("srv/.hidden")));
}

TEST(TkvfSetup, ExistingRecycledFolderKeepsItsAttributes) {
    Installation inst;
    inst.settingsFile("");
    fs::create_directories(inst.paths.RecycledDir);
    WriteFileAtomic(inst.home.Path("srv/.hidden"), "Other");
    ScriptedPrompter prompter;
    TkvfSetup s(inst.paths, inst.registry, prompter);
    EXPECT_EQ("Other", ReadFileBytes(inst.home.Path("srv/.hidden")));
    fs::remove_all(inst.paths.RecycledDir);
    TkvfSetup again(inst.paths, inst.registry, prompter);
    EXPECT_EQ("Other\nRecycled\n", ReadFileBytes(inst.home.Path("srv/.hidden")));
}

TEST(TkvfSetup, RegistryFailuresAreShownAndTheRestRuns) {
    Installation inst;
    inst.settingsFile("[Firm]\r\nName=Окна\r\n");
    // The value of the wrong type takes its default; the values after it keep
    // theirs, and storing writes them back unchanged.
    ASSERT_TRUE(inst.registry.OpenKey(SettingsKey, true));
    inst.registry.WriteInteger("TechnologMainWinState", 1);
    inst.registry.WriteString("AlertIfNotFull", "yes");
    inst.registry.WriteBool("AutoReg", true);
    ScriptedPrompter prompter;
    TkvfSetup s(inst.paths, inst.registry, prompter);
    EXPECT_EQ(1, s.TechnologMainWinState);
    EXPECT_EQ(640, s.TechnologDesignFormW);
    EXPECT_TRUE(s.AlertIfNotFull) << "its default";
    EXPECT_TRUE(s.AutoReg);
    const std::vector<std::string> errors = prompter.Texts(MessageKind::Error);
    ASSERT_EQ(1u, errors.size());
    EXPECT_EQ("Ошибка чтения из системного реестра!\r\n(Неверный тип данных для 'AlertIfNotFull')",
              errors[0]);
    EXPECT_TRUE(fs::is_directory(inst.paths.OrdersDir));
    s.Store(inst.registry, prompter);
    ASSERT_TRUE(inst.registry.OpenKey(SettingsKey, false));
    EXPECT_TRUE(inst.registry.ReadBool("AutoReg"));
    EXPECT_EQ(1, inst.registry.ReadInteger("TechnologMainWinState"));

    // A registry file that cannot be parsed: nothing is read, nothing written
    // over, and the settings file is still stored.
    const std::string broken = "REGEDIT4\r\n\"A\"=\"b\"\r\n";
    WriteFileAtomic(inst.home.RegistryFile(), broken);
    ScriptedPrompter second;
    TkvfSetup t(inst.paths, inst.registry, second);
    EXPECT_EQ(0, t.TechnologDesignFormW);
    EXPECT_FALSE(t.AutoReg);
    t.Name = "Двери";
    t.Store(inst.registry, second);
    const std::vector<std::string> texts = second.Texts(MessageKind::Error);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(0u, texts[0].rfind("Ошибка чтения из системного реестра!\r\n(Файл реестра ", 0)) << texts[0];
    EXPECT_EQ(0u, texts[1].rfind("Ошибка записи в системный реестр!\r\n(Файл реестра ", 0)) << texts[1];
    EXPECT_EQ(broken, ReadFileBytes(inst.home.RegistryFile()));
    EXPECT_NE(std::string::npos, FromAnsi(inst.settingsBytes()).find("Name=Двери\r\n"));
}

TEST(AssignSetting, TextsOfEveryType) {
    struct Case {
        const char* section;
        const char* key;
        const char* text;
        const char* value; // nullptr: refused
    };
    const Case cases[] = {
        {"Firm", "Name", "Окна", "Окна"},           {"FTP", "ftpPassword", "секрет", "секрет"},
        {"ftp", "FTPPORT", "2121", "2121"},         {"FTP", "ftpPort", "21x", nullptr},
        {"FTP", "ftpPort", "99999999999", nullptr}, {"FTP", "ftpUpload", "true", "true"},
        {"FTP", "ftpUpload", "0", "false"},         {"FTP", "ftpUpload", "yes", nullptr},
        {"Tax", "NDSTax", "18,5", "18,5"},          {"Tax", "NDSTax", "20", "20"},
        {"Tax", "NDSTax", "много", nullptr},        {"Registry", "AutoReg", "False", "false"},
        {"PriceGroupNames", "3", "Дилер", "Дилер"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + "=" + c.text);
        const SettingInfo* info = FindSetting(c.section, c.key);
        ASSERT_NE(nullptr, info);
        TkvfSetup s;
        if (c.value) {
            AssignSetting(s, *info, c.text);
            EXPECT_EQ(c.value, valueText(s, *info));
        } else {
            EXPECT_THROW(AssignSetting(s, *info, c.text), KvfError);
        }
    }
    EXPECT_EQ(nullptr, FindSetting("Firm", "Nothing"));
    TkvfSetup s;
    AssignSetting(s, *FindSetting("report", "logo"), "r.bmp");
    AssignSetting(s, *FindSetting("Firm", "Logo"), "f.bmp");
    EXPECT_EQ("r.bmp", s.ReportLogo);
    EXPECT_EQ("f.bmp", s.Logo);
}

} // namespace
} // namespace kvf

#include "config/paths.h"

#include "base/atomic_file.h"
#include "base/scripted_prompter.h"
#include "base/text.h"
#include "config/registry.h"
#include "temp_home.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace kvf {
namespace {

namespace fs = std::filesystem;

struct Configuration {
    std::string name, catalog, server, reports, temp;
};

void addConfiguration(Registry& registry, const Configuration& c) {
    ASSERT_TRUE(registry.OpenKey(ConfigurationsKey + "\\" + c.name, true));
    registry.WriteString("KVFCatalogDir", c.catalog);
    registry.WriteString("KVFServerName", c.server);
    registry.WriteString("KVFReportDir", c.reports);
    registry.WriteString("KVFTempDir", c.temp);
}

void setDefault(Registry& registry, const std::string& name) {
    ASSERT_TRUE(registry.OpenKey(ConfigurationsKey, true));
    registry.WriteString("DefaultConfig", name);
}

TEST(StoredFolder, TrimsAndDropsOneTrailingSeparator) {
    struct Case {
        const char* name;
        const char* value;
        const char* folder;
    };
    const Case cases[] = {
        {"plain", "/srv/kvf", "/srv/kvf"},
        {"backslash and a blank", "C:\\Korvena\\Server\\ ", "C:\\Korvena\\Server"},
        {"slash", "/srv/kvf/", "/srv/kvf"},
        {"only one separator goes", "/srv/kvf//", "/srv/kvf/"},
        {"blanks around", "  /srv/kvf  ", "/srv/kvf"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.folder, StoredFolder(c.value));
    }
}

TEST(ChooseConfiguration, DerivesEveryFolder) {
    test::TempHome home;
    Registry registry(home.RegistryFile());
    addConfiguration(registry, {"Демо", home.Path("cat") + "\\ ", " " + home.Path("srv") + "/",
                                home.Path("rep"), home.Path("tmp")});
    ScriptedPrompter prompter;
    prompter.choiceAnswers = {0};
    std::mt19937 random(1);
    TkvfPaths paths;
    ASSERT_TRUE(paths.ChooseConfiguration(registry, prompter, home.Path("bin"), random));
    EXPECT_TRUE(prompter.Texts(MessageKind::Error).empty());
    EXPECT_EQ("Демо", paths.ConfigName);
    EXPECT_EQ(home.Path("cat"), paths.CatalogDir);
    EXPECT_EQ(home.Path("cat/KVFurniture.ini"), paths.SettingsFile);
    EXPECT_EQ(home.Path("srv"), paths.ServerDir);
    EXPECT_EQ(home.Path("srv/Orders"), paths.OrdersDir);
    EXPECT_EQ(home.Path("srv/Selection"), paths.SelectionDir);
    EXPECT_EQ(home.Path("srv/Recycled"), paths.RecycledDir);
    EXPECT_EQ(home.Path("srv/Archive"), paths.ArchiveDir);
    EXPECT_EQ(home.Path("srv/Registry"), paths.RegistryDir);
    EXPECT_EQ(home.Path("srv/Export"), paths.ExportDir);
    EXPECT_EQ(home.Path("rep"), paths.ReportDir);
    EXPECT_EQ(home.Path("tmp"), fs::path(paths.TempDir).parent_path().string());
    const std::string number = fs::path(paths.TempDir).filename().string();
    EXPECT_LT(std::stoi(number), 1000000);
    EXPECT_TRUE(fs::is_directory(paths.TempDir));
    EXPECT_EQ(paths.TempDir, paths.LastTempDir);
    // Only the temporary folder is made here.
    EXPECT_FALSE(fs::exists(home.Path("srv")));
}

TEST(ChooseConfiguration, PreselectsTheDefaultByExactName) {
    struct Case {
        const char* name;
        std::vector<std::string> configurations;
        std::optional<std::string> defaultConfig;
        int initial;
    };
    const Case cases[] = {
        {"one configuration: still offered", {"Демо"}, std::nullopt, 0},
        {"default named", {"Локальная", "Сеть", "Склад"}, "Сеть", 1},
        {"no DefaultConfig value", {"Локальная", "Сеть"}, std::nullopt, 0},
        {"DefaultConfig names no configuration", {"Локальная", "Сеть"}, "Архив", 0},
        {"DefaultConfig differs in case only", {"Локальная", "Сеть"}, "СЕТЬ", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        Registry registry(home.RegistryFile());
        for (const std::string& name : c.configurations) {
            addConfiguration(registry, {name, "/c", "/s", "/r", home.Root()});
        }
        if (c.defaultConfig) {
            setDefault(registry, *c.defaultConfig);
        }
        ScriptedPrompter prompter;
        prompter.choiceAnswers = {c.initial};
        std::mt19937 random(2);
        TkvfPaths paths;
        ASSERT_TRUE(paths.ChooseConfiguration(registry, prompter, "/nonexistent", random));
        ASSERT_EQ(1u, prompter.lists.size());
        const ChoiceList& list = prompter.lists[0];
        EXPECT_EQ("Конфигурация", list.Caption);
        ASSERT_EQ(c.configurations.size(), list.Rows.size());
        for (size_t i = 0; i < list.Rows.size(); ++i) {
            EXPECT_EQ(c.configurations[i], list.Rows[i].at(0));
        }
        EXPECT_EQ(c.initial, list.Initial);
        EXPECT_EQ(c.configurations[static_cast<size_t>(c.initial)], paths.ConfigName);
    }
}

TEST(ChooseConfiguration, FailuresAndTheirMessages) {
    struct Case {
        const char* name;
        std::string registryImage; // empty: no file
        bool cancel;
        const char* message; // nullptr: none
    };
    const Case cases[] = {
        {"no configurations", "", false,
         "В системе не установлены пути доступа к базам данных!\r\nИнсталлируйте заново программу!"},
        {"configurations key without subkeys",
         "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SoftWare\\Nordel\\Korvena\\Furniture380\\DBConfig\\Belvarek]"
         "\r\n"
         "\"DefaultConfig\"=\"Демо\"\r\n",
         false, "В системе не установлены пути доступа к базам данных!\r\nИнсталлируйте заново программу!"},
        {"cancelled",
         "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SoftWare\\Nordel\\Korvena\\Furniture380\\DBConfig\\"
         "Belvarek\\Демо]\r\n",
         true, nullptr},
        {"malformed registry", "REGEDIT4\r\n\"A\"=\"b\"\r\n", false,
         "Ошибка чтения системного реестра!\r\n("},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempHome home;
        if (!c.registryImage.empty()) {
            WriteFileAtomic(home.RegistryFile(), ToAnsi(c.registryImage));
        }
        Registry registry(home.RegistryFile());
        ScriptedPrompter prompter;
        if (!c.cancel) {
            prompter.choiceAnswers = {0};
        }
        std::mt19937 random(3);
        TkvfPaths paths;
        paths.CatalogDir = "stale";
        EXPECT_FALSE(paths.ChooseConfiguration(registry, prompter, home.Root(), random));
        EXPECT_EQ("", paths.CatalogDir);
        const std::vector<std::string> errors = prompter.Texts(MessageKind::Error);
        if (c.message == nullptr) {
            EXPECT_TRUE(errors.empty());
        } else {
            ASSERT_EQ(1u, errors.size());
            EXPECT_EQ(0u, errors[0].rfind(c.message, 0)) << errors[0];
        }
    }
}

TEST(OpenConfiguration, UnknownNameIsReported) {
    test::TempHome home;
    Registry registry(home.RegistryFile());
    addConfiguration(registry, {"Демо", "/c", "/s", "/r", home.Root()});
    ScriptedPrompter prompter;
    std::mt19937 random(4);
    TkvfPaths paths;
    EXPECT_FALSE(paths.OpenConfiguration("Склад", registry, prompter, home.Root(), random));
    EXPECT_EQ(
        std::vector<std::string>{
            "Ошибка открытия конфигурации Склад!\r\nУказанная конфигурация не числиться в "
            "списке."},
        prompter.Texts(MessageKind::Error));
    EXPECT_TRUE(paths.OpenConfiguration("демо", registry, prompter, home.Root(), random));
    EXPECT_EQ("Демо", paths.ConfigName);
}

TEST(OpenConfiguration, EmptyTempBaseUsesTheDefaultBaseAndEmptyServerMakesNoRootFolders) {
    test::TempHome home;
    Registry registry(home.RegistryFile());
    addConfiguration(registry, {"Демо", "", "  ", "", ""});
    ScriptedPrompter prompter;
    std::mt19937 random(5);
    TkvfPaths paths;
    ASSERT_TRUE(paths.OpenConfiguration("Демо", registry, prompter, home.Path("bin"), random));
    EXPECT_EQ(home.Path("bin"), fs::path(paths.TempDir).parent_path().string());
    EXPECT_TRUE(fs::is_directory(paths.TempDir));
    EXPECT_EQ(fs::perms::owner_all, fs::status(home.Path("bin")).permissions()) << "the user's own";
    EXPECT_EQ("", paths.SettingsFile);
    EXPECT_EQ("", paths.OrdersDir);
    EXPECT_EQ("", paths.RegistryDir);
}

// An empty "KVFTempDir" never means the program's folder: the user's own one.
TEST(DefaultTempBase, IsAFolderOfTheUsersOwn) {
    test::TempHome home;
    const char* savedRuntime = std::getenv("XDG_RUNTIME_DIR");
    const std::string runtime = savedRuntime != nullptr ? savedRuntime : "";
    const char* savedUser = std::getenv("USER");
    const std::string user = savedUser != nullptr ? savedUser : "";
    const std::string runFolder = home.Path("run");
    fs::create_directories(runFolder);
    struct Case {
        const char* name;
        const char* runtime; // nullptr: unset
        std::string expected;
    } cases[] = {
        {"runtime folder", runFolder.c_str(), runFolder + "/korvena-tester"},
        {"no runtime folder", nullptr, (fs::temp_directory_path() / "korvena-tester").string()},
        {"runtime folder missing", "/nonexistent-run",
         (fs::temp_directory_path() / "korvena-tester").string()},
    };
    setenv("USER", "tester", 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.runtime != nullptr) {
            setenv("XDG_RUNTIME_DIR", c.runtime, 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
        EXPECT_EQ(c.expected, DefaultTempBase());
    }
    if (savedRuntime != nullptr) {
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    } else {
        unsetenv("XDG_RUNTIME_DIR");
    }
    if (savedUser != nullptr) {
        setenv("USER", user.c_str(), 1);
    } else {
        unsetenv("USER");
    }
}

TEST(OpenConfiguration, TakesANumberNotInUse) {
    test::TempHome home;
    Registry registry(home.RegistryFile());
    addConfiguration(registry, {"Демо", "/c", "/s", "/r", home.Root()});
    std::mt19937 probe(6);
    const int taken = std::uniform_int_distribution<int>(0, 999999)(probe);
    fs::create_directories(home.Path(std::to_string(taken)));
    WriteFileAtomic(home.Path(std::to_string(taken) + "/busy"), "another copy's file");
    ScriptedPrompter prompter;
    std::mt19937 random(6);
    TkvfPaths paths;
    ASSERT_TRUE(paths.OpenConfiguration("Демо", registry, prompter, home.Root(), random));
    EXPECT_NE(home.Path(std::to_string(taken)), paths.TempDir);
}

// What start-up and shut-down do with the temporary folders, twice.
TEST(TempFolders, SecondStartDeletesTheFirstRunsFolder) {
    test::TempHome home;
    {
        Registry registry(Registry::DefaultFileName());
        addConfiguration(registry, {"Демо", "/c", "/s", "/r", home.Path("tmp")});
    }
    auto run = [&](std::uint32_t seed) {
        Registry registry(Registry::DefaultFileName());
        ScriptedPrompter prompter;
        prompter.choiceAnswers = {0};
        std::mt19937 random(seed);
        TkvfPaths paths;
        paths.ReadLastTempDir(registry, prompter);
        const std::string last = paths.LastTempDir;
        EXPECT_TRUE(paths.DeleteLastTempDir(prompter));
        EXPECT_TRUE(paths.ChooseConfiguration(registry, prompter, home.Root(), random));
        WriteFileAtomic(paths.TempDir + "/work.tmp", "temporary");
        paths.StoreLastTempDir(registry, prompter);
        EXPECT_TRUE(prompter.Texts(MessageKind::Error).empty());
        return std::make_pair(last, paths.TempDir);
    };
    const auto [before1, first] = run(7);
    EXPECT_EQ("", before1);
    EXPECT_TRUE(fs::exists(first + "/work.tmp"));
    const auto [before2, second] = run(8);
    EXPECT_EQ(first, before2);
    EXPECT_FALSE(fs::exists(first));
    EXPECT_NE(first, second);
    EXPECT_TRUE(fs::exists(second));
    Registry registry(Registry::DefaultFileName());
    ASSERT_TRUE(registry.OpenKey(ConfigurationsKey, false));
    EXPECT_EQ(second, registry.ReadString("KVFLastTempDir"));
}

TEST(TempFolders, OnlyARunNumberFolderIsDeleted) {
    test::TempHome home;
    fs::create_directories(home.Path("documents"));
    WriteFileAtomic(home.Path("documents/precious.txt"), "keep me");
    ScriptedPrompter prompter;
    TkvfPaths paths;
    paths.LastTempDir = home.Path("documents");
    EXPECT_FALSE(paths.DeleteLastTempDir(prompter));
    EXPECT_TRUE(fs::exists(home.Path("documents/precious.txt")));
    ASSERT_EQ(1u, prompter.Texts(MessageKind::Error).size());
    paths.LastTempDir = home.Path("gone/123");
    EXPECT_TRUE(paths.DeleteLastTempDir(prompter));
}

TEST(TempFolders, RegistryFailureShowsTheErrorTextAlone) {
    test::TempHome home;
    const std::string broken = "REGEDIT4\r\n\"A\"=\"b\"\r\n";
    WriteFileAtomic(home.RegistryFile(), broken);
    Registry registry(home.RegistryFile());
    ScriptedPrompter prompter;
    TkvfPaths paths;
    paths.LastTempDir = "x";
    paths.ReadLastTempDir(registry, prompter);
    EXPECT_EQ("", paths.LastTempDir);
    paths.TempDir = home.Path("1");
    paths.StoreLastTempDir(registry, prompter);
    const std::vector<std::string> errors = prompter.Texts(MessageKind::Error);
    ASSERT_EQ(2u, errors.size());
    EXPECT_EQ(0u, errors[0].rfind("Файл реестра " + home.RegistryFile() + " поврежден, строка 2:", 0))
        << errors[0];
    EXPECT_EQ(broken, ReadFileBytes(home.RegistryFile()));
}

} // namespace
} // namespace kvf

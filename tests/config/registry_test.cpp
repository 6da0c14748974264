#include "config/registry.h"

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/text.h"
#include "config/reg_file.h"
#include "temp_home.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

const std::string configurations = "\\SoftWare\\Nordel\\Korvena\\Furniture380\\DBConfig\\Belvarek";

TEST(RegFile, ReadsWindowsExport) {
    const std::string bytes = ReadFileBytes(KVF_TEST_DIR "/windows_export.reg");
    const std::vector<RegKeySection> sections = ParseRegFile(bytes);
    ASSERT_EQ(4u, sections.size());
    EXPECT_EQ("HKEY_CURRENT_USER\\Software\\Nordel\\Korvena\\Furniture380\\DBConfig\\Belvarek\\Локальная",
              sections[1].Path);
    EXPECT_EQ("C:\\Korvena\\Catalog\\", sections[1].Values[0].Text);
    const RegKeySection& net = sections[2];
    EXPECT_EQ("\\\\server\\Korvena\\Заказы \"Юг\"", net.Values[1].Text);
    EXPECT_EQ(RegBinary, net.Values[4].Kind);
    EXPECT_EQ(std::string("\x00\x00\x00\x00\x00\x40\xe5\x40", 8), net.Values[4].Bytes);
    EXPECT_EQ(RegDword, sections[3].Values[0].Kind);
    EXPECT_EQ(2u, sections[3].Values[0].Dword);
}

TEST(RegFile, WritesWhatItReads) {
    const std::vector<RegKeySection> sections =
        ParseRegFile(ReadFileBytes(KVF_TEST_DIR "/windows_export.reg"));
    const std::string image = FormatRegFile(sections);
    EXPECT_EQ(0u, image.rfind("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\", 0));
    EXPECT_NE(std::string::npos, image.find("\"KVFCatalogDir\"=\"C:\\\\Korvena\\\\Catalog\\\\\"\r\n"));
    EXPECT_NE(std::string::npos, image.find("\"ExpLastDate\"=hex:00,00,00,00,00,40,e5,40\r\n"));
    EXPECT_NE(std::string::npos, image.find(ToAnsi("Belvarek\\Сеть]\r\n")));
    std::vector<RegKeySection> again = ParseRegFile(image);
    ASSERT_EQ(sections.size(), again.size());
    for (size_t i = 0; i < sections.size(); ++i) {
        EXPECT_EQ(sections[i].Path, again[i].Path);
        EXPECT_EQ(sections[i].Values, again[i].Values);
    }
}

TEST(RegFile, AcceptsUtf8AndOtherForms) {
    const std::string text =
        "\xEF\xBB\xBF\nREGEDIT4\n; comment\n[HKEY_CURRENT_USER\\A]\n@=\"unnamed\"\n"
        "\"Multi\"=hex(1):41,0d,0a,42,00\n\"Gone\"=\"x\"\n\"Gone\"=-\n"
        "\"Kept\"=hex(7):41,00,00\n\"Number\"=hex(4):0a,01,00,00\n[HKEY_CURRENT_USER\\B]\n\"Name\"=\"Имя\"\n"
        "[-HKEY_CURRENT_USER\\B]\n";
    const std::vector<RegKeySection> sections = ParseRegFile(text);
    ASSERT_EQ(1u, sections.size());
    ASSERT_EQ(4u, sections[0].Values.size());
    EXPECT_EQ("", sections[0].Values[0].Name);
    EXPECT_EQ("unnamed", sections[0].Values[0].Text);
    EXPECT_EQ("A\r\nB", sections[0].Values[1].Text);
    EXPECT_EQ(7u, sections[0].Values[2].Kind);
    EXPECT_EQ(RegDword, sections[0].Values[3].Kind);
    EXPECT_EQ(0x10au, sections[0].Values[3].Dword);
    const std::string image = FormatRegFile(sections);
    EXPECT_NE(std::string::npos, image.find("@=\"unnamed\"\r\n\"Multi\"=hex(1):41,0d,0a,42,00\r\n"
                                            "\"Kept\"=hex(7):41,00,00\r\n\"Number\"=dword:0000010a\r\n"));
}

TEST(RegFile, MalformedFilesNameTheLine) {
    struct Case {
        const char* name;
        std::string text;
        const char* line;
    };
    const Case cases[] = {
        {"no header", "[HKEY_CURRENT_USER\\A]\r\n", "строка 1:"},
        {"unclosed key", "REGEDIT4\r\n[HKEY_CURRENT_USER\\A\r\n", "строка 2:"},
        {"value outside a key", "REGEDIT4\r\n\r\n\"A\"=\"b\"\r\n", "строка 3:"},
        {"bad dword", "REGEDIT4\r\n[K]\r\n\"A\"=dword:12x4\r\n", "строка 3:"},
        {"dword too long", "REGEDIT4\r\n[K]\r\n\"A\"=dword:123456789\r\n", "строка 3:"},
        {"unterminated text", "REGEDIT4\r\n[K]\r\n\"A\"=\"b\r\n", "строка 3:"},
        {"bad hex byte", "REGEDIT4\r\n[K]\r\n\"A\"=hex:0g\r\n", "строка 3:"},
        {"hex(4) not four bytes", "REGEDIT4\r\n[K]\r\n\"A\"=hex(4):01,02\r\n", "строка 3:"},
        {"hex list cut off", "REGEDIT4\r\n[K]\r\n\"A\"=hex:01,\\\r\n", "строка 3:"},
        {"no equals sign", "REGEDIT4\r\n[K]\r\n\"A\" \"b\"\r\n", "строка 3:"},
        {"stray text", "REGEDIT4\r\n[K]\r\nA=b\r\n", "строка 3:"},
        {"utf-16", std::string("\xFF\xFER\0E\0", 6), "UTF-16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ParseRegFile(c.text);
            ADD_FAILURE() << "no error";
        } catch (const KvfError& e) {
            EXPECT_NE(std::string::npos, std::string(e.what()).find(c.line)) << e.what();
        }
    }
}

TEST(Registry, DefaultFileNameFollowsTheEnvironment) {
    test::TempHome home;
    EXPECT_EQ(home.RegistryFile(), Registry::DefaultFileName());
    unsetenv("KORVENA_REGISTRY");
    EXPECT_EQ(home.Root() + "/.config/korvena/registry.reg", Registry::DefaultFileName());
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(home.Root() + "/.config/korvena/registry.reg", Registry::DefaultFileName());
    setenv("XDG_CONFIG_HOME", "/elsewhere", 1);
    EXPECT_EQ("/elsewhere/korvena/registry.reg", Registry::DefaultFileName());
}

TEST(Registry, ValuesOfEveryTypeRoundTrip) {
    test::TempHome home;
    Registry registry(home.Path("sub/dir/registry.reg"));
    EXPECT_FALSE(registry.OpenKey("\\SoftWare\\Test", false));
    ASSERT_TRUE(registry.OpenKey("\\SoftWare\\Test", true));
    registry.WriteString("Text", "Путь C:\\Каталог \"А\"");
    registry.WriteInteger("Number", -5);
    registry.WriteBool("Flag", true);
    registry.WriteDate("When", 43520.5);

    Registry other(home.Path("sub/dir/registry.reg"));
    ASSERT_TRUE(other.OpenKey("software\\TEST\\", false));
    EXPECT_EQ("Путь C:\\Каталог \"А\"", other.ReadString("text"));
    EXPECT_EQ(-5, other.ReadInteger("NUMBER"));
    EXPECT_TRUE(other.ReadBool("flag"));
    EXPECT_DOUBLE_EQ(43520.5, other.ReadDate("When"));
    EXPECT_EQ("", other.ReadString("Absent"));
    EXPECT_THROW(other.ReadInteger("Absent"), KvfError);
    EXPECT_THROW(other.ReadInteger("Text"), KvfError);
    EXPECT_THROW(other.ReadString("Number"), KvfError);
    EXPECT_THROW(other.ReadDate("Number"), KvfError);

    other.WriteInteger("number", 7); // same value, other spelling: replaced in place
    EXPECT_TRUE(other.DeleteValue("FLAG"));
    EXPECT_FALSE(other.DeleteValue("Flag"));
    const std::string image = ReadFileBytes(home.Path("sub/dir/registry.reg"));
    EXPECT_EQ(ToAnsi("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SoftWare\\Test]\r\n"
                     "\"Text\"=\"Путь C:\\\\Каталог \\\"А\\\"\"\r\n"
                     "\"Number\"=dword:00000007\r\n"
                     "\"When\"=hex:00,00,00,00,10,40,e5,40\r\n\r\n"),
              image);
}

TEST(Registry, ReadsTheWindowsExport) {
    test::TempHome home;
    WriteFileAtomic(home.RegistryFile(), ReadFileBytes(KVF_TEST_DIR "/windows_export.reg"));
    Registry registry(home.RegistryFile());
    ASSERT_TRUE(registry.OpenKey(configurations, false));
    EXPECT_EQ((std::vector<std::string>{"Локальная", "Сеть"}), registry.GetKeyNames());
    EXPECT_EQ("Сеть", registry.ReadString("DefaultConfig"));
    ASSERT_TRUE(registry.OpenKey(configurations + "\\сеть", false));
    EXPECT_DOUBLE_EQ(43520.0, registry.ReadDate("ExpLastDate"));
    ASSERT_TRUE(registry.OpenKey("\\SoftWare\\Nordel\\Korvena\\Furniture380", false));
    EXPECT_EQ(2, registry.ReadInteger("TechnologMainWinState"));
    EXPECT_FALSE(registry.ReadBool("AutoReg"));
}

TEST(Registry, SubkeysInFileOrderAndNewKeysInTheirSubtree) {
    test::TempHome home;
    Registry registry(home.RegistryFile());
    for (const char* name : {"Демо", "Склад", "Альфа"}) {
        ASSERT_TRUE(registry.OpenKey(configurations + "\\" + name, true));
        registry.WriteString("KVFCatalogDir", std::string("/data/") + name);
    }
    ASSERT_TRUE(registry.OpenKey("\\SoftWare\\Other", true));
    // A configuration made after an unrelated key joins its siblings.
    ASSERT_TRUE(registry.OpenKey(configurations + "\\Бета", true));
    ASSERT_TRUE(registry.OpenKey(configurations + "\\ДЕМО\\Inner", true));
    ASSERT_TRUE(registry.OpenKey(configurations, false));
    EXPECT_EQ((std::vector<std::string>{"Демо", "Склад", "Альфа", "Бета"}), registry.GetKeyNames());
    const std::string image = FromAnsi(ReadFileBytes(home.RegistryFile()));
    EXPECT_LT(image.find("Belvarek\\Бета]"), image.find("[HKEY_CURRENT_USER\\SoftWare\\Other]"));
    // A value of the parent, written last, gets the parent's section before its subkeys.
    registry.WriteString("DefaultConfig", "Демо");
    const std::string after = FromAnsi(ReadFileBytes(home.RegistryFile()));
    EXPECT_EQ(
        0u,
        after.find("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\SoftWare\\Nordel\\Korvena\\Furniture380\\DBConfig\\"
                   "Belvarek]\r\n\"DefaultConfig\"=\"Демо\"\r\n\r\n["));
    EXPECT_TRUE(registry.KeyExists("\\SoftWare\\Nordel"));
    EXPECT_FALSE(registry.KeyExists("\\SoftWare\\Nord"));
}

TEST(Registry, MalformedFileIsReportedAndNeverWrittenOver) {
    test::TempHome home;
    const std::string broken = "REGEDIT4\r\n[HKEY_CURRENT_USER\\SoftWare\\A]\r\n\"X\"=dword:zz\r\n";
    WriteFileAtomic(home.RegistryFile(), broken);
    Registry registry(home.RegistryFile());
    try {
        registry.OpenKey("\\SoftWare\\A", true);
        ADD_FAILURE() << "no error";
    } catch (const KvfError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find(home.RegistryFile())) << e.what();
        EXPECT_NE(std::string::npos, std::string(e.what()).find("строка 3")) << e.what();
    }
    EXPECT_EQ(broken, ReadFileBytes(home.RegistryFile()));
}

TEST(Registry, MissingOrEmptyFileIsAnEmptyRegistry) {
    test::TempHome home;
    Registry registry(home.RegistryFile());
    EXPECT_FALSE(registry.KeyExists("\\SoftWare"));
    WriteFileAtomic(home.RegistryFile(), "");
    EXPECT_FALSE(registry.OpenKey("\\SoftWare", false));
    EXPECT_THROW(registry.ReadString("X"), KvfError); // no key open
}

} // namespace
} // namespace kvf

#include "config/ini_file.h"

#include "base/atomic_file.h"
#include "base/text.h"
#include "temp_home.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

// A settings file as the Windows program leaves it: Windows-1251, CR LF, a
// comment, an unknown section, blank lines, a key before any section and a
// last line without a line end.
std::string windowsFile() {
    return ToAnsi("; Настройки фирмы\r\n"
                  "orphan=1\r\n"
                  "[Firm]\r\n"
                  "Name=ООО \"Окна\"\r\n"
                  "  Address = г. Минск, ул. Ленина, 1  \r\n"
                  "Unknown=оставить как есть\r\n"
                  "\r\n"
                  "[Своё]\r\n"
                  "Ключ=Значение\n"
                  "[Tax]\r\n"
                  "NDSTax=20\r\n"
                  "\r\n"
                  "[FTP]\r\n"
                  "ftpPort=2121");
}

TEST(IniFile, ReadsValuesWithWindowsSemantics) {
    test::TempHome home;
    const std::string file = home.Path("KVFurniture.ini");
    WriteFileAtomic(file, windowsFile());
    const IniFile ini(file);
    EXPECT_EQ("ООО \"Окна\"", ini.ReadString("FIRM", "name", "?"));
    EXPECT_EQ("г. Минск, ул. Ленина, 1", ini.ReadString("Firm", "Address", "?"));
    EXPECT_EQ("Значение", ini.ReadString("своё", "КЛЮЧ", "?"));
    EXPECT_EQ("?", ini.ReadString("Firm", "Phone1", "?"));
    EXPECT_EQ("?", ini.ReadString("Firm", "orphan", "?"));
    EXPECT_EQ(2121, ini.ReadInteger("FTP", "ftpPort", 21));
    EXPECT_EQ(21, ini.ReadInteger("FTP", "Missing", 21));
    EXPECT_EQ(5, ini.ReadInteger("Firm", "Name", 5)); // not a number
    EXPECT_TRUE(ini.ReadBool("Tax", "NDSTax", false));
    EXPECT_TRUE(ini.ReadBool("Tax", "TotalNDS", true));
    EXPECT_DOUBLE_EQ(20.0, ini.ReadFloat("Tax", "NDSTax", 0));
    EXPECT_TRUE(ini.SectionExists("ftp"));
    EXPECT_FALSE(ini.ValueExists("FTP", "ftpHost"));
}

TEST(IniFile, WritingKeepsEveryOtherLineByteForByte) {
    test::TempHome home;
    const std::string file = home.Path("KVFurniture.ini");
    WriteFileAtomic(file, windowsFile());
    IniFile ini(file);
    ini.WriteString("firm", "ADDRESS", "г. Брест");   // in place, the file's spelling of the key
    ini.WriteString("Firm", "Phone1", "123-45-67");   // appended after the section's last line
    ini.WriteInteger("FTP", "ftpHost", 7);            // appended to the last section, which had no line end
    ini.WriteFloat("Defaults", "DefProfWidth", 12.5); // a new section at the end
    ini.WriteString("Tax", "NDSTax", "20");           // unchanged
    ini.UpdateFile();
    const std::string expected = ToAnsi("; Настройки фирмы\r\n"
                                        "orphan=1\r\n"
                                        "[Firm]\r\n"
                                        "Name=ООО \"Окна\"\r\n"
                                        "Address=г. Брест\r\n"
                                        "Unknown=оставить как есть\r\n"
                                        "Phone1=123-45-67\r\n"
                                        "\r\n"
                                        "[Своё]\r\n"
                                        "Ключ=Значение\n"
                                        "[Tax]\r\n"
                                        "NDSTax=20\r\n"
                                        "\r\n"
                                        "[FTP]\r\n"
                                        "ftpPort=2121\r\n"
                                        "ftpHost=7\r\n"
                                        "[Defaults]\r\n"
                                        "DefProfWidth=12,5\r\n");
    EXPECT_EQ(expected, ReadFileBytes(file));
}

TEST(IniFile, CyrillicRoundTripIsExact) {
    test::TempHome home;
    const std::string file = home.Path("KVFurniture.ini");
    // Every byte from 0x80 to 0xFF, the undefined 0x98 included.
    std::string high;
    for (int c = 0x80; c <= 0xFF; ++c) {
        high += static_cast<char>(c);
    }
    const std::string original = "[Firm]\r\nName=" + high + "\r\n" + ToAnsi("Director=Иванов И.И.\r\n");
    WriteFileAtomic(file, original);
    IniFile ini(file);
    EXPECT_EQ("Иванов И.И.", ini.ReadString("Firm", "Director", ""));
    EXPECT_EQ(FromAnsi(high), ini.ReadString("Firm", "Name", ""));
    ini.WriteString("Firm", "Director", "Петров П.П.");
    ini.WriteString("Firm", "Director", "Иванов И.И.");
    ini.WriteString("Firm", "Name", ini.ReadString("Firm", "Name", ""));
    ini.UpdateFile();
    EXPECT_EQ(original, ReadFileBytes(file));
}

TEST(IniFile, Utf8FileIsReadAsUtf8AndWrittenInWindows1251) {
    test::TempHome home;
    const std::string file = home.Path("KVFurniture.ini");
    WriteFileAtomic(file, "\xEF\xBB\xBF[Firm]\nName=Окна\n");
    IniFile ini(file);
    EXPECT_EQ("Окна", ini.ReadString("Firm", "Name", ""));
    ini.UpdateFile();
    EXPECT_EQ("\xEF\xBB\xBF[Firm]\nName=Окна\n", ReadFileBytes(file)); // nothing changed, nothing written
    ini.WriteString("Firm", "Fax", "1");
    ini.UpdateFile();
    EXPECT_EQ(ToAnsi("[Firm]\nName=Окна\nFax=1\r\n"), ReadFileBytes(file));
}

TEST(IniFile, MissingFileStartsEmptyAndLineBreaksStayOnOneLine) {
    test::TempHome home;
    const std::string file = home.Path("new.ini");
    IniFile ini(file);
    EXPECT_EQ("d", ini.ReadString("A", "B", "d"));
    ini.WriteString("A", "B", "two\r\nlines");
    ini.UpdateFile();
    EXPECT_EQ("[A]\r\nB=two  lines\r\n", ReadFileBytes(file));
}

TEST(IniFloat, CommaAndFullStop) {
    struct Case {
        const char* name;
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"comma", "12,5", 12.5},      {"full stop", "12.5", 12.5},   {"integer", "18", 18.0},
        {"negative", "-0,25", -0.25}, {"word", "abc", std::nullopt}, {"empty", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.value, ParseIniFloat(c.text));
    }
    EXPECT_EQ("18", FormatIniFloat(18));
    EXPECT_EQ("12,5", FormatIniFloat(12.5));
    EXPECT_EQ("0,1", FormatIniFloat(0.1));
}

} // namespace
} // namespace kvf

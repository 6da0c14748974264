#include "ui/last_currency_update.h"

#include "base/ole_date.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace kvf {
namespace {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(LastCurrencyUpdateTest, FileIsOneLittleEndianDouble) {
    QTemporaryDir dir;
    const std::string file = LastCurrencyUpdateFile(dir.path().toStdString(), "/nowhere");
    EXPECT_EQ(dir.path().toStdString() + "/Korvena.lcu", file);
    const double date = EncodeDate(2026, 12, 11); // 46367
    ASSERT_TRUE(WriteLastCurrencyUpdate(file, date));
    EXPECT_EQ(std::string("\x00\x00\x00\x00\xE0\xA3\xE6\x40", 8), readBytes(file));
    EXPECT_EQ(date, ReadLastCurrencyUpdate(file, date + 5));
}

TEST(LastCurrencyUpdateTest, ExecutableFolderWhenNoServerFolder) {
    EXPECT_EQ("/opt/korvena/Korvena.lcu", LastCurrencyUpdateFile("", "/opt/korvena"));
}

TEST(LastCurrencyUpdateTest, MissingOrBrokenFileReadsAsYesterday) {
    QTemporaryDir dir;
    const std::string file = dir.path().toStdString() + "/Korvena.lcu";
    const double today = EncodeDate(2026, 12, 11);
    struct Case {
        const char* name;
        const char* bytes; // nullptr: no file
        size_t size;
    };
    const Case cases[] = {
        {"missing", nullptr, 0},
        {"short", "\x00\x00\x00\x00", 4},
        {"empty", "", 0},
        {"not a number", "\x00\x00\x00\x00\x00\x00\xF8\x7F", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(file.c_str());
        if (c.bytes != nullptr) {
            writeBytes(file, std::string(c.bytes, c.size));
        }
        EXPECT_EQ(today - 1, ReadLastCurrencyUpdate(file, today));
        EXPECT_TRUE(CurrencyUpdateDue(file, today));
    }
}

TEST(LastCurrencyUpdateTest, DueOnlyOnALaterDay) {
    QTemporaryDir dir;
    const std::string file = dir.path().toStdString() + "/Korvena.lcu";
    const double today = EncodeDate(2026, 12, 11);
    ASSERT_TRUE(WriteLastCurrencyUpdate(file, today));
    EXPECT_FALSE(CurrencyUpdateDue(file, today));
    EXPECT_TRUE(CurrencyUpdateDue(file, today + 1));
}

TEST(LastCurrencyUpdateTest, WriteFailureIsReportedNotThrown) {
    EXPECT_FALSE(WriteLastCurrencyUpdate("/nonexistent-folder/sub/Korvena.lcu", 1.0));
}

} // namespace
} // namespace kvf

#include "base/ole_date.h"

#include "base/atomic_file.h"
#include "base/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <filesystem>
#include <unistd.h>
#include <utime.h>

namespace kvf {
namespace {

TEST(OleDate, EncodeAndDecode) {
    struct Case {
        int y, m, d;
        double ole;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},   {1899, 12, 31, 1},    {1900, 1, 1, 2},       {1899, 12, 29, -1},
        {1970, 1, 1, 25569}, {2000, 2, 29, 36585}, {2019, 12, 26, 43825}, {1, 1, 1, -693593},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ole);
        EXPECT_EQ(c.ole, EncodeDate(c.y, c.m, c.d));
        int y = 0, m = 0, d = 0;
        DecodeDate(c.ole, y, m, d);
        EXPECT_EQ(c.y, y);
        EXPECT_EQ(c.m, m);
        EXPECT_EQ(c.d, d);
    }
    EXPECT_THROW(EncodeDate(2019, 2, 29), KvfError);
    EXPECT_THROW(EncodeDate(2019, 13, 1), KvfError);
    EXPECT_THROW(EncodeDateTime(2019, 1, 1, 24, 0, 0, 0), KvfError);
}

TEST(OleDate, TimeOfDayIncludingNegativeDates) {
    const double t = EncodeDateTime(2019, 12, 26, 18, 30, 15, 250);
    EXPECT_NEAR(43825.0 + (18 * 3600 + 30 * 60 + 15.25) / 86400.0, t, 1e-9);
    int y, m, d, h, n, s, ms;
    DecodeDateTime(t, y, m, d, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{2019, 12, 26, 18, 30, 15, 250}), (std::vector<int>{y, m, d, h, n, s, ms}));
    // -1.25 is 1899-12-29 06:00: the fraction's absolute value is the time.
    EXPECT_EQ(-1.25, EncodeDateTime(1899, 12, 29, 6, 0, 0, 0));
    DecodeDateTime(-1.25, y, m, d, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{1899, 12, 29, 6, 0, 0, 0}), (std::vector<int>{y, m, d, h, n, s, ms}));
    // A time that rounds to midnight belongs to the next day.
    DecodeDateTime(2.0 - 1e-10, y, m, d, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{1900, 1, 1, 0, 0, 0, 0}), (std::vector<int>{y, m, d, h, n, s, ms}));
}

TEST(OleDate, FormatAndParse) {
    EXPECT_EQ("26.12.2019", FormatDate(43825.75));
    EXPECT_EQ("01.01.0001", FormatDate(-693593));
    EXPECT_EQ(43825.0, ParseDate("26.12.2019"));
    EXPECT_EQ(43825.0, ParseDate(" 26.12.2019 "));
    EXPECT_EQ(EncodeDate(2020, 1, 1), ParseDate("1.1.2020"));
    for (const char* bad :
         {"", "31.02.2020", "26.12", "26-12-2019", "26.12.2019x", "x.12.2019", "-1.12.2019"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(std::nullopt, ParseDate(bad));
    }
}

TEST(OleDate, NowAndFileDateUseLocalTime) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const double expected = EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                           local.tm_hour, local.tm_min, local.tm_sec, 0);
    EXPECT_NEAR(expected, NowOle(), 5.0 / 86400); // within five seconds

    const std::string path =
        std::filesystem::temp_directory_path() / ("kvf_filedate_" + std::to_string(getpid()));
    WriteFileAtomic(path, "x");
    utimbuf times{};
    std::tm stamp{};
    stamp.tm_year = 2019 - 1900;
    stamp.tm_mon = 11;
    stamp.tm_mday = 26;
    stamp.tm_hour = 12;
    stamp.tm_isdst = -1;
    times.actime = times.modtime = std::mktime(&stamp);
    ASSERT_EQ(0, utime(path.c_str(), &times));
    EXPECT_NEAR(43825.5, FileDate(path), 1e-9);
    std::filesystem::remove(path);
    EXPECT_EQ(0.0, FileDate(path));
}

} // namespace
} // namespace kvf

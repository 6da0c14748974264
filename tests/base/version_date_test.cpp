#include "base/version_date.h"

#include "base/error.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

TEST(VersionDate, KeysAndOrdering) {
    EXPECT_EQ(2019 * 365 + 12 * 31 + 26, VersionKey("26.12.2019"));
    EXPECT_EQ(VersionKey("31.01.2019"), VersionKey("00.02.2019")); // same key, 2019 x 365 + 62
    EXPECT_EQ(VersionKey("26.12.2019"), VersionKey(" 26 . 12 . 2019 "));
    EXPECT_EQ(VersionKey("26.12.2019"), VersionKey("26.12.2019.7")); // only three tokens count
    EXPECT_TRUE(VersionOlder("10.12.2009", "26.12.2019"));
    EXPECT_TRUE(VersionAtLeast("26.12.2019", "26.12.2019"));
    EXPECT_FALSE(VersionOlder("26.12.2019", "26.12.2019"));
    // The key is an ordering, not a calendar: 2020 x 365 + 32 < 2019 x 365 + 398.
    EXPECT_TRUE(VersionOlder("01.01.2020", "26.12.2019"));
    EXPECT_FALSE(VersionAtLeast("01.01.2020", "26.12.2019"));
    EXPECT_TRUE(VersionOlder("06.10.2015", "26.12.2019"));
}

TEST(VersionDate, NonIntegerTokensRaise) {
    for (const char* bad : {"", "26.12", "26.xx.2019", "26,12,2019", "a.b.c", "26..2019", "1.5.20x"}) {
        SCOPED_TRACE(bad);
        try {
            VersionKey(bad);
            FAIL() << "no error";
        } catch (const KvfError& e) {
            EXPECT_EQ("Неверная версия файла: \"" + std::string(bad) + "\"", e.what());
        }
    }
    EXPECT_THROW(VersionOlder("x", "26.12.2019"), KvfError);
}

} // namespace
} // namespace kvf

#include "config/last_order_no.h"

#include "base/atomic_file.h"
#include "temp_home.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

TEST(LastOrderNo, FileLayout) {
    test::TempHome home;
    struct Case {
        const char* name;
        const char* number;
        std::string bytes;
        const char* readBack;
    };
    const Case cases[] = {
        {"Cyrillic in Windows-1251", "Ж-1", std::string("\x03\xc6-1", 4) + std::string(27, '\0'), "Ж-1"},
        {"empty", "", std::string(31, '\0'), ""},
        {"cut to 30 characters", "123456789012345678901234567890XY",
         "\x1e"
         "123456789012345678901234567890",
         "123456789012345678901234567890"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteLastOrderNo(home.Root(), c.number);
        EXPECT_EQ(c.bytes, ReadFileBytes(home.Root() + "/Korvena.lon"));
        EXPECT_EQ(c.readBack, ReadLastOrderNo(home.Root()));
    }
}

TEST(LastOrderNo, DamagedOrMissingFiles) {
    test::TempHome home;
    EXPECT_EQ(std::nullopt, ReadLastOrderNo(home.Root()));
    struct Case {
        const char* name;
        std::string bytes;
        const char* number;
    };
    const Case cases[] = {
        {"empty file", "", ""},
        {"length beyond the data",
         "\x05"
         "AB",
         "AB"},
        {"length above 30", std::string("\xff", 1) + std::string(40, 'A'), "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileAtomic(home.Root() + "/Korvena.lon", c.bytes);
        EXPECT_EQ(c.number, ReadLastOrderNo(home.Root()));
    }
}

TEST(LastOrderNo, TheFolderIsTheOrdersFolderOrTheProgramsOwn) {
    EXPECT_EQ("/srv/Orders", LastOrderNoFolder("/srv/Orders", "/opt/korvena"));
    EXPECT_EQ("/opt/korvena", LastOrderNoFolder("", "/opt/korvena"));
}

} // namespace
} // namespace kvf

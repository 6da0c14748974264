#include "base/names.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kvf {
namespace {

TEST(Names, SanitizeFileNameReplacesEveryForbiddenCharacter) {
    EXPECT_EQ(std::string(21, '_'), SanitizeFileName("\\/:*?,;\"`!(){}[]<>|%'", '_'));
    EXPECT_EQ("Заказ-12.kfo370", SanitizeFileName("Заказ?12.kfo370", '-'));
    EXPECT_EQ("plain name-1.txt", SanitizeFileName("plain name-1.txt", '_'));
}

TEST(Names, UniqueNameHasTimeStampAndRandomDigits) {
    for (int i = 0; i < 50; ++i) {
        const std::string name = UniqueName(3);
        ASSERT_TRUE(name.size() == 20 || name.size() == 21) << name;
        EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            << name;
        EXPECT_EQ("20", name.substr(0, 2));
    }
    EXPECT_EQ(18u, UniqueName(0).size()); // Random(9) always has one digit
}

} // namespace
} // namespace kvf

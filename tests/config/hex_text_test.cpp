#include "config/hex_text.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

TEST(HexText, Encode) {
    EXPECT_EQ("616263", EncodeHexText("abc"));
    EXPECT_EQ("CFE0F0EEEBFC", EncodeHexText("Пароль"));
    EXPECT_EQ("", EncodeHexText(""));
}

TEST(HexText, Decode) {
    struct Case {
        const char* name;
        const char* digits;
        std::string text;
    };
    const Case cases[] = {
        {"upper case", "7A", "z"},
        {"lower case", "7a", "z"},
        {"Cyrillic", "cfe0f0EEEBFC", "Пароль"},
        {"odd digit count: last digit alone", "6162F", std::string("ab\x0F")},
        {"bad digits count as 0", "G1zz", std::string("\x01\x00", 2)},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text, DecodeHexText(c.digits));
    }
}

TEST(HexText, RoundTrip) {
    for (const char* text : {"user@host", "Пароль №1 ёЁ", "a=b;c"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(text, DecodeHexText(EncodeHexText(text)));
    }
}

} // namespace
} // namespace kvf

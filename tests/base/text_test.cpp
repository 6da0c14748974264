#include "base/text.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

TEST(Text, EveryAnsiByteRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(all, ToAnsi(FromAnsi(all)));
}

TEST(Text, KnownCharacters) {
    struct Case {
        const char* name;
        std::string ansi;
        std::string utf8;
    };
    const Case cases[] = {
        {"cyrillic capital EN", "\xCD", "Н"},
        {"yo", "\xA8\xB8", "Ёё"},
        {"undefined byte keeps its code", "\x98", "\xC2\x98"},
        {"numero sign", "\xB9", "№"},
        {"euro", "\x88", "€"},
        {"no-break space", "\xA0", "\xC2\xA0"},
        {"word", "\xCE\xEA\xED\xEE", "Окно"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.utf8, FromAnsi(c.ansi));
        EXPECT_EQ(c.ansi, ToAnsi(c.utf8));
    }
}

TEST(Text, CharactersWithoutAnsiByteBecomeQuestionMarks) {
    EXPECT_EQ("a?b", ToAnsi("a\xE2\x82\xAA"
                            "b"));                   // new sheqel sign
    EXPECT_EQ("??", ToAnsi("\xF0\x9F\x98\x80\xFF")); // emoji, stray byte
    EXPECT_EQ("?", ToAnsi("\xD0"));                  // truncated sequence
}

TEST(Text, CharactersWithoutAnsiByteAreNamedOnce) {
    struct Case {
        const char* name;
        const char* utf8;
        const char* characters;
    } cases[] = {
        {"Cyrillic, Latin and the euro sign convert", "Окна № 5 €", ""},
        {"the undefined byte's character converts", "\xC2\x98", ""},
        {"each once, in order", "★a✓b★", "★ ✓"},
        {"emoji", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.characters, NonAnsiCharacters(c.utf8));
        EXPECT_EQ(std::string(c.characters).empty(), NonAnsiMessage(c.utf8).empty());
    }
    EXPECT_EQ("Символы ★ ✓ нельзя сохранить: их нет в кодировке Windows-1251", NonAnsiMessage("★✓"));
}

TEST(Text, UpperAndLowerCaseCoverTheCyrillicAlphabet) {
    EXPECT_EQ("ОКНО ЁЖ ЇІЄҐЎЂ ABC 12", AnsiUpperCase("окно ёж їієґўђ abc 12"));
    EXPECT_EQ("окно ёж їієґўђ abc", AnsiLowerCase("ОКНО ЁЖ ЇІЄҐЎЂ ABC"));
    // Characters outside Windows-1251 are left as they are.
    EXPECT_EQ("äΩ", AnsiUpperCase("äΩ"));
}

TEST(Text, ComparisonsUseWindows1251ByteOrder) {
    EXPECT_LT(compareAnsi("Z", "А"), 0); // 0x5A < 0xC0
    EXPECT_LT(compareAnsi("Я", "а"), 0); // 0xDF < 0xE0
    EXPECT_LT(compareAnsi("ё", "Я"), 0); // 0xB8 < 0xDF: yo sorts before the capitals
    EXPECT_LT(compareAnsi("Ё", "А"), 0); // 0xA8
    EXPECT_LT(compareAnsi("ab", "abc"), 0);
    EXPECT_EQ(0, compareAnsi("Окно", "Окно"));
    EXPECT_TRUE(SameText("окно", "ОКНО"));
    EXPECT_TRUE(SameText("Ёлка", "ёЛКА"));
    EXPECT_FALSE(SameText("FН", "FH")); // Cyrillic EN is not Latin H
    EXPECT_EQ(0, compareAnsiText("abc", "ABC"));
}

TEST(Text, TrimRemovesBlanksAndControls) {
    EXPECT_EQ("a b", Trim(" \t\r\na b \x01"));
    EXPECT_EQ("", Trim("   "));
    EXPECT_EQ("Окно", Trim(" Окно "));
}

TEST(Text, LinesFollowStringListSemantics) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"empty text has no lines", "", {}},
        {"one break is one empty line", "\r\n", {""}},
        {"final break ends the last line", "a\r\nb\r\n", {"a", "b"}},
        {"no final break", "a\r\nb", {"a", "b"}},
        {"lone CR and lone LF", "a\rb\nc", {"a", "b", "c"}},
        {"LF CR is two breaks", "a\n\rb", {"a", "", "b"}},
        {"empty lines kept", "\r\n\r\nx", {"", "", "x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.lines, SplitLines(c.text));
    }
    EXPECT_EQ("a\r\n\r\nb\r\n", JoinLines({"a", "", "b"}));
    EXPECT_EQ("", JoinLines({}));
}

} // namespace
} // namespace kvf

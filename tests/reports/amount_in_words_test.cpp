#include "reports/amount_in_words.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

TCurrencyNames roubles(int dec) {
    TCurrencyNames names;
    names.Nominative = "рубль";
    names.Genitive = "рубля";
    names.GenitivePlural = "рублей";
    names.Gender = 0;
    names.Dec = dec;
    return names;
}

TCurrencyNames hryvnias(int dec) {
    TCurrencyNames names;
    names.Nominative = "гривна";
    names.Genitive = "гривны";
    names.GenitivePlural = "гривен";
    names.Gender = 1;
    names.Dec = dec;
    return names;
}

Money money(const char* text) {
    return *Money::Parse(text);
}

TEST(AmountInWords, DeclinesNumbersAndUnits) {
    struct Case {
        const char* name;
        TCurrencyNames names;
        const char* amount;
        const char* expected;
    };
    const Case cases[] = {
        {"thousands with a fraction", roubles(2), "1234.56", "Одна тысяча двести тридцать четыре рубля 56"},
        {"round thousand without decimals", roubles(0), "1000", "Одна тысяча рублей"},
        {"round thousand with decimals", roubles(2), "1000", "Одна тысяча рублей 00"},
        {"twenty-one takes the nominative", roubles(0), "21", "Двадцать один рубль"},
        {"teens take the genitive plural", roubles(0), "12", "Двенадцать рублей"},
        {"millions are masculine", roubles(0), "2000000", "Два миллиона рублей"},
        {"zero", roubles(2), "0", "Ноль рублей 00"},
        {"below one has no zero word", roubles(2), "0.56", "Рублей 56"},
        {"fraction keeps its leading zero", roubles(2), "1.05", "Один рубль 05"},
        {"negative is its magnitude", roubles(2), "-21.5", "Двадцать один рубль 50"},
        {"feminine unit", hryvnias(0), "22", "Двадцать две гривны"},
        {"feminine one", hryvnias(0), "1", "Одна гривна"},
        {"thousands are feminine", roubles(0), "2002", "Две тысячи два рубля"},
        {"every group", roubles(0), "5111222333444",
         "Пять триллионов сто одиннадцать миллиардов двести двадцать два миллиона триста тридцать три "
         "тысячи четыреста сорок четыре рубля"},
        {"hundreds and teens", roubles(0), "915", "Девятьсот пятнадцать рублей"},
        {"one decimal follows the units' form", roubles(1), "3.25", "Три рубля 3"},
        {"three decimals", roubles(3), "7.0004", "Семь рублей 000"},
        {"four decimals", roubles(4), "7.0004", "Семь рублей 0004"},
        {"more than four decimals", roubles(6), "7.5", "Семь рублей 500000"},
        {"fraction rounds half up", roubles(2), "2.995", "Два рубля 100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, AmountInWords(c.names, money(c.amount)));
    }
}

TEST(AmountInWords, NeuterUnitAndFractionalNames) {
    TCurrencyNames names = roubles(2);
    names.Gender = 2;
    names.DecNominative = "копейка";
    names.DecGenitive = "копейки";
    names.DecGenitivePlural = "копеек";
    names.DecGender = 1;
    EXPECT_EQ("Одно рубль 21 копейка", AmountInWords(names, money("1.21")));
    EXPECT_EQ("Два рубля 03 копейки", AmountInWords(names, money("2.03")));
    EXPECT_EQ("Два рубля 11 копеек", AmountInWords(names, money("2.11")));
}

TEST(AmountInWords, LargestAmountsAreWritten) {
    const std::string text = AmountInWords(roubles(0), Money::FromRaw(INT64_MAX));
    EXPECT_EQ(0u, text.find("Девятьсот двадцать два триллиона"));
    EXPECT_EQ(AmountInWords(roubles(0), Money::FromRaw(INT64_MAX)),
              AmountInWords(roubles(0), -Money::FromRaw(INT64_MAX)));
}

} // namespace
} // namespace kvf

#pragma once
// AmountInWords: a money amount written out in Russian, the currency's unit
// names declined by the number before them ("Одна тысяча двести тридцать
// четыре рубля 56"). The fraction is always written as digits.

#include "base/money.h"

#include <string>

namespace kvf {

struct CurrencyWords;

// Names of a currency's units. Gender: 0 masculine, 1 feminine, else neuter.
// Dec is the number of fraction digits shown (0: none).
struct TCurrencyNames {
    std::string Nominative;     // after 1
    std::string Genitive;       // after 2, 3, 4
    std::string GenitivePlural; // after 0 and 5 to 20
    int Gender = 0;
    std::string DecNominative;
    std::string DecGenitive;
    std::string DecGenitivePlural;
    int DecGender = 0;
    int Dec = 0;
};

// The main unit's names and decimals of a catalog currency; the fractional
// unit's names stay empty.
TCurrencyNames CurrencyNames(const CurrencyWords& words);

// The magnitude of `amount` in words; empty above 999999999999999 units.
std::string AmountInWords(const TCurrencyNames& names, Money amount);

} // namespace kvf

#include "reports/amount_in_words.h"

#include "base/text.h"
#include "catalog/catalog_lookups.h"

#include <cstdint>
#include <vector>

namespace kvf {

namespace {

constexpr const char* kUnits[] = {"",
                                  "",
                                  "",
                                  "три",
                                  "четыре",
                                  "пять",
                                  "шесть",
                                  "семь",
                                  "восемь",
                                  "девять",
                                  "десять",
                                  "одиннадцать",
                                  "двенадцать",
                                  "тринадцать",
                                  "четырнадцать",
                                  "пятнадцать",
                                  "шестнадцать",
                                  "семнадцать",
                                  "восемнадцать",
                                  "девятнадцать"};
constexpr const char* kTens[] = {"",          "",           "двадцать",  "тридцать",    "сорок",
                                 "пятьдесят", "шестьдесят", "семьдесят", "восемьдесят", "девяносто"};
constexpr const char* kHundreds[] = {"",        "сто",      "двести",  "триста",    "четыреста",
                                     "пятьсот", "шестьсот", "семьсот", "восемьсот", "девятьсот"};

struct GroupNames {
    const char* forms[3];
};
constexpr GroupNames kTrillions{{"триллион", "триллиона", "триллионов"}};
constexpr GroupNames kBillions{{"миллиард", "миллиарда", "миллиардов"}};
constexpr GroupNames kMillions{{"миллион", "миллиона", "миллионов"}};
constexpr GroupNames kThousands{{"тысяча", "тысячи", "тысяч"}};

constexpr int kMasculine = 0;
constexpr int kFeminine = 1;

const char* unitWord(int u, int gender) {
    if (u == 1)
        return gender == kMasculine ? "один" : gender == kFeminine ? "одна" : "одно";
    if (u == 2)
        return gender == kFeminine ? "две" : "два";
    return kUnits[u];
}

// The words of n (0..999) appended to `words`; gives the last value L (0..19)
// that chooses the form of the name after them.
int appendThreeDigits(std::vector<std::string>& words, int n, int gender) {
    const int h = n / 100;
    const int t = (n - 100 * h) / 10;
    const int u = t <= 1 ? n - 100 * h : n - 100 * h - 10 * t;
    if (h > 0)
        words.emplace_back(kHundreds[h]);
    if (t > 1)
        words.emplace_back(kTens[t]);
    if (u > 0)
        words.emplace_back(unitWord(u, gender));
    return u;
}

int formIndex(int last) {
    if (last == 1)
        return 0;
    if (last >= 2 && last <= 4)
        return 1;
    return 2;
}

const std::string& nameByLast(int last, const std::string& one, const std::string& few,
                              const std::string& many) {
    const int form = formIndex(last);
    return form == 0 ? one : form == 1 ? few : many;
}

std::string digits(std::uint64_t k, int dec) {
    int width = dec == 1 ? 1 : dec <= 4 ? dec : 2;
    std::string text = std::to_string(k);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width - static_cast<int>(text.size())), '0');
    return text;
}

std::string upperFirst(const std::string& text) {
    if (text.empty())
        return text;
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return AnsiUpperCase(text.substr(0, length)) + text.substr(length);
}

} // namespace

TCurrencyNames CurrencyNames(const CurrencyWords& words) {
    TCurrencyNames names;
    names.Nominative = words.Nominative;
    names.Genitive = words.Genitive;
    names.GenitivePlural = words.GenitivePlural;
    names.Gender = words.Gender;
    names.Dec = words.Dec;
    return names;
}

std::string AmountInWords(const TCurrencyNames& names, Money amount) {
    constexpr std::uint64_t kLargest = 9999999999999990000ULL;
    const std::int64_t raw = amount.Raw();
    const std::uint64_t v = raw < 0 ? 0 - static_cast<std::uint64_t>(raw) : static_cast<std::uint64_t>(raw);
    if (v > kLargest)
        return "";
    const std::uint64_t fraction = v % 10000;
    std::uint64_t whole = v / 10000;

    std::vector<std::string> words;
    struct Group {
        std::uint64_t divisor;
        const GroupNames& names;
        int gender;
    };
    const Group groups[] = {{1000000000000ULL, kTrillions, kMasculine},
                            {1000000000ULL, kBillions, kMasculine},
                            {1000000ULL, kMillions, kMasculine},
                            {1000ULL, kThousands, kFeminine}};
    for (const Group& group : groups) {
        const std::uint64_t value = whole / group.divisor;
        whole -= value * group.divisor;
        if (value > 0) {
            const int last = appendThreeDigits(words, static_cast<int>(value), group.gender);
            words.emplace_back(group.names.forms[formIndex(last)]);
        }
    }

    int last = 0;
    if (whole > 0 || fraction > 0)
        last = appendThreeDigits(words, static_cast<int>(whole), names.Gender);
    else if (words.empty())
        words.emplace_back("ноль");
    words.push_back(nameByLast(last, names.Nominative, names.Genitive, names.GenitivePlural));

    if (names.Dec > 0) {
        std::uint64_t scale = 1;
        for (int i = 0; i < names.Dec && i < 18; ++i)
            scale *= 10;
        // fraction x 10^Dec / 10000, halves up; exact when Dec >= 4.
        const std::uint64_t k =
            names.Dec >= 4 ? fraction * (scale / 10000) : (fraction * scale + 5000) / 10000;
        words.push_back(digits(k, names.Dec));
        int decLast = last;
        if (names.Dec >= 2) {
            std::vector<std::string> unused;
            decLast = appendThreeDigits(unused, static_cast<int>(k % 1000), names.DecGender);
        }
        words.push_back(nameByLast(decLast, names.DecNominative, names.DecGenitive, names.DecGenitivePlural));
    }

    std::string text;
    for (const std::string& word : words) {
        if (word.empty())
            continue;
        if (!text.empty())
            text += ' ';
        text += word;
    }
    return upperFirst(Trim(text));
}

} // namespace kvf

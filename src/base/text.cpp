#include "base/text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace kvf {

namespace {

// The Unicode code point of every Windows-1251 byte, taken from glibc iconv
// once; the byte iconv rejects (0x98) maps to U+0098.
struct AnsiTables {
    std::array<char32_t, 256> toUnicode{};
    // Code points 0x80..0x2122 that have a byte; 0 where there is none.
    std::array<unsigned char, 0x2123> fromUnicode{};
    std::array<unsigned char, 256> upper{};
    std::array<unsigned char, 256> lower{};

    AnsiTables() {
        iconv_t cd = iconv_open("UTF-32LE", "CP1251");
        if (cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv: no CP1251 converter");
        for (int b = 0; b < 256; ++b) {
            char in = static_cast<char>(b);
            unsigned char out[4] = {0, 0, 0, 0};
            char* inPtr = &in;
            char* outPtr = reinterpret_cast<char*>(out);
            size_t inLeft = 1;
            size_t outLeft = 4;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char32_t cp = static_cast<char32_t>(b);
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 0)
                cp = out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24);
            toUnicode[b] = cp;
            if (b >= 0x80 && cp < fromUnicode.size())
                fromUnicode[cp] = static_cast<unsigned char>(b);
        }
        iconv_close(cd);

        for (int b = 0; b < 256; ++b)
            upper[b] = lower[b] = static_cast<unsigned char>(b);
        auto pair = [this](int up, int low) {
            upper[low] = static_cast<unsigned char>(up);
            lower[up] = static_cast<unsigned char>(low);
        };
        for (int c = 'A'; c <= 'Z'; ++c)
            pair(c, c + 32);
        for (int c = 0xC0; c <= 0xDF; ++c)
            pair(c, c + 32);
        // Cyrillic letters outside the two 32-letter runs: Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Ё Є Ї І Ѕ.
        const int others[][2] = {{0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
                                 {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
                                 {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE}};
        for (const auto& p : others)
            pair(p[0], p[1]);
    }
};

const AnsiTables& tables() {
    static const AnsiTables t;
    return t;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at s[i], advancing i; a malformed sequence
// yields U+FFFD for its first byte.
char32_t nextCodePoint(std::string_view s, size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + extra >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        const unsigned char cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    static constexpr char32_t minimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += extra + 1;
    return cp;
}

// The Windows-1251 byte of a code point, or -1 when it has none.
int ansiByte(char32_t cp) {
    if (cp < 0x80)
        return static_cast<int>(cp);
    const AnsiTables& t = tables();
    if (cp < t.fromUnicode.size() && t.fromUnicode[cp] != 0)
        return t.fromUnicode[cp];
    return -1;
}

std::string mapCase(std::string_view utf8, const std::array<unsigned char, 256>& table) {
    const AnsiTables& t = tables();
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const size_t start = i;
        const char32_t cp = nextCodePoint(utf8, i);
        const int b = ansiByte(cp);
        if (b < 0 || cp == 0xFFFD) {
            out.append(utf8.substr(start, i - start));
        } else {
            appendUtf8(out, t.toUnicode[table[b]]);
        }
    }
    return out;
}

} // namespace

std::string FromAnsi(std::string_view ansi) {
    const AnsiTables& t = tables();
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 2);
    for (char c : ansi)
        appendUtf8(out, t.toUnicode[static_cast<unsigned char>(c)]);
    return out;
}

std::string ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const int b = ansiByte(nextCodePoint(utf8, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

bool SameAsciiName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

std::string NonAnsiCharacters(std::string_view utf8) {
    std::vector<std::string_view> characters;
    size_t i = 0;
    while (i < utf8.size()) {
        const size_t start = i;
        if (ansiByte(nextCodePoint(utf8, i)) >= 0)
            continue;
        const std::string_view character = utf8.substr(start, i - start);
        if (std::find(characters.begin(), characters.end(), character) == characters.end())
            characters.push_back(character);
    }
    std::string found;
    for (std::string_view character : characters)
        found += (found.empty() ? "" : " ") + std::string(character);
    return found;
}

std::string NonAnsiMessage(std::string_view utf8) {
    const std::string characters = NonAnsiCharacters(utf8);
    if (characters.empty())
        return "";
    return "Символы " + characters + " нельзя сохранить: их нет в кодировке Windows-1251";
}

std::string AnsiUpperCase(std::string_view utf8) {
    return mapCase(utf8, tables().upper);
}

std::string AnsiLowerCase(std::string_view utf8) {
    return mapCase(utf8, tables().lower);
}

namespace {

// Walks both texts character by character, comparing their Windows-1251
// bytes (optionally upper-cased) without building the images.
int compareImages(std::string_view a, std::string_view b, const std::array<unsigned char, 256>* caseTable) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        int x = ansiByte(nextCodePoint(a, i));
        int y = ansiByte(nextCodePoint(b, j));
        x = x < 0 ? '?' : x;
        y = y < 0 ? '?' : y;
        if (caseTable != nullptr) {
            x = (*caseTable)[x];
            y = (*caseTable)[y];
        }
        if (x != y)
            return x - y;
    }
    return (i < a.size()) - (j < b.size());
}

} // namespace

int compareAnsi(std::string_view a, std::string_view b) {
    return compareImages(a, b, nullptr);
}

int compareAnsiText(std::string_view a, std::string_view b) {
    return compareImages(a, b, &tables().upper);
}

bool SameText(std::string_view a, std::string_view b) {
    return compareAnsiText(a, b) == 0;
}

std::string Trim(std::string_view s) {
    size_t begin = 0;
    size_t end = s.size();
    while (begin < end && static_cast<unsigned char>(s[begin]) <= ' ')
        ++begin;
    while (end > begin && static_cast<unsigned char>(s[end - 1]) <= ' ')
        --end;
    return std::string(s.substr(begin, end - begin));
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

} // namespace kvf

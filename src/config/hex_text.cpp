#include "config/hex_text.h"

#include "base/text.h"

#include <algorithm>

namespace kvf {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

namespace {

// Any other character counts as the digit 0.
int digitValue(char c) {
    return std::max(0, HexDigitValue(c));
}

} // namespace

std::string EncodeHexText(std::string_view utf8) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : ToAnsi(utf8)) {
        unsigned char code = static_cast<unsigned char>(c);
        out += digits[code >> 4];
        out += digits[code & 0x0F];
    }
    return out;
}

std::string DecodeHexText(std::string_view digits) {
    std::string ansi;
    size_t i = 0;
    for (; i + 1 < digits.size(); i += 2) {
        ansi += static_cast<char>(digitValue(digits[i]) * 16 + digitValue(digits[i + 1]));
    }
    if (i < digits.size()) {
        ansi += static_cast<char>(digitValue(digits[i]));
    }
    return FromAnsi(ansi);
}

} // namespace kvf

#pragma once
// Bytes shown as hexadecimal pairs ("0B 00 FF"), so that a failed comparison
// of binary data points at the byte that differs.

#include <string>

namespace kvf::test {

inline std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

} // namespace kvf::test

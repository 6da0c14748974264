#include "config/file_text.h"

#include "base/text.h"

namespace kvf {

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t extra = 0;
        unsigned int code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            code = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= bytes.size()) {
            return false;
        }
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
        if ((extra == 2 && code < 0x800) || (extra == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

std::string DecodeFileText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
            bytes.remove_prefix(3);
        }
        return std::string(bytes);
    }
    return FromAnsi(bytes);
}

} // namespace kvf

#include "base/number_format.h"

#include "base/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace kvf {

std::string FormatFixed(long double value, int decimals) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    decimals = std::clamp(decimals, 0, 20);
    const long double magnitude = fabsl(value);

    // Print enough digits for the exact binary value (a long double with
    // exponent e has at most 63 - e fraction bits, each adding one decimal),
    // so the digit after the last kept one decides the rounding exactly.
    std::string digits;
    if (magnitude >= 0.5L * powl(10.0L, -decimals)) {
        const int exponent = ilogbl(magnitude);
        const int precision = std::max(decimals + 1, 63 - exponent);
        digits.resize(static_cast<size_t>(std::max(exponent, 0) / 3 + 16 + precision));
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), magnitude,
                                          std::chars_format::fixed, precision);
        digits.resize(static_cast<size_t>(result.ptr - digits.data()));
    } else {
        digits = "0." + std::string(static_cast<size_t>(decimals + 1), '0');
    }

    const size_t point = digits.find('.');
    std::string kept = digits.substr(0, point) + digits.substr(point + 1, static_cast<size_t>(decimals));
    const bool up = digits[point + 1 + static_cast<size_t>(decimals)] >= '5';
    if (up) {
        size_t i = kept.size();
        while (i > 0 && kept[i - 1] == '9')
            kept[--i] = '0';
        if (i == 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i - 1];
    }
    const bool zero = kept.find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !zero) ? "-" : "";
    const size_t integerDigits = kept.size() - static_cast<size_t>(decimals);
    out += kept.substr(0, integerDigits);
    if (decimals > 0) {
        out += '.';
        out += kept.substr(integerDigits);
    }
    return out;
}

std::string FormatFloatShort(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t e = text.find('e');
    std::string mantissa;
    for (char c : text.substr(0, e))
        if (c != '.')
            mantissa += c;
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    std::string out = value < 0 ? "-" : "";
    const int count = static_cast<int>(mantissa.size());
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + mantissa;
        } else if (count <= exponent + 1) {
            out += mantissa + std::string(static_cast<size_t>(exponent + 1 - count), '0');
        } else {
            out += mantissa.substr(0, static_cast<size_t>(exponent + 1)) + "." +
                   mantissa.substr(static_cast<size_t>(exponent + 1));
        }
    } else {
        out += mantissa.substr(0, 1);
        if (count > 1)
            out += "." + mantissa.substr(1);
        out += "E" + std::to_string(exponent);
    }
    return out;
}

std::optional<long long> ParseInteger(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view s = trimmed;
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty() || (trimmed.front() == '+' && s.front() == '-'))
        return std::nullopt;
    long long value = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size())
        return std::nullopt;
    return value;
}

long long StrToIntDef(std::string_view text, long long fallback) {
    return ParseInteger(text).value_or(fallback);
}

std::optional<double> ParseDecimal(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view s = trimmed;
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !(s.front() == '.' || (s.front() >= '0' && s.front() <= '9')))
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (result.ec != std::errc() || result.ptr != s.data() + s.size())
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace kvf

#include "base/rounding.h"

#include "base/error.h"
#include "base/number_format.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <string>
#include <string_view>

namespace kvf {

namespace {

int toInt32(long double x) {
    if (!(x >= static_cast<long double>(INT_MIN) && x <= static_cast<long double>(INT_MAX)))
        throw KvfError("Ошибка диапазона: значение " + FormatFloatShort(static_cast<double>(x)) +
                       " не помещается в целое число");
    return static_cast<int>(x);
}

long double roundFraction(long double x, long double scale) {
    if (x == 0)
        return 0;
    const long double whole = truncl(x);
    return whole + RoundAway((x - whole) * scale) / scale;
}

} // namespace

double RoundScaled(double x, int places) {
    if (!std::isfinite(x) || places < 0 || places > 15)
        return x;
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, x, std::chars_format::scientific);
    const std::string_view shortest(text, static_cast<size_t>(written.ptr - text));
    // d.ddddde±x: the digits and the power of ten of the first one.
    const size_t e = shortest.find('e');
    const bool negative = shortest.front() == '-';
    std::string digits;
    for (char c : shortest.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
        if (c != '.')
            digits += c;
    int exponent = 0;
    std::from_chars(shortest.data() + e + (shortest[e + 1] == '+' ? 2 : 1), shortest.data() + shortest.size(),
                    exponent);
    // Digits up to the kept place: exponent + 1 + places of them.
    const int kept = exponent + 1 + places;
    if (kept >= static_cast<int>(digits.size()))
        return x;
    if (kept < 0)
        return negative ? -0.0 : 0.0;
    const char next = digits[static_cast<size_t>(kept)];
    std::string rounded = digits.substr(0, static_cast<size_t>(kept));
    if (next >= '5') {
        size_t i = rounded.size();
        while (i > 0 && rounded[i - 1] == '9')
            rounded[--i] = '0';
        if (i == 0) {
            rounded.insert(rounded.begin(), '1');
            ++exponent;
        } else {
            ++rounded[i - 1];
        }
    }
    if (rounded.empty())
        return negative ? -0.0 : 0.0;
    const std::string decimal = std::string(negative ? "-" : "") + rounded.substr(0, 1) +
                                (rounded.size() > 1 ? "." + rounded.substr(1) : "") + "e" +
                                std::to_string(exponent);
    double result = 0;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), result);
    return result;
}

int RoundAway(long double x) {
    const long double magnitude = truncl(fabsl(x) + 0.5L);
    return toInt32(x < 0 ? -magnitude : magnitude);
}

long double RoundTo1(long double x) {
    return roundFraction(x, 10.0L);
}

long double RoundTo4(long double x) {
    return roundFraction(x, 10000.0L);
}

long double RoundToDigits(int n, long double x) {
    if (n < -37 || n > 37)
        throw KvfError("Ошибка диапазона: число знаков округления " + std::to_string(n) + " вне -37..37");
    const long double step = powl(10.0L, -n);
    const long double magnitude = truncl(fabsl(x) / step + 0.5L) * step;
    return x < 0 ? -magnitude : magnitude;
}

// After rounding to four decimals a non-integer is at least 0.0001 away from
// its integer part; comparing with half of that keeps the 80-bit error of
// 0.0001 itself out of the decision.
int RoundUp(long double x) {
    if (x == 0)
        return 0;
    x = RoundToDigits(4, x);
    const long double whole = truncl(x);
    if (fabsl(x - whole) >= 0.00005L)
        return toInt32(x > 0 ? whole + 1 : whole);
    return toInt32(whole);
}

int RoundDown(long double x) {
    if (x == 0)
        return 0;
    x = RoundToDigits(4, x);
    const long double whole = truncl(x);
    if (fabsl(x - whole) >= 0.00005L)
        return toInt32(x < 0 ? whole - 1 : whole);
    return toInt32(whole);
}

} // namespace kvf

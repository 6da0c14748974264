#include "base/rounding.h"

#include "base/error.h"
#include "base/number_format.h"

#include <climits>
#include <cmath>

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

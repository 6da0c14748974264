#pragma once
// Numbers to text and back, independent of the process locale: the decimal
// separator is always a full stop.

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace kvf {

// "%.Nf" with halves away from zero, decided on the exact value as stored
// (812.5 -> "813", 812.49 -> "812", 2.675 -> "2.67" because the stored double
// is below 2.675). decimals is clamped to 0..20. A result that is zero has no sign.
std::string FormatFixed(long double value, int decimals);

// The general short form: up to 15 significant digits, no trailing zeros,
// fixed notation for 1e-5 <= |x| < 1e15, otherwise "1.5E20" / "1E-7".
std::string FormatFloatShort(double value);

// The integer value of a text (blanks around allowed, optional sign), fallback
// when it is not an integer or out of range.
long long StrToIntDef(std::string_view text, long long fallback);
// The same without a fallback: nothing when the text is not an integer.
std::optional<long long> ParseInteger(std::string_view text);

// A decimal number with a full stop ("12.5", "-3", ".5", "1e3"; blanks around
// allowed); nothing for anything else, including "inf" and "nan".
std::optional<double> ParseDecimal(std::string_view text);

// Numbers compared as the catalog compares them (filters, orders, locates):
// equal within a relative tolerance of 1e-9, so a value read back from text
// or storage equals the one written; <0, 0, >0.
inline int CompareNumbers(double a, double b) {
    const double tolerance = 1e-9 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
    if (std::fabs(a - b) <= tolerance)
        return 0;
    return a < b ? -1 : 1;
}

} // namespace kvf

#pragma once
// Rounding: one rule per purpose.
//  - Money (products and quotients of amounts, Money in money.h): halves to
//    even, on the shortest decimal that reads back as the same double.
//  - "%.0f", "%.1f", "%.2f" texts of filters and labels: halves away from
//    zero, decided on the exact stored binary value (FormatFixed in
//    number_format.h), never printf's rounding.
//  - The catalog's scaled values (decimal(d) and money fields, rounded to
//    their places when read or written): the texts' rule, halves away from
//    zero (RoundScaled below), decided on the decimal the double stands for,
//    because those values are decimals typed or imported as text.
//  - Geometry, model and drawing: the functions after RoundScaled, whose
//    intermediates are long double (80-bit), as the stored results depend on it.

namespace kvf {

// x rounded to `places` decimals (0..15), halves away from zero, on the
// shortest decimal that reads back as x: 2.675 -> 2.68, 0.125 -> 0.13, -0.5
// -> -1 at 0 places. Non-finite values and values without a fraction beyond
// `places` come back unchanged.
double RoundScaled(double x, int places);

// Integer nearest to x, halves away from zero; outside the 32-bit range raises KvfError.
int RoundAway(long double x);
// int(x) + RoundAway(frac(x) x 10) / 10, int and frac toward zero; 0 for 0.
long double RoundTo1(long double x);
// The same with 10000 in place of 10.
long double RoundTo4(long double x);
// sign(x) x trunc(abs(x) / 10^(-n) + 0.5) x 10^(-n); n outside -37..37 raises KvfError.
long double RoundToDigits(int n, long double x);
// After RoundToDigits(4, x): an integer stays, anything else goes to its ceiling
// (RoundUp) or floor (RoundDown); the result as a 32-bit integer (range error raises KvfError).
// RoundUp(2.00004) = 2, RoundUp(2.5) = 3, RoundUp(-2.5) = -2, RoundDown(-2.5) = -3, RoundDown(2.5) = 2.
int RoundUp(long double x);
int RoundDown(long double x);

} // namespace kvf

#pragma once
// The rounding rules every geometry, model and drawing routine relies on.
// Intermediates are long double (80-bit), as the stored results depend on it.

namespace kvf {

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

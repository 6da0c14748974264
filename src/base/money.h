#pragma once
// Money: a signed 64-bit count of ten-thousandths of the currency unit.
// Sums and differences are exact. Products and quotients are rounded once to
// the nearest ten-thousandth, halves to even. The double factor or divisor is
// taken as the shortest decimal that reads back as the same double (2.4 is
// 24/10, not the binary neighbour 2.39999...), and the product is formed in
// 128-bit integers, so 12.3456 x 2.4 = 29.62944 gives 29.6294 and a product
// ending in exactly 5 in the fifth decimal goes to the even fourth decimal.
// An overflow of the 64-bit range raises KvfError.

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kvf {

class Money {
public:
    constexpr Money() = default;

    static constexpr Money FromRaw(int64_t raw) {
        Money m;
        m.raw_ = raw;
        return m;
    }
    constexpr int64_t Raw() const { return raw_; }

    // Nearest ten-thousandth of the value's shortest decimal form, halves to even.
    static Money FromDouble(double value);
    double ToDouble() const { return static_cast<double>(raw_) / 10000.0; }

    Money operator+(Money other) const;
    Money operator-(Money other) const;
    Money& operator+=(Money other);
    Money& operator-=(Money other);
    Money operator-() const;

    constexpr bool operator==(const Money&) const = default;
    constexpr auto operator<=>(const Money&) const = default;

    // this x factor and this / divisor, rounded half to even; a zero divisor raises KvfError.
    Money MulRound(double factor) const;
    Money DivRound(double divisor) const;

    // "12.3456", "-0.5000": always four decimals, full stop.
    std::string Format4() const;
    // Reads "[-+]digits[.up to four digits]" (surrounding blanks allowed); nothing on anything else.
    static std::optional<Money> Parse(std::string_view text);

private:
    int64_t raw_ = 0;
};

} // namespace kvf

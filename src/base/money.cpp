#include "base/money.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kvf {

namespace {

using Int128 = __int128;

constexpr int64_t kMaxRaw = INT64_MAX;

[[noreturn]] void overflow() {
    throw KvfError("Переполнение денежной суммы");
}

// A finite double as M x 10^E with M the digits of its shortest round-trip form.
struct Decimal {
    bool negative = false;
    int64_t digits = 0; // below 10^17
    int exponent = 0;
};

Decimal toDecimal(double value, const char* what) {
    if (!std::isfinite(value))
        throw KvfError(std::string("Недопустимое число в денежном расчёте (") + what + ")");
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0)
        return d;
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    const std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
    const size_t e = text.find('e');
    int fractionDigits = 0;
    bool afterPoint = false;
    for (char c : text.substr(0, e)) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        d.digits = d.digits * 10 + (c - '0');
        if (afterPoint)
            ++fractionDigits;
    }
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    d.exponent = exponent - fractionDigits;
    return d;
}

Int128 pow10(int n) {
    Int128 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

// Non-negative numerator / positive denominator, rounded half to even.
Int128 divideHalfEven(Int128 numerator, Int128 denominator) {
    Int128 q = numerator / denominator;
    const Int128 r = numerator % denominator;
    if (r > denominator - r || (r == denominator - r && (q & 1) != 0))
        ++q;
    return q;
}

Money fromMagnitude(Int128 magnitude, bool negative) {
    if (magnitude > static_cast<Int128>(kMaxRaw))
        overflow();
    const int64_t raw = static_cast<int64_t>(magnitude);
    return Money::FromRaw(negative ? -raw : raw);
}

// |raw| x M x 10^exponent in ten-thousandths, rounded half to even.
Int128 scaledProduct(Int128 product, int exponent) {
    if (exponent >= 0) {
        if (product == 0)
            return 0;
        if (exponent > 19)
            overflow();
        // Checked before multiplying: a signed 128-bit overflow is undefined.
        const Int128 factor = pow10(exponent);
        const Int128 limit = (~static_cast<unsigned __int128>(0) >> 1) / factor;
        if (product > limit || product < -limit)
            overflow();
        return product * factor;
    }
    if (-exponent > 38)
        return 0; // the product is below 10^36
    return divideHalfEven(product, pow10(-exponent));
}

} // namespace

Money Money::FromDouble(double value) {
    const Decimal d = toDecimal(value, "FromDouble");
    return fromMagnitude(scaledProduct(d.digits, d.exponent + 4), d.negative);
}

Money Money::operator+(Money other) const {
    int64_t sum = 0;
    if (__builtin_add_overflow(raw_, other.raw_, &sum))
        overflow();
    return FromRaw(sum);
}

Money Money::operator-(Money other) const {
    int64_t difference = 0;
    if (__builtin_sub_overflow(raw_, other.raw_, &difference))
        overflow();
    return FromRaw(difference);
}

Money& Money::operator+=(Money other) {
    return *this = *this + other;
}

Money& Money::operator-=(Money other) {
    return *this = *this - other;
}

Money Money::operator-() const {
    if (raw_ == INT64_MIN)
        overflow();
    return FromRaw(-raw_);
}

Money Money::MulRound(double factor) const {
    const Decimal d = toDecimal(factor, "MulRound");
    const bool negative = (raw_ < 0) != d.negative;
    const Int128 magnitude = raw_ < 0 ? -static_cast<Int128>(raw_) : static_cast<Int128>(raw_);
    return fromMagnitude(scaledProduct(magnitude * d.digits, d.exponent), negative);
}

Money Money::DivRound(double divisor) const {
    const Decimal d = toDecimal(divisor, "DivRound");
    if (d.digits == 0)
        throw KvfError("Деление денежной суммы на ноль");
    const bool negative = (raw_ < 0) != d.negative;
    const Int128 magnitude = raw_ < 0 ? -static_cast<Int128>(raw_) : static_cast<Int128>(raw_);
    if (d.exponent >= 0) {
        if (d.exponent >= 20)
            return FromRaw(0); // the divisor exceeds 10^20, twice any amount
        return fromMagnitude(divideHalfEven(magnitude, d.digits * pow10(d.exponent)), negative);
    }
    // magnitude x 10^t / M by long division, so no intermediate exceeds 10^18.
    Int128 quotient = magnitude / d.digits;
    Int128 remainder = magnitude % d.digits;
    for (int t = -d.exponent; t > 0; --t) {
        quotient = quotient * 10 + remainder * 10 / d.digits;
        remainder = remainder * 10 % d.digits;
        if (quotient > static_cast<Int128>(kMaxRaw))
            overflow();
    }
    if (remainder > d.digits - remainder || (remainder == d.digits - remainder && (quotient & 1) != 0))
        ++quotient;
    return fromMagnitude(quotient, negative);
}

std::string Money::Format4() const {
    const uint64_t magnitude = raw_ < 0 ? 0 - static_cast<uint64_t>(raw_) : static_cast<uint64_t>(raw_);
    std::string fraction = std::to_string(magnitude % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    return (raw_ < 0 ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

std::optional<Money> Money::Parse(std::string_view text) {
    const std::string trimmed = Trim(text);
    std::string_view s = trimmed;
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    const size_t point = s.find('.');
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || fraction.size() > 4)
        return std::nullopt;
    Int128 magnitude = 0;
    for (std::string_view part : {whole, fraction})
        for (char c : part) {
            if (c < '0' || c > '9')
                return std::nullopt;
            magnitude = magnitude * 10 + (c - '0');
            if (magnitude > static_cast<Int128>(kMaxRaw) + 1)
                return std::nullopt;
        }
    for (size_t i = fraction.size(); i < 4; ++i)
        magnitude *= 10;
    if (magnitude > static_cast<Int128>(kMaxRaw) + (negative ? 1 : 0))
        return std::nullopt;
    return FromRaw(negative ? static_cast<int64_t>(-magnitude) : static_cast<int64_t>(magnitude));
}

} // namespace kvf

#include "base/variant.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/ole_date.h"
#include "base/text.h"

#include <climits>
#include <cmath>

namespace kvf {

namespace {

[[noreturn]] void notConvertible(const std::string& text, const char* target) {
    throw KvfError("Значение \"" + text + "\" нельзя преобразовать в " + target);
}

int32_t roundToInt32(double value, const std::string& shown) {
    const double rounded = std::nearbyint(value); // half to even in the default rounding mode
    if (!(rounded >= INT32_MIN && rounded <= INT32_MAX))
        notConvertible(shown, "целое число");
    return static_cast<int32_t>(rounded);
}

} // namespace

Variant Variant::FromInteger(int32_t value) {
    return Variant(VariantType::Integer, value, 0);
}

Variant Variant::FromByte(uint8_t value) {
    return Variant(VariantType::Byte, value, 0);
}

Variant Variant::FromBoolean(bool value) {
    return Variant(VariantType::Boolean, value ? 1 : 0, 0);
}

Variant Variant::FromReal(double value) {
    return Variant(VariantType::Real, 0, value);
}

Variant Variant::FromDate(double value) {
    return Variant(VariantType::Date, 0, value);
}

Variant Variant::FromCurrency(Money value) {
    return Variant(VariantType::Currency, value.Raw(), 0);
}

Variant Variant::FromText(std::string utf8) {
    return Variant(VariantType::Text, 0, 0, std::move(utf8));
}

Variant Variant::MakeNull() {
    return Variant(VariantType::Null, 0, 0);
}

// A boolean converts to a number as the automation variant does: true is -1.
int32_t Variant::AsInt() const {
    switch (type_) {
    case VariantType::Empty:
    case VariantType::Null:
        return 0;
    case VariantType::Integer:
    case VariantType::Byte:
        return static_cast<int32_t>(integer_);
    case VariantType::Boolean:
        return integer_ != 0 ? -1 : 0;
    case VariantType::Real:
    case VariantType::Date:
        return roundToInt32(real_, AsText());
    case VariantType::Currency: {
        const Money rounded = Money::FromRaw(integer_).DivRound(10000.0);
        if (rounded.Raw() < INT32_MIN || rounded.Raw() > INT32_MAX)
            notConvertible(AsText(), "целое число");
        return static_cast<int32_t>(rounded.Raw());
    }
    case VariantType::Text:
        if (const auto value = ParseInteger(text_); value && *value >= INT32_MIN && *value <= INT32_MAX)
            return static_cast<int32_t>(*value);
        if (const auto value = ParseDecimal(text_))
            return roundToInt32(*value, text_);
        notConvertible(text_, "целое число");
    }
    return 0;
}

double Variant::AsDouble() const {
    switch (type_) {
    case VariantType::Empty:
    case VariantType::Null:
        return 0;
    case VariantType::Integer:
    case VariantType::Byte:
        return static_cast<double>(integer_);
    case VariantType::Boolean:
        return integer_ != 0 ? -1.0 : 0.0;
    case VariantType::Real:
    case VariantType::Date:
        return real_;
    case VariantType::Currency:
        return Money::FromRaw(integer_).ToDouble();
    case VariantType::Text:
        if (const auto value = ParseDecimal(text_))
            return *value;
        notConvertible(text_, "число");
    }
    return 0;
}

bool Variant::AsBool() const {
    switch (type_) {
    case VariantType::Empty:
    case VariantType::Null:
        return false;
    case VariantType::Integer:
    case VariantType::Byte:
    case VariantType::Boolean:
    case VariantType::Currency:
        return integer_ != 0;
    case VariantType::Real:
    case VariantType::Date:
        return real_ != 0;
    case VariantType::Text:
        if (SameText(Trim(text_), "True"))
            return true;
        if (SameText(Trim(text_), "False"))
            return false;
        if (const auto value = ParseDecimal(text_))
            return *value != 0;
        notConvertible(text_, "логическое значение");
    }
    return false;
}

std::string Variant::AsText() const {
    switch (type_) {
    case VariantType::Empty:
    case VariantType::Null:
        return {};
    case VariantType::Integer:
    case VariantType::Byte:
        return std::to_string(integer_);
    case VariantType::Boolean:
        return integer_ != 0 ? "True" : "False";
    case VariantType::Real:
        return FormatFloatShort(real_);
    case VariantType::Date: {
        if (!std::isfinite(real_) || std::fabs(real_) > 2.9e6)
            return FormatFloatShort(real_);
        int y, m, d, h, n, s, ms;
        DecodeDateTime(real_, y, m, d, h, n, s, ms);
        std::string text = FormatDate(real_);
        if (h != 0 || n != 0 || s != 0) {
            char time[16];
            std::snprintf(time, sizeof time, " %d:%02d:%02d", h, n, s);
            text += time;
        }
        return text;
    }
    case VariantType::Currency: {
        std::string text = Money::FromRaw(integer_).Format4();
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
        return text;
    }
    case VariantType::Text:
        return text_;
    }
    return {};
}

Money Variant::AsMoney() const {
    switch (type_) {
    case VariantType::Currency:
        return Money::FromRaw(integer_);
    case VariantType::Text:
        if (const auto value = Money::Parse(text_))
            return *value;
        return Money::FromDouble(AsDouble());
    case VariantType::Real:
    case VariantType::Date:
        return Money::FromDouble(real_);
    default:
        return Money::FromRaw(int64_t{AsInt()} * 10000);
    }
}

} // namespace kvf

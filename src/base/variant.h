#pragma once
// Variant: one field value as the typed stream and the record clipboard carry
// it. The type codes are those of the stream's value records; Text has no code
// in the stream (it is written as a string item) and Null only occurs in
// captured table rows.

#include "base/money.h"

#include <cstdint>
#include <string>
#include <utility>

namespace kvf {

enum class VariantType : uint16_t {
    Empty = 0,
    Null = 1,
    Integer = 3,
    Real = 5,
    Currency = 6,
    Date = 7,
    Boolean = 11,
    Byte = 17,
    Text = 256
};

class Variant {
public:
    Variant() = default;

    static Variant FromInteger(int32_t value);
    static Variant FromByte(uint8_t value);
    static Variant FromBoolean(bool value);
    static Variant FromReal(double value);
    static Variant FromDate(double value);
    static Variant FromCurrency(Money value);
    static Variant FromText(std::string utf8);
    static Variant MakeNull();

    VariantType Type() const { return type_; }
    // Empty or Null.
    bool IsEmpty() const { return type_ == VariantType::Empty || type_ == VariantType::Null; }

    // Conversions to the field's type. Empty and Null give 0, false, "".
    // Real, Date and Currency go to integers rounded half to even; a value
    // outside the 32-bit range, or a text that is not a number, raises KvfError.
    int32_t AsInt() const;
    double AsDouble() const;
    // Non-zero numbers are true; a text is true when it is "True" or a non-zero number (any case).
    bool AsBool() const;
    // Numbers in the short general form with a full stop, dates "dd.mm.yyyy",
    // booleans "True"/"False".
    std::string AsText() const;
    Money AsMoney() const;

    bool operator==(const Variant&) const = default;

private:
    Variant(VariantType type, int64_t integer, double real, std::string text = {})
        : type_(type), integer_(integer), real_(real), text_(std::move(text)) {}

    VariantType type_ = VariantType::Empty;
    int64_t integer_ = 0; // Integer, Byte, Boolean (0/1), Currency (raw)
    double real_ = 0;     // Real, Date
    std::string text_;    // Text (UTF-8)
};

} // namespace kvf

#pragma once
// Fields and values of the table objects. A value is blank (null), an
// integer, a real number or text (UTF-8); the field's kind says how it reads:
// money and decimals are amounts held as reals already rounded to their scale
// (four places for money), dates as OLE dates. A money value means the same
// amount wherever it is: given to a table, held in its rows, stored in SQLite.

#include "base/text.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kvf {

class Variant;

constexpr int kMoneyScale = 4;

enum class FieldKind {
    Text,
    Memo,
    Int16,
    Int32,
    AutoInc,
    Logical,
    Decimal,
    Money,
    Double,
    Date,
    Time,
    Timestamp,
    Blob
};

struct FieldDef {
    std::string Name;
    FieldKind Kind = FieldKind::Text;
    int Size = 0;  // characters of a text field
    int Scale = 0; // decimal places of a decimal field
};

// Reads the declared SQLite column type ("TEXT(30)", "DECIMAL(2)", "MONEY", ...).
FieldDef FieldDefFromDeclaredType(std::string name, std::string_view declaredType);
// The declared type written into a schema for the field.
std::string DeclaredType(const FieldDef& field);

// Field positions by name, ignoring ASCII case; the first of equal names wins.
// Looked up for every field read by name, so it hashes only the length and
// the end characters and probes a small open-addressed table.
class FieldNames {
public:
    FieldNames() = default;
    explicit FieldNames(const std::vector<FieldDef>& fields);
    int Find(std::string_view name) const; // -1 when absent

private:
    size_t Slot(std::string_view name) const;
    std::vector<std::string> names_;
    std::vector<int> slots_; // field positions, -1 for an empty slot; a power of two long
};

inline bool IsTextKind(FieldKind kind) {
    return kind == FieldKind::Text || kind == FieldKind::Memo || kind == FieldKind::Blob;
}

inline bool IsIntegerKind(FieldKind kind) {
    return kind == FieldKind::Int16 || kind == FieldKind::Int32 || kind == FieldKind::AutoInc ||
           kind == FieldKind::Logical;
}

using Value = std::variant<std::monostate, int64_t, double, std::string>;

inline bool IsBlank(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

// A value made to fit the field: text for text fields, an integer for integer
// fields, a real rounded to the scale for money and decimals (RoundScaled of
// base/rounding.h: halves away from zero). An integer or a
// text given for money is an amount in whole currency units.
Value NormalizeValue(const FieldDef& field, const Value& v);
// The same, moving a value that already fits.
Value NormalizeValue(const FieldDef& field, Value&& v);

// Reading a value as the kinds the callers ask for; blank gives "" or 0.
std::string ValueAsString(const FieldDef& field, const Value& v);
int64_t ValueAsInteger(const FieldDef& field, const Value& v);
double ValueAsFloat(const FieldDef& field, const Value& v);
// Money in ten-thousandths of a currency unit.
int64_t ValueAsMoneyUnits(const FieldDef& field, const Value& v);
// The value as the variant of the field's kind; a blank value is null.
Variant ValueAsVariant(const FieldDef& field, const Value& v);

} // namespace kvf

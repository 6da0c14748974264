#include "catalog/field.h"

#include "base/number_format.h"
#include "base/rounding.h"
#include "base/variant.h"

#include <cmath>
#include <optional>

namespace kvf {

namespace {

std::string UpperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return r;
}

int ParenNumber(std::string_view t, int fallback) {
    size_t open = t.find('(');
    if (open == std::string_view::npos)
        return fallback;
    const size_t close = t.find(')', open);
    return static_cast<int>(
        StrToIntDef(t.substr(open + 1, close == std::string_view::npos ? close : close - open - 1), 0));
}

bool ParseNumber(const std::string& text, double& out) {
    const std::optional<double> number = ParseDecimal(text);
    if (number)
        out = *number;
    return number.has_value();
}

} // namespace

FieldDef FieldDefFromDeclaredType(std::string name, std::string_view declaredType) {
    FieldDef f;
    f.Name = std::move(name);
    std::string t = UpperAscii(declaredType);
    auto starts = [&](const char* p) { return t.rfind(p, 0) == 0; };
    if (starts("MEMOTEXT")) {
        f.Kind = FieldKind::Memo;
    } else if (starts("TEXT")) {
        f.Kind = FieldKind::Text;
        f.Size = ParenNumber(t, 255);
    } else if (starts("INT16")) {
        f.Kind = FieldKind::Int16;
    } else if (starts("INT32") || starts("INTEGER") || starts("INT")) {
        f.Kind = FieldKind::Int32;
    } else if (starts("AUTOINC")) {
        f.Kind = FieldKind::AutoInc;
    } else if (starts("LOGICAL")) {
        f.Kind = FieldKind::Logical;
    } else if (starts("DECIMAL")) {
        f.Kind = FieldKind::Decimal;
        f.Scale = ParenNumber(t, 2);
    } else if (starts("MONEY")) {
        f.Kind = FieldKind::Money;
        f.Scale = kMoneyScale;
    } else if (starts("DOUBLE") || starts("REAL") || starts("FLOAT")) {
        f.Kind = FieldKind::Double;
    } else if (starts("TIMESTAMP")) {
        f.Kind = FieldKind::Timestamp;
    } else if (starts("DATE")) {
        f.Kind = FieldKind::Date;
    } else if (starts("TIME")) {
        f.Kind = FieldKind::Time;
    } else if (starts("BLOB")) {
        f.Kind = FieldKind::Blob;
    } else {
        f.Kind = FieldKind::Text;
        f.Size = 255;
    }
    return f;
}

std::string DeclaredType(const FieldDef& field) {
    switch (field.Kind) {
    case FieldKind::Text:
        return "TEXT(" + std::to_string(field.Size) + ")";
    case FieldKind::Memo:
        return "MEMOTEXT";
    case FieldKind::Int16:
        return "INT16";
    case FieldKind::Int32:
        return "INT32";
    case FieldKind::AutoInc:
        return "AUTOINC";
    case FieldKind::Logical:
        return "LOGICAL";
    case FieldKind::Decimal:
        return "DECIMAL(" + std::to_string(field.Scale) + ")";
    case FieldKind::Money:
        return "MONEY";
    case FieldKind::Double:
        return "DOUBLE";
    case FieldKind::Date:
        return "DATE";
    case FieldKind::Time:
        return "TIME";
    case FieldKind::Timestamp:
        return "TIMESTAMP";
    case FieldKind::Blob:
        return "BLOB";
    }
    return "TEXT(255)";
}

size_t FieldNames::Slot(std::string_view name) const {
    // Clearing bit 5 folds ASCII letters to upper case; equal names hash alike.
    size_t h = name.size();
    if (!name.empty())
        h += (static_cast<size_t>(name.front() & 0xDF) << 8) +
             (static_cast<size_t>(name.back() & 0xDF) << 16) +
             (static_cast<size_t>(name[name.size() / 2] & 0xDF) << 24);
    h *= 0x9E3779B97F4A7C15ull;
    return (h >> 40) & (slots_.size() - 1);
}

FieldNames::FieldNames(const std::vector<FieldDef>& fields) {
    size_t size = 16;
    while (size < fields.size() * 4)
        size *= 2;
    slots_.assign(size, -1);
    names_.reserve(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        names_.push_back(fields[i].Name);
        if (Find(fields[i].Name) >= 0)
            continue;
        size_t at = Slot(fields[i].Name);
        while (slots_[at] >= 0)
            at = (at + 1) & (slots_.size() - 1);
        slots_[at] = static_cast<int>(i);
    }
}

int FieldNames::Find(std::string_view name) const {
    if (slots_.empty())
        return -1;
    for (size_t at = Slot(name);; at = (at + 1) & (slots_.size() - 1)) {
        int i = slots_[at];
        if (i < 0 || SameAsciiName(names_[static_cast<size_t>(i)], name))
            return i;
    }
}

Value NormalizeValue(const FieldDef& field, const Value& v) {
    if (IsBlank(v))
        return v;
    if (IsTextKind(field.Kind)) {
        if (const auto* s = std::get_if<std::string>(&v))
            return *s;
        return ValueAsString(FieldDef{field.Name, FieldKind::Double}, v);
    }
    if (const auto* s = std::get_if<std::string>(&v)) {
        double d = 0;
        if (!ParseNumber(*s, d))
            return s->empty() ? Value{} : Value{int64_t{0}};
        return NormalizeValue(field, Value{d});
    }
    if (IsIntegerKind(field.Kind)) {
        if (const auto* d = std::get_if<double>(&v))
            return static_cast<int64_t>(std::llround(*d));
        return v;
    }
    double d =
        std::holds_alternative<double>(v) ? std::get<double>(v) : static_cast<double>(std::get<int64_t>(v));
    if (field.Kind == FieldKind::Decimal)
        d = RoundScaled(d, field.Scale);
    else if (field.Kind == FieldKind::Money)
        d = RoundScaled(d, kMoneyScale);
    return d;
}

Value NormalizeValue(const FieldDef& field, Value&& v) {
    bool fits = IsBlank(v) || (IsTextKind(field.Kind) && std::holds_alternative<std::string>(v)) ||
                (IsIntegerKind(field.Kind) && std::holds_alternative<int64_t>(v)) ||
                ((field.Kind == FieldKind::Double || field.Kind == FieldKind::Date ||
                  field.Kind == FieldKind::Time || field.Kind == FieldKind::Timestamp) &&
                 std::holds_alternative<double>(v));
    if (fits)
        return std::move(v);
    return NormalizeValue(field, static_cast<const Value&>(v));
}

std::string ValueAsString(const FieldDef& field, const Value& v) {
    if (IsBlank(v))
        return "";
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    if (const auto* i = std::get_if<int64_t>(&v))
        return std::to_string(*i);
    return FormatFloatShort(std::get<double>(v));
}

int64_t ValueAsInteger(const FieldDef& field, const Value& v) {
    if (IsBlank(v))
        return 0;
    if (const auto* i = std::get_if<int64_t>(&v))
        return *i;
    // Money has always read as whole units cut toward zero.
    if (const auto* d = std::get_if<double>(&v))
        return field.Kind == FieldKind::Money ? static_cast<int64_t>(*d)
                                              : static_cast<int64_t>(std::llround(*d));
    const std::string& text = std::get<std::string>(v);
    if (const std::optional<long long> integer = ParseInteger(text))
        return *integer;
    const std::optional<double> number = ParseDecimal(text);
    return number && std::fabs(*number) < 9.2e18 ? static_cast<int64_t>(*number) : 0;
}

double ValueAsFloat(const FieldDef& field, const Value& v) {
    if (IsBlank(v))
        return 0;
    if (const auto* i = std::get_if<int64_t>(&v))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    return ParseDecimal(std::get<std::string>(v)).value_or(0.0);
}

int64_t ValueAsMoneyUnits(const FieldDef& field, const Value& v) {
    if (IsBlank(v))
        return 0;
    if (const auto* i = std::get_if<int64_t>(&v))
        return *i * 10000;
    return static_cast<int64_t>(std::llround(RoundScaled(ValueAsFloat(field, v), kMoneyScale) * 10000.0));
}

Variant ValueAsVariant(const FieldDef& f, const Value& v) {
    if (IsBlank(v))
        return Variant::MakeNull();
    switch (f.Kind) {
    case FieldKind::Int16:
    case FieldKind::Int32:
    case FieldKind::AutoInc:
        return Variant::FromInteger(static_cast<int32_t>(ValueAsInteger(f, v)));
    case FieldKind::Logical:
        return Variant::FromBoolean(ValueAsInteger(f, v) != 0);
    case FieldKind::Money:
        return Variant::FromCurrency(Money::FromRaw(ValueAsMoneyUnits(f, v)));
    case FieldKind::Decimal:
    case FieldKind::Double:
    case FieldKind::Time:
        return Variant::FromReal(ValueAsFloat(f, v));
    case FieldKind::Date:
    case FieldKind::Timestamp:
        return Variant::FromDate(ValueAsFloat(f, v));
    default:
        return Variant::FromText(ValueAsString(f, v));
    }
}

} // namespace kvf

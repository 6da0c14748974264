#include "reports/report_expression.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/ole_date.h"
#include "base/text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kvf {

namespace {

using Kind = ExpressionNode::Kind;

[[noreturn]] void fail(const std::string& text, const std::string& detail) {
    throw KvfError("Ошибка в выражении \"" + text + "\": " + detail);
}

bool isNumeric(const Variant& v) {
    switch (v.Type()) {
    case VariantType::Integer:
    case VariantType::Real:
    case VariantType::Currency:
    case VariantType::Date:
    case VariantType::Boolean:
    case VariantType::Byte:
        return true;
    default:
        return false;
    }
}

double number(const Variant& v, const std::string& text) {
    if (v.Type() == VariantType::Text) {
        const std::string trimmed = Trim(v.AsText());
        if (trimmed.empty())
            return 0;
        if (const std::optional<double> d = ParseDecimal(trimmed))
            return *d;
        fail(text, "\"" + v.AsText() + "\" не число");
    }
    return v.AsDouble();
}

bool isWhole(const Variant& v) {
    return v.Type() == VariantType::Integer || v.Type() == VariantType::Byte;
}

// Code points of a UTF-8 text.
std::vector<std::string> characters(const std::string& s) {
    std::vector<std::string> result;
    for (size_t i = 0; i < s.size();) {
        size_t n = 1;
        while (i + n < s.size() && (static_cast<unsigned char>(s[i + n]) & 0xC0) == 0x80)
            ++n;
        result.push_back(s.substr(i, n));
        i += n;
    }
    return result;
}

Variant arithmetic(Kind kind, const Variant& a, const Variant& b, const std::string& text) {
    if (kind == Kind::Add && (a.Type() == VariantType::Text || b.Type() == VariantType::Text))
        return Variant::FromText(ReportText(a) + ReportText(b));
    if ((kind == Kind::Add || kind == Kind::Subtract) && (isWhole(a) || a.IsEmpty()) &&
        (isWhole(b) || b.IsEmpty())) {
        const long long r = kind == Kind::Add ? static_cast<long long>(a.AsInt()) + b.AsInt()
                                              : static_cast<long long>(a.AsInt()) - b.AsInt();
        if (r >= INT32_MIN && r <= INT32_MAX)
            return Variant::FromInteger(static_cast<int32_t>(r));
        return Variant::FromReal(static_cast<double>(r));
    }
    const bool money = (a.Type() == VariantType::Currency || isWhole(a) || a.IsEmpty()) &&
                       (b.Type() == VariantType::Currency || isWhole(b) || b.IsEmpty()) &&
                       (a.Type() == VariantType::Currency || b.Type() == VariantType::Currency);
    if (money && (kind == Kind::Add || kind == Kind::Subtract)) {
        return Variant::FromCurrency(kind == Kind::Add ? a.AsMoney() + b.AsMoney()
                                                       : a.AsMoney() - b.AsMoney());
    }
    const double x = number(a, text);
    const double y = number(b, text);
    switch (kind) {
    case Kind::Add:
        return Variant::FromReal(x + y);
    case Kind::Subtract:
        return Variant::FromReal(x - y);
    case Kind::Multiply:
        return Variant::FromReal(x * y);
    default:
        if (y == 0)
            fail(text, "деление на ноль");
        return Variant::FromReal(x / y);
    }
}

bool compare(Kind kind, const Variant& a, const Variant& b) {
    int order = 0;
    if ((isNumeric(a) || a.IsEmpty()) && (isNumeric(b) || b.IsEmpty()) && !(a.IsEmpty() && b.IsEmpty())) {
        const double x = a.AsDouble();
        const double y = b.AsDouble();
        order = x < y ? -1 : x > y ? 1 : 0;
    } else {
        order = compareAnsi(ReportText(a), ReportText(b));
    }
    switch (kind) {
    case Kind::Equal:
        return order == 0;
    case Kind::NotEqual:
        return order != 0;
    case Kind::Less:
        return order < 0;
    case Kind::LessEqual:
        return order <= 0;
    case Kind::Greater:
        return order > 0;
    default:
        return order >= 0;
    }
}

class Evaluator {
public:
    Evaluator(ReportScope& scope, const std::string& text) : scope_(scope), text_(text) {}

    Variant eval(const ExpressionNode& node) {
        switch (node.kind) {
        case Kind::Number:
            if (node.number == std::floor(node.number) && std::fabs(node.number) < 2147483647.0)
                return Variant::FromInteger(static_cast<int32_t>(node.number));
            return Variant::FromReal(node.number);
        case Kind::Text:
            return Variant::FromText(node.name);
        case Kind::Name: {
            Variant value;
            if (!scope_.Variable(node.name, value))
                fail(text_, "неизвестная переменная \"" + node.name + "\"");
            return value;
        }
        case Kind::Call:
            return call(node);
        case Kind::Negate: {
            const Variant v = eval(*node.operands[0]);
            if (v.Type() == VariantType::Currency)
                return Variant::FromCurrency(-v.AsMoney());
            if (isWhole(v))
                return Variant::FromInteger(-v.AsInt());
            return Variant::FromReal(-number(v, text_));
        }
        case Kind::Add:
        case Kind::Subtract:
        case Kind::Multiply:
        case Kind::Divide:
            return arithmetic(node.kind, eval(*node.operands[0]), eval(*node.operands[1]), text_);
        case Kind::And:
            return Variant::FromBoolean(truth(*node.operands[0]) && truth(*node.operands[1]));
        case Kind::Or:
            return Variant::FromBoolean(truth(*node.operands[0]) || truth(*node.operands[1]));
        case Kind::Not:
            return Variant::FromBoolean(!truth(*node.operands[0]));
        default:
            return Variant::FromBoolean(compare(node.kind, eval(*node.operands[0]), eval(*node.operands[1])));
        }
    }

private:
    bool truth(const ExpressionNode& node) {
        const Variant v = eval(node);
        if (v.Type() == VariantType::Text) {
            const std::string t = AnsiUpperCase(Trim(v.AsText()));
            if (t == "TRUE")
                return true;
            if (t.empty() || t == "FALSE")
                return false;
        }
        return number(v, text_) != 0;
    }

    void arity(const ExpressionNode& node, size_t count) {
        if (node.operands.size() != count)
            fail(text_, "функция " + node.name + " ждет аргументов: " + std::to_string(count));
    }

    std::string textArg(const ExpressionNode& node, size_t i) { return ReportText(eval(*node.operands[i])); }

    Variant call(const ExpressionNode& node) {
        const std::string name = AnsiUpperCase(node.name);
        if (name == "IIF") {
            arity(node, 3);
            return truth(*node.operands[0]) ? eval(*node.operands[1]) : eval(*node.operands[2]);
        }
        if (name == "FORMATFLOAT") {
            arity(node, 2);
            const std::string pattern = textArg(node, 0);
            return Variant::FromText(FormatFloatPattern(pattern, number(eval(*node.operands[1]), text_)));
        }
        if (name == "FORMATDATETIME") {
            arity(node, 2);
            const std::string pattern = textArg(node, 0);
            return Variant::FromText(FormatDateTimePattern(pattern, number(eval(*node.operands[1]), text_)));
        }
        if (name == "STR") {
            arity(node, 1);
            return Variant::FromText(textArg(node, 0));
        }
        if (name == "TRIM") {
            arity(node, 1);
            return Variant::FromText(Trim(textArg(node, 0)));
        }
        if (name == "UPPERCASE" || name == "LOWERCASE") {
            arity(node, 1);
            const std::string s = textArg(node, 0);
            return Variant::FromText(name == "UPPERCASE" ? AnsiUpperCase(s) : AnsiLowerCase(s));
        }
        if (name == "LENGTH") {
            arity(node, 1);
            return Variant::FromInteger(static_cast<int32_t>(characters(textArg(node, 0)).size()));
        }
        if (name == "COPY") {
            arity(node, 3);
            const std::vector<std::string> chars = characters(textArg(node, 0));
            long long index = static_cast<long long>(number(eval(*node.operands[1]), text_));
            long long count = static_cast<long long>(number(eval(*node.operands[2]), text_));
            if (index < 1)
                index = 1;
            std::string result;
            for (long long i = index - 1; i < static_cast<long long>(chars.size()) && count > 0; ++i, --count)
                result += chars[static_cast<size_t>(i)];
            return Variant::FromText(result);
        }
        if (name == "POS") {
            arity(node, 2);
            const std::string sub = textArg(node, 0);
            const std::string s = textArg(node, 1);
            const size_t at = sub.empty() ? std::string::npos : s.find(sub);
            if (at == std::string::npos)
                return Variant::FromInteger(0);
            return Variant::FromInteger(static_cast<int32_t>(characters(s.substr(0, at)).size() + 1));
        }
        if (name == "INT" || name == "ROUND" || name == "FRAC") {
            arity(node, 1);
            const double x = number(eval(*node.operands[0]), text_);
            if (name == "FRAC")
                return Variant::FromReal(x - std::trunc(x));
            const double whole = name == "INT" ? std::trunc(x) : std::nearbyint(x);
            return std::fabs(whole) < 2147483647.0 ? Variant::FromInteger(static_cast<int32_t>(whole))
                                                   : Variant::FromReal(whole);
        }
        Variant value;
        if (!scope_.Function(node, value))
            fail(text_, "неизвестная функция \"" + node.name + "\"");
        return value;
    }

    ReportScope& scope_;
    const std::string& text_;
};

std::string twoDigits(int n, int width) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, n);
    return buffer;
}

} // namespace

Variant EvaluateReport(const Expression& expression, ReportScope& scope) {
    return Evaluator(scope, expression.Text()).eval(expression.Root());
}

Variant EvaluateReportNode(const ExpressionNode& node, ReportScope& scope, const std::string& text) {
    return Evaluator(scope, text).eval(node);
}

std::string ReportText(const Variant& value) {
    if (value.Type() == VariantType::Currency)
        return FormatFloatShort(value.AsDouble());
    return value.AsText();
}

std::string FormatFloatPattern(const std::string& pattern, double value) {
    const size_t first = pattern.find_first_of("#0");
    if (first == std::string::npos)
        return pattern;
    size_t last = pattern.find_last_of("#0");
    std::string prefix = pattern.substr(0, first);
    while (!prefix.empty() && (prefix.back() == ',' || prefix.back() == '.'))
        prefix.pop_back();
    const std::string body = pattern.substr(first, last - first + 1);
    const std::string suffix = pattern.substr(last + 1);
    const size_t point = body.find('.');
    const std::string integerPart = point == std::string::npos ? body : body.substr(0, point);
    const std::string fractionPart = point == std::string::npos ? "" : body.substr(point + 1);
    // Digits up to the last '0' are always written; '#' digits after it only when not zero.
    int decimals = 0;
    int required = 0;
    for (char c : fractionPart) {
        if (c == '0' || c == '#')
            ++decimals;
        if (c == '0')
            required = decimals;
    }
    std::string digits = FormatFixed(static_cast<long double>(std::fabs(value)), decimals);
    const bool negative = value < 0 && digits.find_first_not_of("0.") != std::string::npos;
    std::string whole = digits;
    std::string fraction;
    if (const size_t dot = digits.find('.'); dot != std::string::npos) {
        whole = digits.substr(0, dot);
        fraction = digits.substr(dot + 1);
    }
    while (static_cast<int>(fraction.size()) > required && !fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    const size_t minimumWhole = static_cast<size_t>(std::count(integerPart.begin(), integerPart.end(), '0'));
    if (whole == "0" && minimumWhole == 0)
        whole.clear();
    while (whole.size() < minimumWhole)
        whole.insert(0, "0");
    if (integerPart.find(',') != std::string::npos) {
        for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3)
            whole.insert(static_cast<size_t>(i), " ");
    }
    std::string result = prefix + (negative ? "-" : "") + whole;
    if (!fraction.empty())
        result += "." + fraction;
    return result + suffix;
}

std::string FormatDateTimePattern(const std::string& pattern, double date) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
    DecodeDateTime(date, year, month, day, hour, minute, second, ms);
    std::string result;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        if (c == '\'' || c == '"') {
            const size_t end = pattern.find(c, i + 1);
            result += pattern.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
            i = end == std::string::npos ? pattern.size() : end + 1;
            continue;
        }
        const char lower = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        size_t run = 1;
        while (i + run < pattern.size() &&
               (pattern[i + run] == c || pattern[i + run] == static_cast<char>(lower - 'a' + 'A')))
            ++run;
        switch (lower) {
        case 'y':
            result += run >= 3 ? twoDigits(year, 4) : twoDigits(year % 100, 2);
            break;
        case 'm':
            result += twoDigits(month, run >= 2 ? 2 : 1);
            break;
        case 'd':
            result += twoDigits(day, run >= 2 ? 2 : 1);
            break;
        case 'h':
            result += twoDigits(hour, run >= 2 ? 2 : 1);
            break;
        case 'n':
            result += twoDigits(minute, run >= 2 ? 2 : 1);
            break;
        case 's':
            result += twoDigits(second, run >= 2 ? 2 : 1);
            break;
        default:
            result += pattern.substr(i, run);
            break;
        }
        i += run;
    }
    return result;
}

} // namespace kvf

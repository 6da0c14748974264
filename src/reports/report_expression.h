#pragma once
// Report expressions: the shared expression tree (report syntax) evaluated to
// Variant values. Texts, numbers, money, dates and booleans mix as a report
// text needs them: "+" joins texts, comparisons compare numbers as numbers
// and everything else as text, and/or/not take truth values. The evaluator
// knows the functions every template may use (IIF, FormatFloat,
// FormatDateTime, Str, Trim, Copy, Pos, Length, UpperCase, LowerCase, Int,
// Round, Frac); names and all other functions go to the scope. Function and
// built-in names ignore case.

#include "base/expression.h"
#include "base/variant.h"

#include <string>

namespace kvf {

class ReportScope {
public:
    virtual ~ReportScope() = default;
    // A named value; false when the name is unknown.
    virtual bool Variable(const std::string& name, Variant& value) = 0;
    // A function the evaluator does not know (aggregates, user functions),
    // with its arguments unevaluated; false when unknown.
    virtual bool Function(const ExpressionNode& call, Variant& value) = 0;
};

// Raises KvfError naming the expression on an unknown name or function, a
// wrong number of arguments or a value of the wrong kind.
Variant EvaluateReport(const Expression& expression, ReportScope& scope);
Variant EvaluateReportNode(const ExpressionNode& node, ReportScope& scope, const std::string& text);

// The text a value prints as: numbers in the short general form, money with
// its needed decimals, dates "dd.mm.yyyy", booleans "True"/"False".
std::string ReportText(const Variant& value);

// "#,##0.00" and the like: digits after the full stop (0 required, # optional),
// a comma in the integer part groups thousands with a blank; text around the
// digits is kept.
std::string FormatFloatPattern(const std::string& pattern, double value);
// "dd.mm.yyyy hh:nn:ss" and the like (d, dd, m, mm, yy, yyyy, h, hh, n, nn, s,
// ss; quoted text kept).
std::string FormatDateTimePattern(const std::string& pattern, double date);

} // namespace kvf

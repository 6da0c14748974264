// TkvfFlugel::Evaluate: the names and functions through which catalog
// formulas read a sash.

#include "base/expression.h"
#include "base/text.h"
#include "model/flugel.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

namespace kvf {

namespace {

// The side number argument as an integer (rounded half to even, as a numeric
// value converts); none when it cannot be one.
std::optional<long long> sideNumber(double value) {
    if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return std::llrint(value);
}

// Line of side n (from 1) of a sash; nullptr when there is no such side.
const TkvfLine* side(const TkvfFlugel* sash, std::optional<long long> n) {
    if (sash == nullptr || !n || *n < 1 || static_cast<size_t>(*n) > sash->Lines.size()) {
        return nullptr;
    }
    return sash->Lines[*n - 1].get();
}

} // namespace

FormulaName FormulaSizeName(std::string_view name) {
    if (name == "FН" || name == "FFН" || name == "FRH") {
        return FormulaName::Height;
    }
    if (name == "FB" || name == "FFB" || name == "FRB") {
        return FormulaName::Width;
    }
    return FormulaName::None;
}

FormulaFunction FormulaFunctionName(std::string_view name) {
    if (SameAsciiName(name, "FFL") || SameAsciiName(name, "FL")) {
        return FormulaFunction::SideLength;
    }
    if (SameAsciiName(name, "FFG") || SameAsciiName(name, "FG")) {
        return FormulaFunction::HandleHeight;
    }
    if (SameAsciiName(name, "FFGA") || SameAsciiName(name, "FGA")) {
        return FormulaFunction::OtherHandleHeight;
    }
    return FormulaFunction::None;
}

double TkvfFlugel::Evaluate(const std::string& formula) const {
    std::optional<std::pair<std::int32_t, std::int32_t>> size;
    const auto sized = [&]() -> const std::pair<std::int32_t, std::int32_t>& {
        if (!size) {
            std::int32_t width = 0;
            std::int32_t height = 0;
            GetSize(width, height);
            size.emplace(width, height);
        }
        return *size;
    };

    ExpressionScope scope;
    scope.variable = [&](std::string_view name) -> std::optional<double> {
        switch (FormulaSizeName(name)) {
        case FormulaName::Height:
            return sized().second;
        case FormulaName::Width:
            return sized().first;
        case FormulaName::None:
            break;
        }
        return 0.0;
    };
    scope.function = [&](std::string_view name, const std::vector<double>& args) -> std::optional<double> {
        const std::optional<long long> n = args.empty() ? std::nullopt : sideNumber(args[0]);
        const FormulaFunction function = FormulaFunctionName(name);
        if (function == FormulaFunction::SideLength) {
            const TkvfLine* line = side(this, n);
            if (line == nullptr) {
                return 0.0;
            }
            try {
                return line->Length();
            } catch (const std::exception&) {
                return 0.0;
            }
        }
        if (function == FormulaFunction::HandleHeight) {
            const TkvfLine* line = side(this, n);
            return line == nullptr ? 0.0 : line->HandleHeight;
        }
        if (function == FormulaFunction::OtherHandleHeight) {
            const TkvfLine* line = side(OtherFlugel(), n);
            return line == nullptr ? 0.0 : line->HandleHeight;
        }
        return 0.0;
    };
    return EvaluateExpression(formula, scope);
}

} // namespace kvf

#pragma once
// Arithmetic expressions as catalog formulas and report texts use them:
// numbers with a full stop, + - * /, unary minus and plus, parentheses, names
// and function calls with arguments separated by commas. Names are letters
// (Latin, or any UTF-8 character such as Cyrillic "Н"), digits and "_", not
// starting with a digit; they reach the caller's scope exactly as written, so
// the scope decides about case. A text is parsed once into a tree and then
// evaluated as often as needed.
//
// Errors (syntax, unknown name or function, division by zero) raise KvfError
// with a message naming the expression text.
//
// Report texts use a wider grammar (ExpressionSyntax::Report): text literals
// in single or double quotes (a quote doubled inside), the comparisons
// = <> < <= > >=, and the words and, or, not (any case). The tightest first:
// unary, * /, + -, comparisons, not, and, or. The arithmetic evaluator below
// refuses the report nodes; the report engine walks them with its own values.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kvf {

// Resolves names and functions; nothing from a callback (or no callback) means
// "unknown", which is an error.
struct ExpressionScope {
    std::function<std::optional<double>(std::string_view name)> variable;
    std::function<std::optional<double>(std::string_view name, const std::vector<double>& args)> function;
};

// One node of the parsed tree, public so that other evaluators (the report
// engine) can walk the same tree with their own value type.
enum class ExpressionSyntax { Arithmetic, Report };

struct ExpressionNode {
    enum class Kind {
        Number,
        Name,
        Call,
        Negate,
        Add,
        Subtract,
        Multiply,
        Divide,
        // Report syntax only.
        Text,
        Equal,
        NotEqual,
        Less,
        LessEqual,
        Greater,
        GreaterEqual,
        And,
        Or,
        Not
    };
    Kind kind = Kind::Number;
    double number = 0;                                     // Number
    std::string name;                                      // Name, Call; the value of Text
    std::vector<std::unique_ptr<ExpressionNode>> operands; // Call arguments; one or two operands otherwise
    std::string source;                                    // a Call argument's own text, as written
};

class Expression {
public:
    // Raises KvfError on a syntax error.
    static Expression Parse(std::string_view text, ExpressionSyntax syntax = ExpressionSyntax::Arithmetic);

    double Evaluate(const ExpressionScope& scope) const;

    const std::string& Text() const { return text_; }
    const ExpressionNode& Root() const { return *root_; }

private:
    std::string text_;
    std::shared_ptr<const ExpressionNode> root_;
};

// Parse and evaluate in one go.
double EvaluateExpression(std::string_view text, const ExpressionScope& scope);

} // namespace kvf

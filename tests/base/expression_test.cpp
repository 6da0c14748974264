#include "base/expression.h"

#include "base/error.h"
#include "base/text.h"

#include <gtest/gtest.h>

#include <map>

namespace kvf {
namespace {

// A sash-like scope: exact names, functions by name ignoring case.
ExpressionScope sashScope() {
    ExpressionScope scope;
    scope.variable = [](std::string_view name) -> std::optional<double> {
        static const std::map<std::string, double, std::less<>> names = {
            {"FB", 700}, {"FFB", 700}, {"FН", 1400}, {"x_1", 2}};
        const auto it = names.find(name);
        if (it == names.end())
            return std::nullopt;
        return it->second;
    };
    scope.function = [](std::string_view name, const std::vector<double>& args) -> std::optional<double> {
        if (SameText(name, "FFL") && args.size() == 1)
            return args[0] == 2 ? 700.0 : 0.0;
        if (SameText(name, "MAX") && args.size() == 2)
            return std::max(args[0], args[1]);
        if (SameText(name, "PI") && args.empty())
            return 3.0;
        return std::nullopt;
    };
    return scope;
}

TEST(Expression, Arithmetic) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {
        {"FFB*2", 1400},
        {"FB+1", 701},
        {"FН/2", 700},
        {"1+2*3", 7},
        {"(1+2)*3", 9},
        {"10-4-3", 3},
        {"12/3/2", 2},
        {"-2*-3", 6},
        {"--2", 2},
        {"+2", 2},
        {"2*-(1+1)", -4},
        {"1.5e2+.5", 150.5},
        {" ( FFB - 100 ) / 3 ", 200},
        {"ffl(2) + FFL(5)", 700},
        {"max(FB, FН) - PI()", 1397},
        {"x_1*x_1", 4},
    };
    const ExpressionScope scope = sashScope();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(c.value, EvaluateExpression(c.text, scope));
    }
}

TEST(Expression, ParsedOnceEvaluatedOften) {
    const Expression e = Expression::Parse("W*2+1");
    double w = 0;
    ExpressionScope scope;
    scope.variable = [&w](std::string_view) -> std::optional<double> { return w; };
    for (w = 0; w < 3; ++w)
        EXPECT_EQ(w * 2 + 1, e.Evaluate(scope));
    EXPECT_EQ("W*2+1", e.Text());
    EXPECT_EQ(ExpressionNode::Kind::Add, e.Root().kind);
}

TEST(Expression, ErrorsNameTheText) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"", "Ошибка в выражении \"\": пустое выражение"},
        {"1+", "Ошибка в выражении \"1+\": неожиданный конец выражения"},
        {"2*(3", "Ошибка в выражении \"2*(3\": неожиданный конец выражения"},
        {"2 3", "Ошибка в выражении \"2 3\": неожиданный символ '3' в позиции 3"},
        {"1.2.3", "Ошибка в выражении \"1.2.3\": неверное число \"1.2.3\""},
        {"FH+1", "Ошибка в выражении \"FH+1\": неизвестное имя \"FH\""},
        {"fb", "Ошибка в выражении \"fb\": неизвестное имя \"fb\""},
        {"SQRT(4)", "Ошибка в выражении \"SQRT(4)\": неизвестная функция \"SQRT\""},
        {"FB/(FB-700)", "Ошибка в выражении \"FB/(FB-700)\": деление на ноль"},
        {"FFL(1,)", "Ошибка в выражении \"FFL(1,)\": неожиданный символ ')' в позиции 7"},
    };
    const ExpressionScope scope = sashScope();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            EvaluateExpression(c.text, scope);
            FAIL() << "no error";
        } catch (const KvfError& e) {
            EXPECT_EQ(c.message, std::string(e.what()));
        }
    }
}

TEST(Expression, DeepNestingIsAnErrorNotACrash) {
    const std::string deep = std::string(100000, '(') + "1" + std::string(100000, ')');
    EXPECT_THROW(Expression::Parse(deep), KvfError);
    EXPECT_THROW(Expression::Parse(std::string(100000, '-') + "1"), KvfError);
    EXPECT_EQ(1, EvaluateExpression(std::string(50, '(') + "1" + std::string(50, ')'), {}));
}

TEST(Expression, NoScopeMeansEveryNameIsUnknown) {
    EXPECT_THROW(EvaluateExpression("a", {}), KvfError);
    EXPECT_THROW(EvaluateExpression("f(1)", {}), KvfError);
}

TEST(Expression, ReportSyntaxIsWiderThanFormulas) {
    struct Case {
        const char* text;
        bool formula; // parses as a catalog formula too
    };
    const Case cases[] = {
        {"'text'", false},
        {"a = 1", false},
        {"a <> 'x' and not b or c", false},
        {"f('a, b', x <= 2)", false},
        {"W*2+(H-1)/3", true},
        {"IIF(a, 1, 2)", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_NO_THROW(Expression::Parse(c.text, ExpressionSyntax::Report));
        if (c.formula)
            EXPECT_NO_THROW(Expression::Parse(c.text));
        else
            EXPECT_THROW(Expression::Parse(c.text), KvfError);
    }
    // Precedence: or < and < not < comparison < sum.
    const Expression e = Expression::Parse("a or b and not c = d + 1", ExpressionSyntax::Report);
    ASSERT_EQ(ExpressionNode::Kind::Or, e.Root().kind);
    const ExpressionNode& conjunction = *e.Root().operands[1];
    ASSERT_EQ(ExpressionNode::Kind::And, conjunction.kind);
    ASSERT_EQ(ExpressionNode::Kind::Not, conjunction.operands[1]->kind);
    EXPECT_EQ(ExpressionNode::Kind::Equal, conjunction.operands[1]->operands[0]->kind);
    // Call arguments keep their own text; a doubled quote is one quote.
    const Expression call = Expression::Parse("F( x + 1 , 'it''s' )", ExpressionSyntax::Report);
    EXPECT_EQ("x + 1", call.Root().operands[0]->source);
    EXPECT_EQ("'it''s'", call.Root().operands[1]->source);
    EXPECT_EQ("it's", call.Root().operands[1]->name);
    // Words are operators only as whole words.
    EXPECT_EQ(ExpressionNode::Kind::Name, Expression::Parse("order", ExpressionSyntax::Report).Root().kind);
    EXPECT_THROW(Expression::Parse("'open", ExpressionSyntax::Report), KvfError);
    EXPECT_THROW(EvaluateExpression("1 = 1", {}), KvfError);
}

} // namespace
} // namespace kvf

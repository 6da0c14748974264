#include "base/expression.h"

#include "base/error.h"

#include <charconv>

namespace kvf {

namespace {

constexpr int kMaxDepth = 200;

using Node = ExpressionNode;
using NodePtr = std::unique_ptr<ExpressionNode>;

[[noreturn]] void fail(std::string_view text, const std::string& detail) {
    throw KvfError("Ошибка в выражении \"" + std::string(text) + "\": " + detail);
}

bool nameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

bool nameChar(unsigned char c) {
    return nameStart(c) || (c >= '0' && c <= '9');
}

class Parser {
public:
    Parser(std::string_view text, ExpressionSyntax syntax)
        : text_(text), report_(syntax == ExpressionSyntax::Report) {}

    NodePtr ParseAll() {
        skipBlanks();
        if (pos_ >= text_.size())
            fail(text_, "пустое выражение");
        NodePtr root = top(0);
        skipBlanks();
        if (pos_ < text_.size())
            unexpected();
        return root;
    }

private:
    void skipBlanks() {
        while (pos_ < text_.size() &&
               (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n'))
            ++pos_;
    }

    bool accept(char c) {
        skipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    [[noreturn]] void unexpected() {
        if (pos_ >= text_.size())
            fail(text_, "неожиданный конец выражения");
        fail(text_, "неожиданный символ '" + std::string(1, text_[pos_]) + "' в позиции " +
                        std::to_string(pos_ + 1));
    }

    // The whole grammar of the syntax: report texts start at "or".
    NodePtr top(int depth) { return report_ ? disjunction(depth) : sum(depth); }

    // A word operator (and, or, not) in any case, not followed by a name character.
    bool acceptWord(std::string_view word) {
        skipBlanks();
        if (pos_ + word.size() > text_.size())
            return false;
        for (size_t i = 0; i < word.size(); ++i) {
            char c = text_[pos_ + i];
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
            if (c != word[i])
                return false;
        }
        if (pos_ + word.size() < text_.size() &&
            nameChar(static_cast<unsigned char>(text_[pos_ + word.size()])))
            return false;
        pos_ += word.size();
        return true;
    }

    NodePtr disjunction(int depth) {
        NodePtr left = conjunction(depth);
        while (acceptWord("or"))
            left = binary(Node::Kind::Or, std::move(left), conjunction(depth));
        return left;
    }

    NodePtr conjunction(int depth) {
        NodePtr left = negation(depth);
        while (acceptWord("and"))
            left = binary(Node::Kind::And, std::move(left), negation(depth));
        return left;
    }

    NodePtr negation(int depth) {
        if (depth > kMaxDepth)
            fail(text_, "слишком глубокая вложенность");
        if (acceptWord("not")) {
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Not;
            node->operands.push_back(negation(depth + 1));
            return node;
        }
        return comparison(depth);
    }

    NodePtr comparison(int depth) {
        NodePtr left = sum(depth);
        skipBlanks();
        static const std::pair<std::string_view, Node::Kind> operators[] = {
            {"<=", Node::Kind::LessEqual}, {">=", Node::Kind::GreaterEqual}, {"<>", Node::Kind::NotEqual},
            {"=", Node::Kind::Equal},      {"<", Node::Kind::Less},          {">", Node::Kind::Greater}};
        for (const auto& [symbol, kind] : operators) {
            if (text_.substr(pos_, symbol.size()) == symbol) {
                pos_ += symbol.size();
                return binary(kind, std::move(left), sum(depth));
            }
        }
        return left;
    }

    NodePtr textLiteral() {
        const char quote = text_[pos_++];
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Text;
        for (;;) {
            if (pos_ >= text_.size())
                fail(text_, "незакрытая строка");
            if (text_[pos_] == quote) {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == quote) {
                    node->name += quote;
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return node;
            }
            node->name += text_[pos_++];
        }
    }

    static NodePtr binary(Node::Kind kind, NodePtr left, NodePtr right) {
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->operands.push_back(std::move(left));
        node->operands.push_back(std::move(right));
        return node;
    }

    NodePtr sum(int depth) {
        NodePtr left = product(depth);
        for (;;) {
            if (accept('+'))
                left = binary(Node::Kind::Add, std::move(left), product(depth));
            else if (accept('-'))
                left = binary(Node::Kind::Subtract, std::move(left), product(depth));
            else
                return left;
        }
    }

    NodePtr product(int depth) {
        NodePtr left = unary(depth);
        for (;;) {
            if (accept('*'))
                left = binary(Node::Kind::Multiply, std::move(left), unary(depth));
            else if (accept('/'))
                left = binary(Node::Kind::Divide, std::move(left), unary(depth));
            else
                return left;
        }
    }

    NodePtr unary(int depth) {
        if (depth > kMaxDepth)
            fail(text_, "слишком глубокая вложенность");
        if (accept('+'))
            return unary(depth + 1);
        if (accept('-')) {
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Negate;
            node->operands.push_back(unary(depth + 1));
            return node;
        }
        return primary(depth);
    }

    NodePtr primary(int depth) {
        skipBlanks();
        if (pos_ >= text_.size())
            unexpected();
        const unsigned char c = static_cast<unsigned char>(text_[pos_]);
        if (report_ && (c == '\'' || c == '"'))
            return textLiteral();
        if (c == '(') {
            ++pos_;
            NodePtr inner = top(depth + 1);
            if (!accept(')'))
                unexpected();
            return inner;
        }
        if ((c >= '0' && c <= '9') || c == '.')
            return number();
        if (nameStart(c))
            return nameOrCall(depth);
        unexpected();
    }

    NodePtr number() {
        const size_t start = pos_;
        while (pos_ < text_.size() && ((text_[pos_] >= '0' && text_[pos_] <= '9') || text_[pos_] == '.'))
            ++pos_;
        if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
            size_t p = pos_ + 1;
            if (p < text_.size() && (text_[p] == '+' || text_[p] == '-'))
                ++p;
            if (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') {
                while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9')
                    ++p;
                pos_ = p;
            }
        }
        auto node = std::make_unique<Node>();
        const auto result = std::from_chars(text_.data() + start, text_.data() + pos_, node->number,
                                            std::chars_format::general);
        if (result.ec != std::errc() || result.ptr != text_.data() + pos_)
            fail(text_, "неверное число \"" + std::string(text_.substr(start, pos_ - start)) + "\"");
        return node;
    }

    NodePtr nameOrCall(int depth) {
        const size_t start = pos_;
        while (pos_ < text_.size() && nameChar(static_cast<unsigned char>(text_[pos_])))
            ++pos_;
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Name;
        node->name = std::string(text_.substr(start, pos_ - start));
        if (accept('(')) {
            node->kind = Node::Kind::Call;
            if (!accept(')')) {
                do {
                    skipBlanks();
                    const size_t start = pos_;
                    node->operands.push_back(top(depth + 1));
                    node->operands.back()->source = std::string(text_.substr(start, pos_ - start));
                    while (!node->operands.back()->source.empty() &&
                           (node->operands.back()->source.back() == ' ' ||
                            node->operands.back()->source.back() == '\t'))
                        node->operands.back()->source.pop_back();
                } while (accept(','));
                if (!accept(')'))
                    unexpected();
            }
        }
        return node;
    }

    std::string_view text_;
    bool report_ = false;
    size_t pos_ = 0;
};

double evaluate(const Node& node, const ExpressionScope& scope, std::string_view text) {
    switch (node.kind) {
    case Node::Kind::Number:
        return node.number;
    case Node::Kind::Name: {
        std::optional<double> value;
        if (scope.variable)
            value = scope.variable(node.name);
        if (!value)
            fail(text, "неизвестное имя \"" + node.name + "\"");
        return *value;
    }
    case Node::Kind::Call: {
        std::vector<double> args;
        args.reserve(node.operands.size());
        for (const NodePtr& operand : node.operands)
            args.push_back(evaluate(*operand, scope, text));
        std::optional<double> value;
        if (scope.function)
            value = scope.function(node.name, args);
        if (!value)
            fail(text, "неизвестная функция \"" + node.name + "\"");
        return *value;
    }
    case Node::Kind::Negate:
        return -evaluate(*node.operands[0], scope, text);
    case Node::Kind::Add:
        return evaluate(*node.operands[0], scope, text) + evaluate(*node.operands[1], scope, text);
    case Node::Kind::Subtract:
        return evaluate(*node.operands[0], scope, text) - evaluate(*node.operands[1], scope, text);
    case Node::Kind::Multiply:
        return evaluate(*node.operands[0], scope, text) * evaluate(*node.operands[1], scope, text);
    case Node::Kind::Divide: {
        const double dividend = evaluate(*node.operands[0], scope, text);
        const double divisor = evaluate(*node.operands[1], scope, text);
        if (divisor == 0)
            fail(text, "деление на ноль");
        return dividend / divisor;
    }
    default:
        fail(text, "текст и сравнения допустимы только в отчетах");
    }
    return 0;
}

} // namespace

Expression Expression::Parse(std::string_view text, ExpressionSyntax syntax) {
    Expression expression;
    expression.text_ = std::string(text);
    expression.root_ = Parser(expression.text_, syntax).ParseAll();
    return expression;
}

double Expression::Evaluate(const ExpressionScope& scope) const {
    return evaluate(*root_, scope, text_);
}

double EvaluateExpression(std::string_view text, const ExpressionScope& scope) {
    return Expression::Parse(text).Evaluate(scope);
}

} // namespace kvf

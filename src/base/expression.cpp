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
    explicit Parser(std::string_view text) : text_(text) {}

    NodePtr ParseAll() {
        skipBlanks();
        if (pos_ >= text_.size())
            fail(text_, "пустое выражение");
        NodePtr root = sum(0);
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
        if (c == '(') {
            ++pos_;
            NodePtr inner = sum(depth + 1);
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
                do
                    node->operands.push_back(sum(depth + 1));
                while (accept(','));
                if (!accept(')'))
                    unexpected();
            }
        }
        return node;
    }

    std::string_view text_;
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
    }
    return 0;
}

} // namespace

Expression Expression::Parse(std::string_view text) {
    Expression expression;
    expression.text_ = std::string(text);
    expression.root_ = Parser(expression.text_).ParseAll();
    return expression;
}

double Expression::Evaluate(const ExpressionScope& scope) const {
    return evaluate(*root_, scope, text_);
}

double EvaluateExpression(std::string_view text, const ExpressionScope& scope) {
    return Expression::Parse(text).Evaluate(scope);
}

} // namespace kvf

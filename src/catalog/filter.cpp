#include "catalog/filter.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace kvf {

enum class CompareOp { Eq, Ne, Lt, Le, Gt, Ge };

struct FilterNode {
    enum class Kind { And, Or, Compare } NodeKind = Kind::Compare;
    int Left = -1, Right = -1; // positions in the node list
    int Field = -1;
    FieldKind FieldType = FieldKind::Text;
    CompareOp Op = CompareOp::Eq;
    bool LiteralIsText = false;
    bool EmptyText = false; // the literal is ''
    int Literal = -1;       // in the texts: a text literal, or a number as written for a text field
    int Ansi = -1;          // in the texts: the literal's Windows-1251 image, for ordering text compares
    double Number = 0;
};

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
constexpr bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

class Parser {
public:
    // A literal's place in the text (a number, or a text but '') and the node comparing with it.
    struct Literal {
        size_t Begin, End;
        int Node;
    };

    Parser(std::string_view text, const std::vector<FieldDef>& fields, const FieldNames* names,
           std::vector<FilterNode>& nodes, std::vector<std::string>& texts)
        : text_(text), fields_(fields), names_(names), nodes_(nodes), texts_(texts) {}

    const std::vector<Literal>& Literals() const { return literals_; }

    // The root's position.
    int Parse() {
        SkipSpace();
        if (pos_ >= text_.size())
            Fail("пустое выражение");
        int root = ParseOr();
        SkipSpace();
        if (pos_ < text_.size())
            Fail("лишний текст в позиции " + std::to_string(pos_ + 1));
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& reason) const {
        throw KvfError("Ошибка в выражении фильтра [" + std::string(text_) + "]:\r\n" + reason);
    }

    void SkipSpace() {
        while (pos_ < text_.size() && IsSpace(text_[pos_]))
            ++pos_;
    }

    // Consumes the keyword when it stands here as a whole word.
    bool Keyword(std::string_view word) {
        SkipSpace();
        if (text_.size() - pos_ < word.size())
            return false;
        if (!SameAsciiName(text_.substr(pos_, word.size()), word))
            return false;
        size_t end = pos_ + word.size();
        if (end < text_.size() && (IsIdentStart(text_[end]) || IsDigit(text_[end])))
            return false;
        pos_ = end;
        return true;
    }

    int Join(FilterNode::Kind kind, int l, int r) {
        FilterNode& n = nodes_.emplace_back();
        n.NodeKind = kind;
        n.Left = l;
        n.Right = r;
        return static_cast<int>(nodes_.size()) - 1;
    }

    // Chains lean right ("a and (b and c)"), so evaluation walks them without
    // recursion; and/or are associative, so the result and its order of tests stay.
    int ParseOr() {
        int node = ParseAnd();
        if (!Keyword("or"))
            return node;
        int right = ParseOr();
        return Join(FilterNode::Kind::Or, node, right);
    }

    int ParseAnd() {
        int node = ParsePrimary();
        if (!Keyword("and"))
            return node;
        int right = ParseAnd();
        return Join(FilterNode::Kind::And, node, right);
    }

    int ParsePrimary() {
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == '(') {
            ++pos_;
            if (++depth_ > 200)
                Fail("слишком глубокая вложенность скобок");
            int node = ParseOr();
            SkipSpace();
            if (pos_ >= text_.size() || text_[pos_] != ')')
                Fail("нет закрывающей скобки");
            ++pos_;
            --depth_;
            return node;
        }
        return ParseCondition();
    }

    std::string_view ParseFieldName() {
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == '"') {
            size_t end = text_.find('"', pos_ + 1);
            if (end == std::string_view::npos)
                Fail("нет закрывающей кавычки имени поля");
            std::string_view name = text_.substr(pos_ + 1, end - pos_ - 1);
            pos_ = end + 1;
            return name;
        }
        if (pos_ >= text_.size() || !IsIdentStart(text_[pos_]))
            Fail("ожидается имя поля в позиции " + std::to_string(pos_ + 1));
        size_t start = pos_;
        while (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_])))
            ++pos_;
        return text_.substr(start, pos_ - start);
    }

    CompareOp ParseOperator() {
        SkipSpace();
        auto next = [&](size_t k) { return pos_ + k < text_.size() ? text_[pos_ + k] : '\0'; };
        char c = next(0), d = next(1);
        if (c == '=') {
            pos_ += 1;
            return CompareOp::Eq;
        }
        if (c == '<' && d == '>') {
            pos_ += 2;
            return CompareOp::Ne;
        }
        if (c == '<' && d == '=') {
            pos_ += 2;
            return CompareOp::Le;
        }
        if (c == '>' && d == '=') {
            pos_ += 2;
            return CompareOp::Ge;
        }
        if (c == '<') {
            pos_ += 1;
            return CompareOp::Lt;
        }
        if (c == '>') {
            pos_ += 1;
            return CompareOp::Gt;
        }
        Fail("ожидается операция сравнения в позиции " + std::to_string(pos_ + 1));
    }

    void ParseLiteral(FilterNode& node) {
        SkipSpace();
        if (pos_ < text_.size() && text_[pos_] == '\'') {
            const size_t start = pos_;
            ++pos_;
            std::string& value = literal_;
            value.clear();
            for (;;) {
                if (pos_ >= text_.size())
                    Fail("нет закрывающей кавычки");
                size_t quote = text_.find('\'', pos_);
                if (quote == std::string_view::npos)
                    Fail("нет закрывающей кавычки");
                value.append(text_.data() + pos_, quote - pos_);
                pos_ = quote + 1;
                if (pos_ < text_.size() && text_[pos_] == '\'' && !value.empty()) {
                    value += '\'';
                    ++pos_;
                } else {
                    break;
                }
            }
            node.LiteralIsText = true;
            if (!value.empty())
                literalBegin_ = start;
            return;
        }
        size_t start = pos_;
        if (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+'))
            ++pos_;
        size_t digits = pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_]))
            ++pos_;
        bool any = pos_ > digits;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            size_t frac = pos_;
            while (pos_ < text_.size() && IsDigit(text_[pos_]))
                ++pos_;
            any = any || pos_ > frac;
        }
        if (!any)
            Fail("ожидается число или текст в кавычках в позиции " + std::to_string(start + 1));
        if (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || text_[pos_] == '.'))
            Fail("неверное число в позиции " + std::to_string(start + 1));
        literal_.assign(text_.data() + start, pos_ - start);
        literalBegin_ = start;
        // The grammar above is one that from_chars reads, but for a leading plus.
        const char* first = literal_.data();
        const char* last = first + literal_.size();
        if (*first == '+')
            ++first;
        std::from_chars(first, last, node.Number);
    }

    int FindField(std::string_view name) const {
        if (names_)
            return names_->Find(name);
        for (size_t i = 0; i < fields_.size(); ++i)
            if (SameAsciiName(fields_[i].Name, name))
                return static_cast<int>(i);
        return -1;
    }

    int ParseCondition() {
        if (++conditions_ > 1000)
            Fail("слишком много условий");
        FilterNode node;
        literalBegin_ = std::string_view::npos;
        std::string_view name = ParseFieldName();
        node.Field = FindField(name);
        if (node.Field < 0)
            Fail("поле [" + std::string(name) + "] не найдено");
        node.Op = ParseOperator();
        ParseLiteral(node);
        const FieldDef& f = fields_[node.Field];
        node.FieldType = f.Kind;
        if (!IsTextKind(f.Kind) && node.LiteralIsText && !literal_.empty()) {
            const std::optional<double> number = ParseDecimal(literal_);
            node.Number = number.value_or(0.0);
            if (!number)
                Fail("поле [" + f.Name + "] сравнивается с текстом '" + literal_ + "'");
        }
        node.EmptyText = node.LiteralIsText && literal_.empty();
        if (node.LiteralIsText || IsTextKind(f.Kind)) {
            node.Literal = static_cast<int>(texts_.size());
            texts_.push_back(literal_);
        }
        if (IsTextKind(f.Kind) && node.Op != CompareOp::Eq && node.Op != CompareOp::Ne) {
            node.Ansi = static_cast<int>(texts_.size());
            texts_.push_back(ToAnsi(literal_));
        }
        nodes_.push_back(node);
        const int at = static_cast<int>(nodes_.size()) - 1;
        if (literalBegin_ != std::string_view::npos)
            literals_.push_back({literalBegin_, pos_, at});
        return at;
    }

    std::string_view text_;
    const std::vector<FieldDef>& fields_;
    const FieldNames* names_;
    std::vector<FilterNode>& nodes_;
    std::vector<std::string>& texts_;
    std::string literal_; // the literal being read
    size_t pos_ = 0;
    int depth_ = 0;
    int conditions_ = 0;
    size_t literalBegin_ = std::string_view::npos; // where the current comparison's literal starts
    std::vector<Literal> literals_;
};

bool Apply(CompareOp op, int cmp) {
    switch (op) {
    case CompareOp::Eq:
        return cmp == 0;
    case CompareOp::Ne:
        return cmp != 0;
    case CompareOp::Lt:
        return cmp < 0;
    case CompareOp::Le:
        return cmp <= 0;
    case CompareOp::Gt:
        return cmp > 0;
    case CompareOp::Ge:
        return cmp >= 0;
    }
    return false;
}

// Where a comparison reads its field: the row, or a column by position.
struct RowSource {
    const std::vector<Value>& Row;
    const double* const* Columns; // per field, nullptr when the row is read
    size_t Position;
};

bool Compare(const FilterNode& n, const std::vector<std::string>& texts, const RowSource& row);

bool Evaluate(const std::vector<FilterNode>& nodes, const std::vector<std::string>& texts, int at,
              const RowSource& row) {
    for (;;) {
        const FilterNode& n = nodes[at];
        switch (n.NodeKind) {
        case FilterNode::Kind::And:
            if (!Evaluate(nodes, texts, n.Left, row))
                return false;
            break;
        case FilterNode::Kind::Or:
            if (Evaluate(nodes, texts, n.Left, row))
                return true;
            break;
        case FilterNode::Kind::Compare:
            return Compare(n, texts, row);
        }
        at = n.Right;
    }
}

bool Compare(const FilterNode& n, const std::vector<std::string>& texts, const RowSource& row) {
    if (!IsTextKind(n.FieldType) && row.Columns && row.Columns[n.Field]) {
        const double x = row.Columns[n.Field][row.Position];
        if (n.EmptyText)
            return Apply(n.Op, std::isnan(x) ? 0 : 1);
        return Apply(n.Op, CompareNumbers(std::isnan(x) ? 0 : x, n.Number));
    }
    const Value& v = row.Row[n.Field];
    if (IsTextKind(n.FieldType)) {
        const std::string* s = std::get_if<std::string>(&v);
        static const std::string kEmpty;
        const std::string& text = s ? *s : kEmpty;
        const std::string& literal = texts[static_cast<size_t>(n.Literal)];
        if (n.Op == CompareOp::Eq)
            return text == literal;
        if (n.Op == CompareOp::Ne)
            return text != literal;
        return Apply(n.Op, ToAnsi(text).compare(texts[static_cast<size_t>(n.Ansi)]));
    }
    if (n.EmptyText)
        return Apply(n.Op, IsBlank(v) ? 0 : 1);
    double number = 0;
    if (const auto* i = std::get_if<int64_t>(&v))
        number = static_cast<double>(*i);
    else if (const auto* d = std::get_if<double>(&v))
        number = *d;
    return Apply(n.Op, CompareNumbers(number, n.Number));
}

void CollectFixed(const std::vector<FilterNode>& nodes, const std::vector<std::string>& texts, int at,
                  int field, std::optional<Value>& out) {
    if (out)
        return;
    const FilterNode& n = nodes[at];
    if (n.NodeKind == FilterNode::Kind::And) {
        CollectFixed(nodes, texts, n.Left, field, out);
        CollectFixed(nodes, texts, n.Right, field, out);
    } else if (n.NodeKind == FilterNode::Kind::Compare && n.Field == field && n.Op == CompareOp::Eq) {
        if (n.EmptyText)
            return;
        if (n.LiteralIsText)
            out = Value{texts[static_cast<size_t>(n.Literal)]};
        else
            out = Value{n.Number};
    }
}

// At least the number of nodes the text compiles to: a comparison and its
// join per operator sign.
size_t NodeEstimate(std::string_view text) {
    size_t signs = 0;
    for (char c : text)
        signs += c == '=' || c == '<' || c == '>';
    return 2 * signs;
}

// The literal's value as the parser reads it.
double NumberOf(std::string_view literal) {
    const char* first = literal.data();
    const char* last = first + literal.size();
    if (*first == '+')
        ++first;
    double value = 0;
    std::from_chars(first, last, value);
    return value;
}

// Mark a number and a text literal in a shape: bytes no valid filter text holds.
constexpr char kNumberMark = '\x01';
constexpr char kTextMark = '\x02';

// Where the text literal opening at `pos` ends, read as the parser reads it;
// npos when it is not closed. `empty` tells whether its text is ''; `value`,
// when given, receives the text.
size_t TextLiteralEnd(std::string_view text, size_t pos, bool& empty, std::string* value) {
    if (value)
        value->clear();
    empty = true;
    ++pos;
    for (;;) {
        const size_t quote = text.find('\'', pos);
        if (quote == std::string_view::npos)
            return std::string_view::npos;
        if (value)
            value->append(text.data() + pos, quote - pos);
        empty = empty && quote == pos;
        pos = quote + 1;
        if (pos < text.size() && text[pos] == '\'' && !empty) {
            if (value)
                *value += '\'';
            ++pos;
        } else {
            return pos;
        }
    }
}

// Character classes for reading a shape.
enum ShapeClass : unsigned char { Other, Word, Digit, NumberStart };

constexpr std::array<unsigned char, 256> MakeShapeClasses() {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        classes[static_cast<size_t>(c)] = IsIdentStart(ch)                      ? Word
                                          : IsDigit(ch)                         ? Digit
                                          : ch == '.' || ch == '-' || ch == '+' ? NumberStart
                                                                                : Other;
    }
    return classes;
}
constexpr std::array<unsigned char, 256> kShapeClasses = MakeShapeClasses();

unsigned char ShapeClassOf(char c) {
    return kShapeClasses[static_cast<unsigned char>(c)];
}

} // namespace

bool CompiledFilter::ShapeOf(std::string_view text, FilterShape& shape) {
    shape.Key.clear();
    shape.Literals.clear();
    if (text.find(kNumberMark) != std::string_view::npos || text.find(kTextMark) != std::string_view::npos)
        return false;
    size_t pos = 0, copied = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        const unsigned char kind = ShapeClassOf(c);
        if (kind == Word) {
            while (pos < text.size() && (ShapeClassOf(text[pos]) == Word || ShapeClassOf(text[pos]) == Digit))
                ++pos;
        } else if (c == '\'') {
            bool empty = true;
            const size_t end = TextLiteralEnd(text, pos, empty, nullptr);
            if (end == std::string_view::npos)
                break;
            if (!empty) {
                shape.Key.append(text.data() + copied, pos - copied);
                shape.Key += kTextMark;
                shape.Literals.emplace_back(pos, end);
                copied = end;
            }
            pos = end;
        } else if (c == '"') {
            size_t end = text.find(c, pos + 1);
            pos = end == std::string_view::npos ? text.size() : end + 1;
        } else if (kind == Digit || kind == NumberStart) {
            size_t start = pos;
            if (c == '-' || c == '+')
                ++pos;
            size_t digits = 0;
            while (pos < text.size() && IsDigit(text[pos]))
                ++pos, ++digits;
            if (pos < text.size() && text[pos] == '.') {
                ++pos;
                while (pos < text.size() && IsDigit(text[pos]))
                    ++pos, ++digits;
            }
            if (digits == 0) {
                pos = start + 1;
                continue;
            }
            shape.Key.append(text.data() + copied, start - copied);
            shape.Key += kNumberMark;
            shape.Literals.emplace_back(start, pos);
            copied = pos;
        } else {
            ++pos;
        }
    }
    if (shape.Literals.empty())
        return false;
    shape.Key.append(text.data() + copied, text.size() - copied);
    return true;
}

std::shared_ptr<const CompiledFilter> CompiledFilter::Rebind(std::string_view text,
                                                             const FilterShape& shape) const {
    if (!rebindable_ || shape.Literals.size() != slots_.size())
        return nullptr;
    std::shared_ptr<CompiledFilter> f(new CompiledFilter());
    f->nodes_ = nodes_;
    f->texts_ = texts_;
    f->root_ = root_;
    f->numberFields_ = numberFields_;
    f->slots_ = slots_;
    f->rebindable_ = true;
    std::string value;
    for (size_t i = 0; i < slots_.size(); ++i) {
        const auto [begin, end] = shape.Literals[i];
        const std::string_view literal = text.substr(begin, end - begin);
        FilterNode& n = f->nodes_[static_cast<size_t>(slots_[i])];
        if (literal[0] == '\'') {
            bool empty = true;
            TextLiteralEnd(text, begin, empty, &value);
            if (!IsTextKind(n.FieldType)) {
                const std::optional<double> number = ParseDecimal(value);
                if (!number)
                    return nullptr;
                n.Number = *number; // compiling names the fault
            }
        } else {
            value.assign(literal);
            n.Number = NumberOf(literal);
        }
        if (n.Literal >= 0)
            f->texts_[static_cast<size_t>(n.Literal)] = value;
        if (n.Ansi >= 0)
            f->texts_[static_cast<size_t>(n.Ansi)] = ToAnsi(value);
    }
    return f;
}

CompiledFilter::CompiledFilter() = default;
CompiledFilter::~CompiledFilter() = default;

std::shared_ptr<const CompiledFilter> CompiledFilter::Compile(std::string_view text,
                                                              const std::vector<FieldDef>& fields) {
    std::shared_ptr<CompiledFilter> f(new CompiledFilter());
    f->nodes_.reserve(NodeEstimate(text));
    f->root_ = Parser(text, fields, nullptr, f->nodes_, f->texts_).Parse();
    f->CollectNumberFields();
    return f;
}

std::shared_ptr<const CompiledFilter>
CompiledFilter::Compile(std::string_view text, const std::vector<FieldDef>& fields, const FieldNames& names) {
    std::shared_ptr<CompiledFilter> f(new CompiledFilter());
    f->nodes_.reserve(NodeEstimate(text));
    Parser parser(text, fields, &names, f->nodes_, f->texts_);
    f->root_ = parser.Parse();
    f->CollectNumberFields();
    // Rebinding stays exact only where every number the shape marks is a
    // comparison's literal, each read whole.
    FilterShape shape;
    const auto& numbers = parser.Literals();
    if (ShapeOf(text, shape) && shape.Literals.size() == numbers.size()) {
        bool same = true;
        for (size_t i = 0; i < numbers.size() && same; ++i)
            same = shape.Literals[i] == std::make_pair(numbers[i].Begin, numbers[i].End);
        if (same) {
            f->rebindable_ = true;
            for (const auto& n : numbers)
                f->slots_.push_back(n.Node);
        }
    }
    return f;
}

bool CompiledFilter::Matches(const std::vector<Value>& row) const {
    return Evaluate(nodes_, texts_, root_, RowSource{row, nullptr, 0});
}

bool CompiledFilter::Matches(const std::vector<Value>& row, const double* const* columns,
                             size_t position) const {
    return Evaluate(nodes_, texts_, root_, RowSource{row, columns, position});
}

void CompiledFilter::CollectNumberFields() {
    for (const FilterNode& n : nodes_)
        if (n.NodeKind == FilterNode::Kind::Compare && !IsTextKind(n.FieldType) &&
            std::find(numberFields_.begin(), numberFields_.end(), n.Field) == numberFields_.end())
            numberFields_.push_back(n.Field);
}

std::optional<Value> CompiledFilter::FixedValue(int fieldIndex) const {
    std::optional<Value> out;
    CollectFixed(nodes_, texts_, root_, fieldIndex, out);
    return out;
}

} // namespace kvf

#pragma once
// Filter expressions over a table's fields:
//   expr      := conj { "or" conj }
//   conj      := primary { "and" primary }
//   primary   := "(" expr ")" | field op literal
//   op        := "=" | "<>" | "<" | "<=" | ">" | ">="
//   literal   := [sign] digits ["." digits] | 'text' ('' inside text is one quote)
// Field names and the words "and"/"or" ignore case; text compares exactly,
// byte by byte in Windows-1251. A blank field reads as '' or 0.

#include "catalog/field.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kvf {

struct FilterNode;

// Where a filter text's literals (numbers, and texts but '') stand, as
// [begin, end) offsets, and its shape: the text with each of them replaced by
// one mark of its kind. Texts of one shape compile alike but for those literals.
struct FilterShape {
    std::string Key;
    std::vector<std::pair<size_t, size_t>> Literals;
};

class CompiledFilter {
public:
    // Raises KvfError naming the text when it is malformed or names an unknown field.
    static std::shared_ptr<const CompiledFilter> Compile(std::string_view text,
                                                         const std::vector<FieldDef>& fields);
    // The same, finding field names through `names` (built from `fields`).
    static std::shared_ptr<const CompiledFilter>
    Compile(std::string_view text, const std::vector<FieldDef>& fields, const FieldNames& names);
    ~CompiledFilter();
    // Fills `shape` from `text`; false when the text has no such literal.
    static bool ShapeOf(std::string_view text, FilterShape& shape);
    // Whether Rebind may be used: the literals of the text's shape are all
    // comparisons' literals, each read whole.
    bool Rebindable() const { return rebindable_; }
    // This filter with the literals of `text`, a text of the same shape;
    // nullptr when this filter is not Rebindable, the shapes differ or a
    // literal does not suit its field.
    std::shared_ptr<const CompiledFilter> Rebind(std::string_view text, const FilterShape& shape) const;

    bool Matches(const std::vector<Value>& row) const;
    // The numeric fields the expression compares, each once.
    const std::vector<int>& NumberFields() const { return numberFields_; }
    // The same test, reading a numeric field from columns[field][position]
    // where that column is given (not nullptr; NaN stands for blank).
    bool Matches(const std::vector<Value>& row, const double* const* columns, size_t position) const;
    // The value every passing row must have in field `fieldIndex`, when the
    // expression fixes it with "=" at the top level of its conjunction.
    std::optional<Value> FixedValue(int fieldIndex) const;

    CompiledFilter(const CompiledFilter&) = delete;
    CompiledFilter& operator=(const CompiledFilter&) = delete;

private:
    CompiledFilter();
    void CollectNumberFields();
    std::vector<FilterNode> nodes_;  // the expression's nodes, children linked by position
    std::vector<std::string> texts_; // literals the nodes compare text with
    int root_ = -1;
    std::vector<int> numberFields_;
    std::vector<int> slots_; // per literal of the shape, the node comparing with it
    bool rebindable_ = false;
};

} // namespace kvf

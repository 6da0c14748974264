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
#include <vector>

namespace kvf {

struct FilterNode;

class CompiledFilter {
public:
    // Raises KvfError naming the text when it is malformed or names an unknown field.
    static std::shared_ptr<const CompiledFilter> Compile(std::string_view text,
                                                         const std::vector<FieldDef>& fields);
    // The same, finding field names through `names` (built from `fields`).
    static std::shared_ptr<const CompiledFilter>
    Compile(std::string_view text, const std::vector<FieldDef>& fields, const FieldNames& names);
    ~CompiledFilter();

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
};

} // namespace kvf

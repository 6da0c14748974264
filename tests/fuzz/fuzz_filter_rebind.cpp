// fuzz-deps: kvf_catalog
// Differential target: a filter compiled from one text and rebound to the
// literals of another text of the same shape must select exactly what a fresh
// compile of that other text selects, and fix the same key values. The input
// is a filter text, a line break, then bytes that choose the other text's
// literals. Aborts on any difference; only a clean KvfError may come out.

#include "base/error.h"
#include "catalog/filter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

using namespace kvf;

// Literals of each kind that the other text takes, chosen by the input.
const char* const kNumbers[] = {"0", "-3", "2.5", "-0.25", "7", ".5", "4.", "1e3", "-90.5", "3", "00", "+1"};
const char* const kTexts[] = {"'K1'", "'W'", "'\xd0\x96'", "'3'", "'x''y'", "'1.25'", "' '", "'K'"};

// The text with each literal of `shape` replaced by one of its kind.
std::string OtherText(const std::string& text, const FilterShape& shape, const std::string& choices) {
    std::string other;
    size_t at = 0;
    for (size_t i = 0; i < shape.Literals.size(); ++i) {
        const auto [begin, end] = shape.Literals[i];
        const unsigned char choice = i < choices.size() ? static_cast<unsigned char>(choices[i]) : 0;
        other += text.substr(at, begin - at);
        other +=
            text[begin] == '\'' ? kTexts[choice % std::size(kTexts)] : kNumbers[choice % std::size(kNumbers)];
        at = end;
    }
    return other + text.substr(at);
}

std::shared_ptr<const CompiledFilter> CompileOrNull(const std::string& text,
                                                    const std::vector<FieldDef>& fields) {
    try {
        return CompiledFilter::Compile(text, fields);
    } catch (const KvfError&) {
        return nullptr;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<FieldDef> fields = {{"ID", FieldKind::Text, 30, 0},
                                                 {"Color", FieldKind::Text, 10, 0},
                                                 {"Number", FieldKind::Int16, 0, 0},
                                                 {"FFAMin", FieldKind::Decimal, 0, 2},
                                                 {"Price", FieldKind::Money, 0, 4}};
    static const std::vector<std::vector<Value>> rows = {
        {Value{std::string("K1")}, Value{std::string("")}, Value{int64_t{3}}, Value{1.25}, Value{5.0}},
        {Value{}, Value{}, Value{}, Value{}, Value{}},
        {Value{std::string("\xd0\x96")}, Value{std::string("W")}, Value{int64_t{-7}}, Value{-90.5},
         Value{0.0}},
        {Value{std::string("3")}, Value{std::string("x'y")}, Value{int64_t{1000}}, Value{2.5}, Value{-0.25}},
    };
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t lineBreak = input.find('\n');
    const std::string text = input.substr(0, lineBreak);
    const std::string choices = lineBreak == std::string::npos ? "" : input.substr(lineBreak + 1);

    const auto first = CompileOrNull(text, fields);
    FilterShape shape;
    if (first == nullptr || !first->Rebindable() || !CompiledFilter::ShapeOf(text, shape))
        return 0;
    const std::string other = OtherText(text, shape, choices);
    FilterShape otherShape;
    if (!CompiledFilter::ShapeOf(other, otherShape) || otherShape.Key != shape.Key)
        return 0;
    const auto rebound = first->Rebind(other, otherShape);
    if (rebound == nullptr)
        return 0;
    const auto fresh = CompileOrNull(other, fields);
    if (fresh == nullptr)
        std::abort(); // rebinding took literals that compiling refuses
    for (const auto& row : rows)
        if (rebound->Matches(row) != fresh->Matches(row))
            std::abort();
    for (int f = 0; f < static_cast<int>(fields.size()); ++f)
        if (rebound->FixedValue(f) != fresh->FixedValue(f))
            std::abort();
    return 0;
}

// fuzz-deps: kvf_catalog
// Compiles arbitrary text as a filter expression over a small field list and
// evaluates it against a few rows. Only a clean KvfError may come out.

#include "base/error.h"
#include "catalog/filter.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace kvf;
    static const std::vector<FieldDef> fields = {{"ID", FieldKind::Text, 30, 0},
                                                 {"Color", FieldKind::Text, 10, 0},
                                                 {"Number", FieldKind::Int16, 0, 0},
                                                 {"FFAMin", FieldKind::Decimal, 0, 2},
                                                 {"Price", FieldKind::Money, 0, 4}};
    static const std::vector<std::vector<Value>> rows = {
        {Value{std::string("K1")}, Value{std::string("")}, Value{int64_t{3}}, Value{1.25},
         Value{int64_t{50000}}},
        {Value{}, Value{}, Value{}, Value{}, Value{}},
        {Value{std::string("\xd0\x96")}, Value{std::string("W")}, Value{int64_t{-7}}, Value{-90.5},
         Value{int64_t{0}}},
    };
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        auto filter = CompiledFilter::Compile(text, fields);
        for (const auto& row : rows)
            filter->Matches(row);
        for (int f = 0; f < static_cast<int>(fields.size()); ++f)
            filter->FixedValue(f);
    } catch (const KvfError&) {
    }
    return 0;
}

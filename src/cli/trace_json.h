#pragma once
// The composition trace for `kvf order explain`: as JSON, and as an indented
// tree for people to read.

#include "engine/composition_trace.h"

#include <nlohmann/json.hpp>

#include <iosfwd>

namespace kvf::cli {

// {"Sash", "Parameters":{...}, "Complects":[{"Slot", "ID", "Name", "Rows":[row...]}],
//  "Accessories":[{"Pass", "Item", "ItemCount", row fields...}], "Error": null|"..."}
// A row: {"Row", "Element", "Taken", "Reason", "Filter", "Candidates", "Article",
//  "Chosen", "Merged", "Count", "CountFrom", "Length", "LengthFrom", "Parts":[row...]};
// what was never reached or does not apply is null.
nlohmann::ordered_json SashTraceToJson(const SashTrace& trace);

// The same as a tree, each level indented by two more blanks than `indent`.
void WriteSashTrace(std::ostream& out, const SashTrace& trace, int indent);

} // namespace kvf::cli

#pragma once
// JSON of the comparisons of `kvf order compare` and `kvf registry compare`.

#include "engine/order_compare.h"

#include <nlohmann/json.hpp>

namespace kvf::cli {

// {"No", "Old":{"Cost":"12.3456"|null, "Error":null|"..."}, "New":{...},
//  "Changes":[{"ID", "OldQuantity", "NewQuantity", "OldPrice":"..."|null, "NewPrice":"..."|null}]}
// The cost of a side that failed is null.
nlohmann::ordered_json PositionComparisonToJson(const PositionComparison& comparison);

} // namespace kvf::cli

#include "cli/compare_json.h"

#include "cli/model_json.h"

namespace kvf::cli {

namespace {

using nlohmann::ordered_json;

ordered_json moneyOrNull(const std::optional<Money>& money) {
    return money ? ordered_json(money->Format4()) : ordered_json(nullptr);
}

ordered_json sideJson(const PositionOutcome& side) {
    if (!side.Error.empty())
        return {{"Cost", nullptr}, {"Error", side.Error}};
    return {{"Cost", side.Cost.Format4()}, {"Error", nullptr}};
}

} // namespace

ordered_json PositionComparisonToJson(const PositionComparison& comparison) {
    ordered_json changes = ordered_json::array();
    for (const ArticleChange& c : comparison.Changes)
        changes.push_back({{"ID", c.ID},
                           {"OldQuantity", SingleToJson(c.OldQuantity)},
                           {"NewQuantity", SingleToJson(c.NewQuantity)},
                           {"OldPrice", moneyOrNull(c.OldPrice)},
                           {"NewPrice", moneyOrNull(c.NewPrice)}});
    return {{"No", comparison.No},
            {"Old", sideJson(comparison.Old)},
            {"New", sideJson(comparison.New)},
            {"Changes", std::move(changes)}};
}

} // namespace kvf::cli

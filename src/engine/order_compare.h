#pragma once
// Comparing what an order's positions come to against two catalogs. Each
// position is recalculated on its own, as `kvf order recalc` recalculates it,
// and then restored, so the order is left as it was: an error in one position
// does not stop the others.

#include "base/money.h"
#include "engine/engine_context.h"

#include <optional>
#include <string>
#include <vector>

namespace kvf {

class TkvfConstruction;
class TkvfOrder;

// One article of a position's material lists, both sashes summed.
struct ArticleTotal {
    std::string ID;
    float Quantity = 0; // per one piece of the position
    Money Price;        // of the article's first line, in the order's currency
};

// A position recalculated against one catalog.
struct PositionOutcome {
    std::string Error;                  // the message that ended it; empty when it computed
    Money Cost;                         // one piece; the stored cost after an error
    std::vector<ArticleTotal> Articles; // ascending article code, Windows-1251 byte order
};

// Recalculates the position with ctx (with ctx.Trace, recording its trace),
// notes what it comes to and restores the position as it was.
PositionOutcome RecalcAside(const EngineContext& ctx, TkvfConstruction& position);

// An article whose quantity or price differs; a side without it has
// quantity 0 and no price.
struct ArticleChange {
    std::string ID;
    float OldQuantity = 0;
    float NewQuantity = 0;
    std::optional<Money> OldPrice;
    std::optional<Money> NewPrice;
};

struct PositionComparison {
    int Index = 0; // in the order
    std::string No;
    PositionOutcome Old;
    PositionOutcome New;
    std::vector<ArticleChange> Changes; // ascending article code; empty when either side failed

    // Whether anything differs: an article, the cost or the error.
    bool Differs() const;
};

// The articles whose quantity or price differ between two outcomes.
std::vector<ArticleChange> CompareArticles(const PositionOutcome& oldSide, const PositionOutcome& newSide);

// Every position of the order (or only those whose No equals `pos`, ignoring
// case) recalculated with both contexts.
std::vector<PositionComparison> CompareOrder(const EngineContext& oldCtx, const EngineContext& newCtx,
                                             TkvfOrder& order, const std::optional<std::string>& pos = {});

// The order's total with VAT when each position costs what `side` of its
// comparison says (a position not compared keeps its stored cost).
Money OrderTotalWith(TkvfOrder& order, const std::vector<PositionComparison>& positions, bool newSide);

} // namespace kvf

#include "engine/order_compare.h"

#include "base/text.h"
#include "base/typed_stream.h"
#include "engine/order_recalc.h"
#include "model/construction.h"
#include "model/order.h"

#include <algorithm>
#include <exception>

namespace kvf {

namespace {

bool byCode(const ArticleTotal& a, const ArticleTotal& b) {
    return compareAnsi(a.ID, b.ID) < 0;
}

// The material lists of both sashes, one line per article; the first line of
// an article fixes its price, as in an order's combined list.
std::vector<ArticleTotal> articleTotals(const TkvfConstruction& position) {
    std::vector<ArticleTotal> totals;
    for (const TkvfFlugel* sash : {&position.LeftFlugel, &position.RightFlugel})
        for (const auto& line : sash->MatList) {
            auto found = std::find_if(totals.begin(), totals.end(),
                                      [&](const ArticleTotal& t) { return t.ID == line->ID; });
            if (found != totals.end())
                found->Quantity += line->Quantity;
            else
                totals.push_back({line->ID, line->Quantity, line->Price});
        }
    std::stable_sort(totals.begin(), totals.end(), byCode);
    return totals;
}

} // namespace

PositionOutcome RecalcAside(const EngineContext& ctx, TkvfConstruction& position) {
    PositionOutcome outcome;
    TSpecStream backup;
    position.Backup(backup);
    try {
        ReapplyFurn(ctx, position);
        outcome.Articles = articleTotals(position);
        outcome.Cost = position.Cost;
    } catch (const std::exception& e) {
        outcome.Error = e.what();
    }
    position.Restore(backup);
    if (!outcome.Error.empty())
        outcome.Cost = position.Cost;
    return outcome;
}

std::vector<ArticleChange> CompareArticles(const PositionOutcome& oldSide, const PositionOutcome& newSide) {
    std::vector<ArticleChange> changes;
    auto o = oldSide.Articles.begin();
    auto n = newSide.Articles.begin();
    while (o != oldSide.Articles.end() || n != newSide.Articles.end()) {
        const int order = o == oldSide.Articles.end()   ? 1
                          : n == newSide.Articles.end() ? -1
                                                        : compareAnsi(o->ID, n->ID);
        ArticleChange change;
        if (order <= 0) {
            change.ID = o->ID;
            change.OldQuantity = o->Quantity;
            change.OldPrice = o->Price;
            ++o;
        }
        if (order >= 0) {
            change.ID = n->ID;
            change.NewQuantity = n->Quantity;
            change.NewPrice = n->Price;
            ++n;
        }
        if (change.OldQuantity != change.NewQuantity || change.OldPrice != change.NewPrice)
            changes.push_back(change);
    }
    return changes;
}

bool PositionComparison::Differs() const {
    return !Changes.empty() || Old.Error != New.Error || Old.Cost != New.Cost;
}

std::vector<PositionComparison> CompareOrder(const EngineContext& oldCtx, const EngineContext& newCtx,
                                             TkvfOrder& order, const std::optional<std::string>& pos) {
    std::vector<PositionComparison> result;
    for (int i = 0; i < order.Count(); ++i) {
        TkvfConstruction& position = order.Position(i);
        if (pos && !SameText(position.No, *pos))
            continue;
        PositionComparison& c = result.emplace_back();
        c.Index = i;
        c.No = position.No;
        c.Old = RecalcAside(oldCtx, position);
        c.New = RecalcAside(newCtx, position);
        if (c.Old.Error.empty() && c.New.Error.empty())
            c.Changes = CompareArticles(c.Old, c.New);
    }
    return result;
}

Money OrderTotalWith(TkvfOrder& order, const std::vector<PositionComparison>& positions, bool newSide) {
    std::vector<Money> stored;
    for (int i = 0; i < order.Count(); ++i)
        stored.push_back(order.Position(i).Cost);
    for (const PositionComparison& c : positions)
        order.Position(c.Index).Cost = newSide ? c.New.Cost : c.Old.Cost;
    const Money total = order.TotalWithNDS();
    for (int i = 0; i < order.Count(); ++i)
        order.Position(i).Cost = stored[i];
    return total;
}

} // namespace kvf

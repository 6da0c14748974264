#pragma once
// The complect computation: walks a complect's element rows (FrnSet), keeps the
// rows whose conditions the sash meets, finds each kept element's article and
// adds it to the sash's composition; composite elements add their parts.

#include "engine/article_filter.h"
#include "engine/engine_context.h"

#include <string>
#include <vector>

namespace kvf {

class TkvfFlugel;
class TkvfFurnComp;
struct ArticleResult;
struct SashTrace;
struct TraceComplect;
struct TraceRow;

// The sash's values, prepared once by the composition pass for all its complects.
struct SashValues {
    TkvfFlugel* Sash = nullptr;
    TkvfFurnComp* Comp = nullptr;   // the sash's composition: colour, strike-plate system, properties
    TkvfFlugel* Adjacent = nullptr; // the other sash of a pair; nullptr for a single sash
    int FFB = 0;                    // rebate width and height, centimetres
    int FFH = 0;
    int Direction = 0; // Direct of the main complect
    int StulpType = 0; // the sash's double-sash type code t
    double ProfWidthValue = 100;
    std::string OuterColor; // the order's profile colours
    std::string InnerColor;
    FittingParams Params;
    SashTrace* Trace = nullptr; // where the pass records what it does; nullptr when nobody asked
};

// Component slots: 0 complect, 1 handle, 2 hinge, 3 lock, 4 cylinder, 5 drive, 6 latch.
// `userHeight`: the composition's user handle height applies (slot 0 of the
// main complect only). Raises KvfError with the catalog's or the sash's fault;
// the filter on FrnSet is gone when this returns, whichever way. With `trace`
// the complect's name and every row walked are recorded into it.
void ComputeComplect(const EngineContext& ctx, const SashValues& values, const std::string& complectId,
                     int slot, bool userHeight, TraceComplect* trace = nullptr);

// Adds the parts (FrnItoI) of a composite element `count` times, with the
// strike-plate system `profSys`; an element without parts adds nothing. With
// `trace` every part walked is recorded into it.
void ExpandComposite(const EngineContext& ctx, const SashValues& values, const std::string& elementId,
                     const std::string& complectId, int count, const std::string& profSys, int slot,
                     int sideNo, std::vector<TraceRow>* trace = nullptr);

// Records on a traced row the article a search gave and what became of it:
// `added` is what AddItem returned, `present` the number of items before it.
void RecordAddition(TraceRow& row, const ArticleResult& article, int added, size_t present);

// The colour an element row asks for by its ColorCondition: 1 outer, 2 inner,
// 3 outer for opening type 1 and inner otherwise, anything else the fittings colour.
std::string ConditionColor(int colorCondition, const SashValues& values);

} // namespace kvf

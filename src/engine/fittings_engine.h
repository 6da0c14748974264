#pragma once
// FittingsEngine: the composition pass of a sash. It prepares the sash's
// values once, runs the complect computation for the main complect, each
// chosen part and each additional complect, then adds what the items bring
// with them (strike plates, colour accessories, accessories), drops items of
// count 0 and sorts the rest by article code.

#include "engine/engine_context.h"
#include "model/composition_pass.h"

#include <string>

namespace kvf {

class TkvfConstruction;
struct SashTrace;

class FittingsEngine : public CompositionPass {
public:
    explicit FittingsEngine(EngineContext ctx) : ctx_(ctx) {}

    // False when the composition belongs to no sash of a position. Raises
    // KvfError with the message of the first fault; every filter the pass set
    // is gone by then.
    bool ComputeComposition(TkvfFurnComp& comp) override;

    // The system-group rule of a strike plate: whether an element of group
    // `commonGrp` (not 0) applies to the fittings system `furnSys`.
    static bool StrikePlateGroupApplies(int commonGrp, const std::string& furnSys);

private:
    bool compute(TkvfFurnComp& comp, TkvfConstruction& construction, SashTrace* trace);

    EngineContext ctx_;
};

} // namespace kvf

#pragma once
// CompositionPass: computes the items of a sash's fittings composition from
// its choice. The engine implements it; the model calls it from
// TkvfFurnComp::Recalculate and tests give small fakes.

namespace kvf {

class TkvfFurnComp;

class CompositionPass {
public:
    virtual ~CompositionPass() = default;

    // Adds the items of the composition's choice with AddItem, removes items of
    // count 0 and sorts the rest by ID. Returns false when there is nothing to
    // compute; raises KvfError when the computation fails.
    virtual bool ComputeComposition(TkvfFurnComp& comp) = 0;
};

} // namespace kvf

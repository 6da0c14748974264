#pragma once
// EngineContext: what one fittings computation works with, handed in by the
// caller: the catalog data module with its shared tables, the catalog lookups
// (AddItem of the model asks them whether an article is virtual), the
// prompter for the alternatives list, and the debug flag of the settings
// (items are never merged while it is on). With a trace the composition pass
// records into it what it did and why.

namespace kvf {

struct CompositionTrace;
class CatalogLookups;
class Prompter;
class TDM;

struct EngineContext {
    TDM& Data;
    CatalogLookups& Lookups;
    Prompter& prompter;
    bool Debug = false;
    CompositionTrace* Trace = nullptr;
};

} // namespace kvf

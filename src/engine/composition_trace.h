#pragma once
// CompositionTrace: what the composition pass did and why, recorded by the
// pass itself as it works. The caller hands a trace in through the
// EngineContext; without one the pass records nothing and builds no text for it.
// Per sash: the values it was computed with, every element row of every
// complect walked (taken, or the first condition that refused it with the
// values compared), each article search (filter, candidates, the one taken),
// and every rule of the strike-plate, colour accessory and accessory passes.

#include <optional>
#include <string>
#include <vector>

namespace kvf {

// The values a sash is computed with.
struct TraceParameters {
    int FFB = 0; // rebate width and height, centimetres
    int FFH = 0;
    std::string FurnSys;
    std::string ProfSys;
    std::string Color;
    int Falz = 0; // rebate code and its parameters
    int FalzLuft = 0;
    int FalzSize = 0;
    int FalzPos = 0;
    int Dorn = 0; // backset code and its value
    double DornMass = 0;
    int StulpCode = 0; // the position's double-sash code and the type t it gives
    int StulpType = 0;
    int Direction = 0; // Direct of the main complect
    int OpenCode = 0;  // the position's opening code and its type
    int OpenType = 0;
    float ProfWidth = 0;
    float Thickness = 0;
};

// One element row of a complect, one part of a composite element, or one rule
// of an accessory pass.
struct TraceRow {
    int Row = 0;         // from 1, in the order walked
    std::string Element; // the fittings element; empty for accessory rules, which name an article
    bool Taken = false;
    std::string Reason;                // why not taken; empty when taken
    std::optional<std::string> Filter; // the article filter finally in force, when articles were searched
    std::optional<int> Candidates;     // the articles that passed it
    std::string Article;               // the article added; empty when none
    bool Chosen = false;               // a person chose it from the alternatives list
    bool Merged = false;               // its count went into an equal item already present
    int Count = 0;
    std::string CountFrom; // the values the count came from
    float Length = 0;
    std::string LengthFrom;      // the formula and its value; empty when no length is computed
    std::vector<TraceRow> Parts; // the parts of a composite element
};

// One complect or part computed for a sash.
struct TraceComplect {
    std::string Slot; // "Complect", "HandlePart", "Hinge", "Lock", "Cylinder", "Drive", "Latch", "Additional"
    std::string ID;
    std::string Name;
    std::vector<TraceRow> Rows;
};

// A rule of the passes after the complects, applied to one item present.
struct TraceAccessory {
    std::string Pass; // "StrikePlate", "ColorAccessory", "Accessory"
    std::string Item; // the article of the item visited
    int ItemCount = 0;
    TraceRow Rule;
};

struct SashTrace {
    int Sash = 1; // 1 the left or only sash, 2 the right one
    TraceParameters Parameters;
    std::vector<TraceComplect> Complects;
    std::vector<TraceAccessory> Accessories;
    std::string Error; // the message that ended the computation; empty when it completed
};

struct CompositionTrace {
    std::vector<SashTrace> Sashes; // in the order computed

    // A fresh trace of sash `sash`, replacing an earlier one of the same sash.
    SashTrace& Begin(int sash);
    // The trace of sash `sash`; nullptr when it was not computed.
    const SashTrace* Find(int sash) const;
};

// A number as the trace shows it: whole numbers without decimals, others with
// up to two ("1403.57").
std::string TraceNumber(double value);

} // namespace kvf

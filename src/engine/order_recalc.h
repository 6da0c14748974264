#pragma once
// Recalculation of an order's positions: each position's stored fittings
// choice is applied again, as the fittings dialog's OK applies it, so its
// compositions and prices follow the current catalog.

#include "engine/engine_context.h"
#include "model/furn_comp.h"

namespace kvf {

class TkvfConstruction;
class TkvfFlugel;
class TkvfOrder;

// The choice stored on a sash's composition with the sash's backset; an empty
// choice (with the backset) when the sash has no composition.
TkvfFurnChoice StoredChoice(const TkvfFlugel& sash);

// SetFurn of the position with its own system, colour, rebate, double-sash and
// opening codes, profile width and thickness and each sash's stored choice.
void ReapplyFurn(const EngineContext& ctx, TkvfConstruction& position);

// For every position in order: a backup, then ReapplyFurn (or only RecalcCost
// with `pricesOnly`). The first error restores that position from its backup
// and is raised as "%s\r\n[Позиция: %s]" (the message and the position's No);
// positions before it keep their new values.
void RecalcOrder(const EngineContext& ctx, TkvfOrder& order, bool pricesOnly);

} // namespace kvf

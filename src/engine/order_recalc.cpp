#include "engine/order_recalc.h"

#include "base/error.h"
#include "base/typed_stream.h"
#include "catalog/catalog_lookups.h"
#include "engine/fittings_engine.h"
#include "model/construction.h"
#include "model/flugel.h"
#include "model/order.h"

namespace kvf {

TkvfFurnChoice StoredChoice(const TkvfFlugel& sash) {
    TkvfFurnChoice choice;
    choice.Dorn = sash.Dorn;
    if (!sash.FurnComp)
        return choice;
    const TkvfFurnComp& comp = *sash.FurnComp;
    choice.Complect = comp.Complect;
    choice.Hinge = comp.Hinge;
    choice.HandlePart = comp.HandlePart;
    choice.Lock = comp.Lock;
    choice.Cylinder = comp.Cylinder;
    choice.Drive = comp.Drive;
    choice.Latch = comp.Latch;
    choice.UserHandleHeight = comp.UserHandleHeight;
    choice.UserHandleHeightSet = comp.UserHandleHeightSet;
    choice.Properties = comp.Properties;
    choice.DopComplects = comp.DopComplects;
    return choice;
}

void ReapplyFurn(const EngineContext& ctx, TkvfConstruction& position) {
    FittingsEngine engine(ctx);
    const TkvfFurnChoice left = StoredChoice(position.LeftFlugel);
    const TkvfFurnChoice right = StoredChoice(position.RightFlugel);
    position.SetFurn(ctx.Lookups, engine, position.FurnSys, position.ProfSys, position.Color, position.Falz,
                     position.StulpType, position.OpenType, position.ProfWidth, position.Thickness, left,
                     right);
}

void RecalcOrder(const EngineContext& ctx, TkvfOrder& order, bool pricesOnly) {
    for (int i = 0; i < order.Count(); ++i) {
        TkvfConstruction& position = order.Position(i);
        TSpecStream backup;
        position.Backup(backup);
        try {
            if (pricesOnly)
                position.RecalcCost(ctx.Lookups);
            else
                ReapplyFurn(ctx, position);
        } catch (const std::exception& e) {
            position.Restore(backup);
            throw KvfError(std::string(e.what()) + "\r\n[Позиция: " + position.No + "]");
        }
    }
}

} // namespace kvf

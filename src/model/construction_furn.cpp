// Fittings and money of a position.

#include "model/construction.h"
#include "model/model_catalog.h"

namespace kvf {

void TkvfConstruction::SetFurn(ModelCatalog& catalog, CompositionPass& pass, const std::string& furnSys,
                               const std::string& profSys, const std::string& color, std::int32_t falz,
                               std::int32_t stulpType, std::int32_t openType, float profWidth,
                               float thickness, const TkvfFurnChoice& left, const TkvfFurnChoice& right) {
    FurnSys = furnSys;
    ProfSys = profSys;
    Color = color;
    Falz = falz;
    StulpType = stulpType;
    OpenType = openType;
    ProfWidth = profWidth;
    Thickness = thickness;
    // The main sash first, so that the secondary one is judged against its new system.
    if (ConstrType == 2) {
        LeftFlugel.SetFurn(catalog, pass, FurnSys, ProfSys, Color, left);
        ClearFurnOf(2);
    } else if (ConstrType == 1) {
        RightFlugel.SetFurn(catalog, pass, FurnSys, ProfSys, Color, right);
        LeftFlugel.SetFurn(catalog, pass, FurnSys, ProfSys, Color, left);
    } else {
        LeftFlugel.SetFurn(catalog, pass, FurnSys, ProfSys, Color, left);
        RightFlugel.SetFurn(catalog, pass, FurnSys, ProfSys, Color, right);
    }
    RecalcCost(catalog);
}

void TkvfConstruction::SetFurnPreview(ModelCatalog& catalog, const TkvfFurnChoice& left,
                                      const TkvfFurnChoice& right) {
    LeftFlugel.SetFurnPreview(catalog, left);
    if (ConstrType == 2)
        ClearFurnOf(2);
    else
        RightFlugel.SetFurnPreview(catalog, right);
}

void TkvfConstruction::ClearFurnOf(int k) {
    (k == 1 ? LeftFlugel : RightFlugel).FurnComp.reset();
}

void TkvfConstruction::ListFittingNames(ModelCatalog& catalog, std::vector<std::string>& list) const {
    for (const TkvfFlugel* sash : {&LeftFlugel, &RightFlugel}) {
        if (sash->FurnComp == nullptr)
            continue;
        const TkvfFurnComp& comp = *sash->FurnComp;
        for (const std::string* id :
             {&comp.Complect, &comp.HandlePart, &comp.Hinge, &comp.Cylinder, &comp.Drive}) {
            if (id->empty())
                continue;
            std::string name;
            catalog.TryGetComplectName(*id, name);
            list.push_back(name);
        }
    }
}

TkvfFurnComp* TkvfConstruction::FirstComp() {
    compIterationArmed_ = ConstrType != 2;
    return LeftFlugel.FurnComp.get();
}

TkvfFurnComp* TkvfConstruction::NextComp() {
    const bool armed = compIterationArmed_;
    compIterationArmed_ = false;
    return armed && ConstrType != 2 ? RightFlugel.FurnComp.get() : nullptr;
}

void TkvfConstruction::RecalcCost(ModelCatalog& catalog) {
    Cost = Money();
    for (TkvfFlugel* sash : {&LeftFlugel, &RightFlugel}) {
        sash->BuildMatList(catalog);
        Cost += sash->MatListTotal();
    }
}

Money TkvfConstruction::PositionTotal() const {
    return Cost.MulRound(Number);
}

void TkvfConstruction::AddMatListTo(TkvfMatList* list, Prompter* prompter) const {
    LeftFlugel.AddMatListTo(list, Number, prompter);
    RightFlugel.AddMatListTo(list, Number, prompter);
}

} // namespace kvf

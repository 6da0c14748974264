// Fittings and material list of a sash.

#include "model/construction.h"
#include "model/flugel.h"
#include "model/model_catalog.h"

namespace kvf {

namespace {

// Runs set on the sash's composition, making one first where there is none;
// a composition made here is cleared again when set fails.
template <class Set> void withFurnComp(TkvfFlugel& sash, Set set) {
    const bool created = sash.FurnComp == nullptr;
    if (created)
        sash.FurnComp = std::make_unique<TkvfFurnComp>(&sash);
    try {
        set(*sash.FurnComp);
    } catch (...) {
        if (created)
            sash.ClearFurn();
        throw;
    }
}

} // namespace

void TkvfFlugel::SetFurn(ModelCatalog& catalog, CompositionPass& pass, const std::string& furnSys,
                         const std::string& profSys, const std::string& color, const TkvfFurnChoice& choice) {
    if (choice.Empty()) {
        ClearFurn();
        return;
    }
    withFurnComp(*this, [&](TkvfFurnComp& comp) {
        Dorn = choice.Dorn;
        comp.SetChoice(catalog, pass, furnSys, profSys, color, choice);
        CheckSecondary();
    });
}

void TkvfFlugel::SetFurnPreview(ModelCatalog& catalog, const TkvfFurnChoice& choice) {
    if (choice.PartsEmpty()) {
        ClearFurn();
        return;
    }
    withFurnComp(*this, [&](TkvfFurnComp& comp) { comp.SetChoicePreview(catalog, choice); });
}

void TkvfFlugel::ClearFurn() {
    if (FurnComp != nullptr) {
        FurnComp.reset();
        for (auto& line : Lines) {
            line->Opening = false;
            line->RotSideIndex = -1;
            line->Handled = false;
            line->Banded = false;
            line->Drived = false;
        }
    }
    CheckSecondary();
}

void TkvfFlugel::CheckSecondary() {
    if (Construction == nullptr || Construction->ConstrType == 2)
        return;
    TkvfFlugel& secondary =
        Construction->ConstrType == 0 ? Construction->RightFlugel : Construction->LeftFlugel;
    if (secondary.FurnComp == nullptr)
        return;
    if (FurnComp != nullptr && FurnComp->FurnSys == secondary.FurnComp->FurnSys)
        return;
    secondary.ClearFurn();
}

void TkvfFlugel::BuildMatList(ModelCatalog& catalog) {
    MatList.clear();
    if (FurnComp == nullptr)
        return;
    for (const auto& item : FurnComp->Items) {
        auto m = std::make_unique<TkvfMatListItem>();
        m->ID = item->ID;
        m->Quantity = item->Length > 0
                          ? static_cast<float>(static_cast<long double>(item->Length) * item->Count / 1000)
                          : static_cast<float>(item->Count);
        const Money price = catalog.GetArticlePrice(m->ID, false);
        m->CatalogPrice = price;
        m->Price = price;
        m->UpdateCost();
        MatList.push_back(std::move(m));
    }
}

Money TkvfFlugel::MatListTotal() const {
    Money total;
    for (const auto& m : MatList)
        total += m->Cost;
    return total;
}

void TkvfFlugel::AddMatListTo(TkvfMatList* list, std::int32_t factor, Prompter* prompter) const {
    if (list == nullptr)
        return;
    for (const auto& m : MatList) {
        const long double added = static_cast<long double>(m->Quantity) * factor;
        if (TkvfMatListItem* target = FindInList(*list, *m)) {
            target->Quantity = static_cast<float>(target->Quantity + added);
            target->UpdateCost();
        } else {
            auto copy = std::make_unique<TkvfMatListItem>();
            copy->CopyFrom(*m, prompter);
            copy->Quantity = static_cast<float>(added);
            copy->UpdateCost();
            list->push_back(std::move(copy));
        }
    }
}

} // namespace kvf

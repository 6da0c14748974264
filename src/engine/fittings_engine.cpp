#include "engine/fittings_engine.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/rounding.h"
#include "base/text.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "engine/article_selection.h"
#include "engine/complect_computation.h"
#include "model/construction.h"
#include "model/flugel.h"
#include "model/furn_comp.h"
#include "model/order.h"

#include <algorithm>

namespace kvf {

namespace {

// What a pass needs of one item, read when the pass visits it: an item that
// an earlier visit merged counts into brings the accessories of all its pieces.
struct VisitedItem {
    std::string ID;
    int Count = 0;
    std::string ParentComplect;
    int SideNo = 0;
    std::string Comment;
    std::string History;
};

// The item at `index`, copied: a visit may append items and so move the list.
// A pass visits the items present when it starts, by index; items it appends
// are not visited.
VisitedItem visit(const TkvfFurnComp& comp, size_t index) {
    const TkvfFurnItem& item = *comp.Items[index];
    return {item.ID, item.Count, item.ParentComplect, item.SideNo, item.Comment, item.History};
}

// The filter of the strike-plate and accessory passes for one item.
std::string sideComplectFilter(const VisitedItem& item, int stulpType) {
    return "CatalogID = " + QuoteFilterText(item.ID) + " and (StulpType=" + std::to_string(stulpType) +
           " or StulpType=0) and (ItemSideNo=" + std::to_string(item.SideNo) +
           " or ItemSideNo=0) and (ItemComplectID=" + QuoteFilterText(item.ParentComplect) +
           " or ItemComplectID='')";
}

void strikePlatePass(const EngineContext& ctx, const SashValues& values) {
    TkvfFurnComp& comp = *values.Comp;
    Table& plates = ctx.Data.T_FrnSchl;
    for (size_t i = 0, n = comp.Items.size(); i < n; ++i) {
        const VisitedItem item = visit(comp, i);
        if (!plates.FindKey({Value(item.ID)}))
            continue;
        FilterScope scope(plates, sideComplectFilter(item, values.StulpType));
        for (plates.First(); !plates.Eof(); plates.Next()) {
            if (!ctx.Lookups.PropKeyAllows(static_cast<int>(plates.AsInteger("PropKey")), comp.Properties, 0))
                continue;
            const std::string element = plates.AsString("Item");
            Table& elements = ctx.Data.T_FrnItem;
            if (elements.FindKey({Value(element)})) {
                const int group = static_cast<int>(elements.AsInteger("CommonGrp"));
                if (group != 0 && !FittingsEngine::StrikePlateGroupApplies(group, comp.FurnSys))
                    continue;
            }
            const int number = static_cast<int>(plates.AsInteger("Number"));
            ArticleRequest request;
            request.ElementID = element;
            request.ComplectName = "Подбор ответных планок";
            request.ProfSys = comp.ProfSys;
            request.Required = true;
            request.Direction = values.Direction;
            request.StulpType = values.StulpType;
            request.ProfWidthValue = 0;
            request.Params = values.Params;
            const ArticleResult article = SelectArticle(ctx, request);
            if (article.Found)
                comp.AddItem(ctx.Lookups, article.Article, item.ParentComplect, item.SideNo,
                             number * item.Count, item.Comment, 0, ctx.Debug,
                             item.History + " -> Элемент:" + element + " -> Артикул:" + article.Article);
        }
    }
}

void addAccessory(const EngineContext& ctx, TkvfFurnComp& comp, const Table& rows, const VisitedItem& item) {
    const std::string accessory = rows.AsString("AccessoryID");
    comp.AddItem(ctx.Lookups, accessory, item.ParentComplect, item.SideNo,
                 static_cast<int>(rows.AsInteger("Number")) * item.Count, item.Comment, 0, ctx.Debug,
                 item.History + " -> Артикул:" + accessory);
}

void colourAccessoryPass(const EngineContext& ctx, TkvfFurnComp& comp) {
    Table& rows = ctx.Data.T_FrnAbd;
    for (size_t i = 0, n = comp.Items.size(); i < n; ++i) {
        const VisitedItem item = visit(comp, i);
        if (!rows.FindKey({Value(item.ID)}))
            continue;
        const std::string sides = " and (ItemSideNo=" + std::to_string(item.SideNo) + " or ItemSideNo=0)";
        const std::string article = "CatalogID = " + QuoteFilterText(item.ID) + " and Color=";
        FilterScope scope(rows, article + QuoteFilterText(comp.Color) + sides);
        if (rows.IsEmpty())
            rows.SetFilter(article + "''" + sides);
        for (rows.First(); !rows.Eof(); rows.Next())
            addAccessory(ctx, comp, rows, item);
    }
}

void accessoryPass(const EngineContext& ctx, const SashValues& values) {
    TkvfFurnComp& comp = *values.Comp;
    Table& rows = ctx.Data.T_FrnDop;
    for (size_t i = 0, n = comp.Items.size(); i < n; ++i) {
        const VisitedItem item = visit(comp, i);
        if (!rows.FindKey({Value(item.ID)}))
            continue;
        FilterScope scope(rows, sideComplectFilter(item, values.StulpType));
        for (rows.First(); !rows.Eof(); rows.Next())
            if (ctx.Lookups.PropKeyAllows(static_cast<int>(rows.AsInteger("PropKey")), comp.Properties, 0))
                addAccessory(ctx, comp, rows, item);
    }
}

// Items of count 0 go; the rest in ascending Windows-1251 byte order of ID.
void tidy(TkvfFurnComp& comp) {
    auto& items = comp.Items;
    items.erase(std::remove_if(items.begin(), items.end(), [](const auto& item) { return item->Count == 0; }),
                items.end());
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return compareAnsi(a->ID, b->ID) < 0; });
}

} // namespace

bool FittingsEngine::StrikePlateGroupApplies(int commonGrp, const std::string& furnSys) {
    const long long g = StrToIntDef(furnSys, commonGrp);
    if (commonGrp % 100 != 0)
        return commonGrp == g;
    return g / 100 * 100 == commonGrp;
}

bool FittingsEngine::ComputeComposition(TkvfFurnComp& comp) {
    TkvfFlugel* sash = comp.Flugel;
    if (sash == nullptr || sash->Construction == nullptr)
        return false;
    TkvfConstruction& construction = *sash->Construction;

    SashValues values;
    values.Sash = sash;
    values.Comp = &comp;
    if (construction.ConstrType == 0 || construction.ConstrType == 1)
        values.Adjacent = sash->OtherFlugel();

    FittingParams& params = values.Params;
    params.ProfWidth = construction.ProfWidth;
    params.Thickness = construction.Thickness;
    CatalogLookups& lookups = ctx_.Lookups;
    const FalzParams falz = lookups.GetFalzParams(construction.Falz, true);
    params.FalzLuft = falz.FalzLuft;
    params.FalzSize = falz.FalzSize;
    params.FalzPos = falz.FalzPos;
    params.DornMass = lookups.GetDornMass(sash->Dorn, true);
    params.OpenType = lookups.GetOpenType(construction.OpenType, true);
    if (!(params.DornMass > 0))
        throw KvfError("Не определена величина 'Дормасс'!");
    if (params.FalzLuft < 1 || params.FalzSize < 1 || params.FalzPos < 1)
        throw KvfError("В документации не установлены\r\nпараметры фальца " +
                       std::to_string(params.FalzLuft) + "/" + std::to_string(params.FalzSize) + "-" +
                       std::to_string(params.FalzPos) + "!");

    Table& complects = ctx_.Data.T_FrnComp;
    if (comp.Complect.empty() || !complects.FindKey({Value(comp.Complect)}))
        throw KvfError("Комплект фурнитуры [" + comp.Complect + "] не найден в документации!");
    values.Direction = static_cast<int>(complects.AsInteger("Direct"));
    values.StulpType = construction.ConstrType == 2 ? 6 : lookups.GetStulpType(construction.StulpType, true);

    std::int32_t width = 0;
    std::int32_t height = 0;
    sash->GetSize(width, height);
    values.FFB = RoundAway(static_cast<long double>(width) / 10);
    values.FFH = RoundAway(static_cast<long double>(height) / 10);
    values.ProfWidthValue = 100;
    if (construction.Order != nullptr) {
        values.OuterColor = construction.Order->OuterProfColor;
        values.InnerColor = construction.Order->InnerProfColor;
    }

    const std::string* slots[] = {&comp.Complect, &comp.HandlePart, &comp.Hinge, &comp.Lock,
                                  &comp.Cylinder, &comp.Drive,      &comp.Latch};
    for (int slot = 0; slot < 7; ++slot)
        if (!slots[slot]->empty())
            ComputeComplect(ctx_, values, *slots[slot], slot, slot == 0 && comp.UserHandleHeightSet);
    const std::vector<std::string> additional = comp.DopComplects;
    for (const std::string& id : additional)
        if (!id.empty())
            ComputeComplect(ctx_, values, id, 0, false);

    strikePlatePass(ctx_, values);
    colourAccessoryPass(ctx_, comp);
    accessoryPass(ctx_, values);
    tidy(comp);
    return true;
}

} // namespace kvf

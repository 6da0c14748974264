#include "engine/fittings_engine.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/rounding.h"
#include "base/text.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "engine/article_selection.h"
#include "engine/complect_computation.h"
#include "engine/composition_trace.h"
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

// A traced rule of a pass for the item visited; nullptr when nobody asked.
TraceRow* traceRule(const SashValues& values, const char* pass, const VisitedItem& item) {
    if (values.Trace == nullptr)
        return nullptr;
    TraceAccessory& rule = values.Trace->Accessories.emplace_back();
    rule.Pass = pass;
    rule.Item = item.ID;
    rule.ItemCount = item.Count;
    rule.Rule.Row = static_cast<int>(values.Trace->Accessories.size());
    return &rule.Rule;
}

// AddItem for a rule of a pass, recorded on its traced row.
void addByRule(const EngineContext& ctx, TkvfFurnComp& comp, TraceRow* row, const ArticleResult& article,
               const VisitedItem& item, int number, const std::string& history) {
    const size_t present = comp.Items.size();
    const int count = number * item.Count;
    const int added = article.Found ? comp.AddItem(ctx.Lookups, article.Article, item.ParentComplect,
                                                   item.SideNo, count, item.Comment, 0, ctx.Debug, history)
                                    : -1;
    if (row != nullptr) {
        row->Count = count;
        row->CountFrom = "Number " + std::to_string(number) + " × " + std::to_string(item.Count);
        RecordAddition(*row, article, added, present);
    }
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
            const std::string element = plates.AsString("Item");
            TraceRow* row = traceRule(values, "StrikePlate", item);
            if (row != nullptr)
                row->Element = element;
            const int propKey = static_cast<int>(plates.AsInteger("PropKey"));
            if (!ctx.Lookups.PropKeyAllows(propKey, comp.Properties, 0)) {
                if (row != nullptr)
                    row->Reason = "PropKey " + std::to_string(propKey) + ": свойство не выбрано";
                continue;
            }
            Table& elements = ctx.Data.T_FrnItem;
            if (elements.FindKey({Value(element)})) {
                const int group = static_cast<int>(elements.AsInteger("CommonGrp"));
                if (group != 0 && !FittingsEngine::StrikePlateGroupApplies(group, comp.FurnSys)) {
                    if (row != nullptr)
                        row->Reason =
                            "CommonGrp " + std::to_string(group) + " не подходит к системе " + comp.FurnSys;
                    continue;
                }
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
            const ArticleResult article = SelectArticle(ctx, request, row);
            addByRule(ctx, comp, row, article, item, number,
                      item.History + " -> Элемент:" + element + " -> Артикул:" + article.Article);
        }
    }
}

void addAccessory(const EngineContext& ctx, TkvfFurnComp& comp, const Table& rows, const VisitedItem& item,
                  TraceRow* row) {
    ArticleResult accessory;
    accessory.Found = true;
    accessory.Article = rows.AsString("AccessoryID");
    addByRule(ctx, comp, row, accessory, item, static_cast<int>(rows.AsInteger("Number")),
              item.History + " -> Артикул:" + accessory.Article);
}

void colourAccessoryPass(const EngineContext& ctx, const SashValues& values) {
    TkvfFurnComp& comp = *values.Comp;
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
        for (rows.First(); !rows.Eof(); rows.Next()) {
            TraceRow* row = traceRule(values, "ColorAccessory", item);
            if (row != nullptr)
                row->Filter = rows.Filter();
            addAccessory(ctx, comp, rows, item, row);
        }
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
        for (rows.First(); !rows.Eof(); rows.Next()) {
            TraceRow* row = traceRule(values, "Accessory", item);
            const int propKey = static_cast<int>(rows.AsInteger("PropKey"));
            if (ctx.Lookups.PropKeyAllows(propKey, comp.Properties, 0))
                addAccessory(ctx, comp, rows, item, row);
            else if (row != nullptr)
                row->Reason = "PropKey " + std::to_string(propKey) + ": свойство не выбрано";
        }
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

namespace {

void recordParameters(TraceParameters& t, const SashValues& values, const TkvfConstruction& construction) {
    const TkvfFurnComp& comp = *values.Comp;
    const FittingParams& params = values.Params;
    t.FFB = values.FFB;
    t.FFH = values.FFH;
    t.FurnSys = comp.FurnSys;
    t.ProfSys = comp.ProfSys;
    t.Color = comp.Color;
    t.Falz = construction.Falz;
    t.FalzLuft = params.FalzLuft;
    t.FalzSize = params.FalzSize;
    t.FalzPos = params.FalzPos;
    t.Dorn = values.Sash->Dorn;
    t.DornMass = params.DornMass;
    t.StulpCode = construction.StulpType;
    t.StulpType = values.StulpType;
    t.OpenCode = construction.OpenType;
    t.OpenType = params.OpenType;
    t.ProfWidth = params.ProfWidth;
    t.Thickness = params.Thickness;
}

const char* const kSlotNames[] = {"Complect", "HandlePart", "Hinge", "Lock", "Cylinder", "Drive", "Latch"};

// A traced complect of the sash; nullptr when nobody asked.
TraceComplect* traceComplect(const SashValues& values, const char* slot, const std::string& id) {
    if (values.Trace == nullptr)
        return nullptr;
    TraceComplect& complect = values.Trace->Complects.emplace_back();
    complect.Slot = slot;
    complect.ID = id;
    return &complect;
}

} // namespace

bool FittingsEngine::ComputeComposition(TkvfFurnComp& comp) {
    TkvfFlugel* sash = comp.Flugel;
    if (sash == nullptr || sash->Construction == nullptr)
        return false;
    TkvfConstruction& construction = *sash->Construction;
    if (ctx_.Trace == nullptr)
        return compute(comp, construction, nullptr);
    SashTrace& trace = ctx_.Trace->Begin(sash == &construction.RightFlugel ? 2 : 1);
    try {
        return compute(comp, construction, &trace);
    } catch (const std::exception& e) {
        trace.Error = e.what();
        throw;
    }
}

bool FittingsEngine::compute(TkvfFurnComp& comp, TkvfConstruction& construction, SashTrace* trace) {
    TkvfFlugel* sash = comp.Flugel;
    SashValues values;
    values.Sash = sash;
    values.Comp = &comp;
    values.Trace = trace;
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
    if (trace != nullptr)
        recordParameters(trace->Parameters, values, construction);

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
    if (trace != nullptr)
        trace->Parameters.Direction = values.Direction;

    const std::string* slots[] = {&comp.Complect, &comp.HandlePart, &comp.Hinge, &comp.Lock,
                                  &comp.Cylinder, &comp.Drive,      &comp.Latch};
    for (int slot = 0; slot < 7; ++slot)
        if (!slots[slot]->empty())
            ComputeComplect(ctx_, values, *slots[slot], slot, slot == 0 && comp.UserHandleHeightSet,
                            traceComplect(values, kSlotNames[slot], *slots[slot]));
    const std::vector<std::string> additional = comp.DopComplects;
    for (const std::string& id : additional)
        if (!id.empty())
            ComputeComplect(ctx_, values, id, 0, false, traceComplect(values, "Additional", id));

    strikePlatePass(ctx_, values);
    colourAccessoryPass(ctx_, values);
    accessoryPass(ctx_, values);
    tidy(comp);
    return true;
}

} // namespace kvf

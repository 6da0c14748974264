#include "engine/complect_computation.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/rounding.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "engine/article_selection.h"
#include "engine/element_conditions.h"
#include "engine/scale_count.h"
#include "model/flugel.h"
#include "model/furn_comp.h"

#include <optional>

namespace kvf {

namespace {

// One element row of FrnSet, read once.
struct ElementRow {
    std::string Item, ItemName, UseIfArt, ScaleScheme, LenFormula, Note, AlertIfNoArt;
    int PropKey = 0, Number = 0, ItemSideNo = 0;
    int FFBMin = 0, FFBMax = 0, FFHMin = 0, FFHMax = 0;
    int FFL1No = 0, FFL1Min = 0, FFL1Max = 0, FFL2No = 0, FFL2Min = 0, FFL2Max = 0;
    int FFL21No = 0, FFL21Min = 0, FFL21Max = 0, FFL22No = 0, FFL22Min = 0, FFL22Max = 0;
    int FFANo = 0;
    double FFAMin = 0, FFAMax = 0;
    int FFR1No = 0, FFR1Min = 0, FFR1Max = 0, FFR1Type = 0, FFR2No = 0, FFR2Min = 0, FFR2Max = 0,
        FFR2Type = 0;
    int StulpType = 0, Condition = 0, Side1No = 0, Side2No = 0, AngleNo = 0, ColorCondition = 0;
    int ScaleCondition = 0, ScaleStep = 0, ScaleStart = 0, ScaleNum = 0;
    int UseLen = 0, MinLen = 0, DefineHandleHeight = 0, HandleSideNo = 0, Required = 0;
};

ElementRow readElementRow(const Table& t) {
    auto i = [&](const char* f) { return static_cast<int>(t.AsInteger(f)); };
    ElementRow r;
    r.Item = t.AsString("Item");
    r.ItemName = t.AsString("ItemLookup");
    r.UseIfArt = t.AsString("UseIfArt");
    r.ScaleScheme = t.AsString("ScaleScheme");
    r.LenFormula = t.AsString("LenFormula");
    r.Note = t.AsString("Note");
    r.AlertIfNoArt = t.AsString("AlertIfNoArt");
    r.PropKey = i("PropKey");
    r.Number = i("Number");
    r.ItemSideNo = i("ItemSideNo");
    r.FFBMin = i("FFBMin");
    r.FFBMax = i("FFBMax");
    r.FFHMin = i("FFHMin");
    r.FFHMax = i("FFHMax");
    r.FFL1No = i("FFL1No");
    r.FFL1Min = i("FFL1Min");
    r.FFL1Max = i("FFL1Max");
    r.FFL2No = i("FFL2No");
    r.FFL2Min = i("FFL2Min");
    r.FFL2Max = i("FFL2Max");
    r.FFL21No = i("FFL21No");
    r.FFL21Min = i("FFL21Min");
    r.FFL21Max = i("FFL21Max");
    r.FFL22No = i("FFL22No");
    r.FFL22Min = i("FFL22Min");
    r.FFL22Max = i("FFL22Max");
    r.FFANo = i("FFANo");
    r.FFAMin = t.AsFloat("FFAMin");
    r.FFAMax = t.AsFloat("FFAMax");
    r.FFR1No = i("FFR1No");
    r.FFR1Min = i("FFR1Min");
    r.FFR1Max = i("FFR1Max");
    r.FFR1Type = i("FFR1Type");
    r.FFR2No = i("FFR2No");
    r.FFR2Min = i("FFR2Min");
    r.FFR2Max = i("FFR2Max");
    r.FFR2Type = i("FFR2Type");
    r.StulpType = i("StulpType");
    r.Condition = i("Condition");
    r.Side1No = i("Side1No");
    r.Side2No = i("Side2No");
    r.AngleNo = i("AngleNo");
    r.ColorCondition = i("ColorCondition");
    r.ScaleCondition = i("ScaleCondition");
    r.ScaleStep = i("ScaleStep");
    r.ScaleStart = i("ScaleStart");
    r.ScaleNum = i("ScaleNum");
    r.UseLen = i("UseLen");
    r.MinLen = i("MinLen");
    r.DefineHandleHeight = i("DefineHandleHeight");
    r.HandleSideNo = i("HandleSideNo");
    r.Required = i("Required");
    return r;
}

// The sash geometry the conditions read, sides and corners numbered from 1.
int sideCount(const TkvfFlugel& sash) {
    return static_cast<int>(sash.Lines.size());
}
int cornerCount(const TkvfFlugel& sash) {
    return static_cast<int>(sash.Points.size());
}
bool validSide(const TkvfFlugel& sash, int n) {
    return n >= 1 && n <= sideCount(sash);
}
double sideLength(const TkvfFlugel& sash, int n) {
    return sash.Lines[n - 1]->Length();
}
int sideRadius(const TkvfFlugel& sash, int n) {
    return RoundAway(static_cast<long double>(sash.Lines[n - 1]->Radius1) / 10);
}
ArcKind arcKind(const TkvfFlugel& sash, int n) {
    const TkvfLine& line = *sash.Lines[n - 1];
    if (line.IsSemicircle())
        return ArcKind::Semicircle;
    if (line.IsSegmentArc())
        return ArcKind::Segment;
    if (line.IsEllipticArc())
        return ArcKind::Elliptic;
    return ArcKind::Straight;
}

// The messages of an element row: complect name, element name, then the fault.
class RowMessages {
public:
    RowMessages(const std::string& complectName, const std::string& elementName)
        : prefix_("В БД наборов фурнитуры в комплекте [" + complectName +
                  "]\r\nсодержится элемент фурнитуры [" + elementName + "],\r\n") {}

    [[noreturn]] void Raise(const std::string& tail) const { throw KvfError(prefix_ + tail); }

    [[noreturn]] void SideLengthNumber(int group) const {
        Raise("для которого определены условия установки, зависящие от\r\nдлины стороны, на которую он "
              "устанавливается.\r\nНомер " +
              std::to_string(group) + "-ой расчетной стороны в условиях определен неверно!");
    }
    [[noreturn]] void RadiusNumber(int group) const {
        Raise("для которого определены условия установки, зависящие от\r\nрадиуса стороны, на которую он "
              "устанавливается.\r\nНомер " +
              std::to_string(group) + "-ой расчетной стороны в условиях определен неверно!");
    }
    [[noreturn]] void PrincipleSideNumber(int group) const {
        Raise("который использует принцип расчета, зависящий от\r\nпараметров стороны, на которую он "
              "устанавливается.\r\nНомер " +
              std::to_string(group) + "-ой расчетной стороны определен неверно!");
    }

private:
    std::string prefix_;
};

// Steps 4 to 10 of the walk: whether the row's conditions hold for the sash.
// Raises for side and corner numbers that the sash does not have.
bool rowApplies(const ElementRow& r, const SashValues& v, const RowMessages& msg) {
    const TkvfFlugel& sash = *v.Sash;
    if (!WithinRowRange(r.FFBMin, r.FFBMax, v.FFB) || !WithinRowRange(r.FFHMin, r.FFHMax, v.FFH))
        return false;

    const int lengthGroups[2][3] = {{r.FFL1No, r.FFL1Min, r.FFL1Max}, {r.FFL2No, r.FFL2Min, r.FFL2Max}};
    for (int g = 0; g < 2; ++g) {
        const auto [no, min, max] = lengthGroups[g];
        if (min == 0 && max == 0)
            continue;
        if (!validSide(sash, no))
            msg.SideLengthNumber(g + 1);
        if (!WithinRowRange(min, max, sideLength(sash, no)))
            return false;
    }

    const int radiusGroups[2][4] = {{r.FFR1No, r.FFR1Min, r.FFR1Max, r.FFR1Type},
                                    {r.FFR2No, r.FFR2Min, r.FFR2Max, r.FFR2Type}};
    for (int g = 0; g < 2; ++g) {
        const auto [no, min, max, type] = radiusGroups[g];
        if (!RadiusGroupActive(min, max, type))
            continue;
        if (!validSide(sash, no))
            msg.RadiusNumber(g + 1);
        if (!WithinRowRange(min, max, sideRadius(sash, no)))
            return false;
        if (!ArcMaskAllows(type, arcKind(sash, no)))
            return false;
    }

    if (!(r.FFAMin == 0 && r.FFAMax == 0)) {
        if (r.FFANo < 1 || r.FFANo > cornerCount(sash))
            msg.Raise(
                "для которого определены условия установки, зависящие от\r\nпараметров угла, на который он "
                "устанавливается.\r\nНомер расчетного угла в условиях определен неверно!");
        if (!WithinRowRange(r.FFAMin, r.FFAMax, sash.SideAngle(r.FFANo - 1)))
            return false;
    }

    if (!StulpMaskAllows(r.StulpType, v.StulpType))
        return false;

    const int adjacentGroups[2][3] = {{r.FFL21No, r.FFL21Min, r.FFL21Max},
                                      {r.FFL22No, r.FFL22Min, r.FFL22Max}};
    for (const auto& [no, min, max] : adjacentGroups) {
        if (min == 0 && max == 0)
            continue;
        const std::string topic =
            "для которого определены условия установки, зависящие от\r\nдлины стороны смежной створки.\r\n";
        if (v.Adjacent == nullptr)
            msg.Raise(topic + "Смежная створка не установлена. Установите сначала створку.");
        if (!validSide(*v.Adjacent, no))
            msg.Raise(topic + "Номер стороны смежной створки в условиях определен неверно!");
        if (!WithinRowRange(min, max, sideLength(*v.Adjacent, no)))
            return false;
    }
    return true;
}

// Step 11: the values the calculation principle refers to.
PrincipleValues principleValues(const ElementRow& r, const SashValues& v, const RowMessages& msg) {
    const TkvfFlugel& sash = *v.Sash;
    PrincipleValues p;
    p.Condition = r.Condition;
    p.FFB = v.FFB;
    p.FFH = v.FFH;
    const int c = r.Condition;
    if (c == 4 || c == 6 || c == 8 || c == 10) {
        if (!validSide(sash, r.Side1No))
            msg.PrincipleSideNumber(1);
        p.L1 = sideLength(sash, r.Side1No);
        p.R1 = sideRadius(sash, r.Side1No);
    }
    if (c == 5 || c == 6 || c == 9 || c == 10) {
        if (!validSide(sash, r.Side2No))
            msg.PrincipleSideNumber(2);
        p.L2 = sideLength(sash, r.Side2No);
        p.R2 = sideRadius(sash, r.Side2No);
    }
    if (c == 7) {
        if (r.AngleNo < 1 || r.AngleNo > cornerCount(sash))
            msg.Raise("который использует принцип расчета, зависящий от\r\nугла, на котором он "
                      "устанавливается.\r\nНомер расчетного угла определен неверно!");
        p.A = sash.SideAngle(r.AngleNo - 1);
    }
    return p;
}

// Step 13: the count by ScaleCondition.
int rowCount(const ElementRow& r, const SashValues& v, const RowMessages& msg,
             const std::string& complectName) {
    const TkvfFlugel& sash = *v.Sash;
    double basis = 0;
    bool side = false;
    switch (r.ScaleCondition) {
    case 1:
        basis = v.FFB;
        break;
    case 2:
        basis = v.FFH;
        break;
    case 3:
    case 4: {
        const int group = r.ScaleCondition - 2;
        const int no = group == 1 ? r.Side1No : r.Side2No;
        if (!validSide(sash, no))
            msg.PrincipleSideNumber(group);
        basis = sideLength(sash, no);
        side = true;
        break;
    }
    default:
        return r.Number;
    }
    ScaleRule rule{r.ScaleScheme, r.ScaleStep, r.ScaleStart, r.ScaleNum, r.Number};
    return ScaledCount(rule, basis, side, complectName, r.ItemName);
}

// Step 14: the computed length, 0 unless the row asks for one.
float rowLength(const ElementRow& r, const SashValues& v, const RowMessages& msg) {
    if (r.UseLen != 1 || r.LenFormula.empty())
        return 0;
    double len = 0;
    try {
        len = v.Sash->Evaluate(r.LenFormula);
    } catch (const KvfError& e) {
        msg.Raise("имеющий формулу длины [" + r.LenFormula + "], которую не удается вычислить!\r\n(" +
                  std::string(e.what()) + ")");
    }
    if (r.MinLen > len)
        msg.Raise(
            "имеющий недопустимое расчетное значение длины " + FormatFixed(len, 1) +
            " (Мин. допустимая длина = " + std::to_string(r.MinLen) +
            ")!\r\n(Одна из возможных причин - установлена недопустимая высота ручки при расчете тяги)");
    return static_cast<float>(len);
}

// Places the handle the article defines on the row's handle side, or on the
// sash's first handled side.
void placeHandle(const ElementRow& r, const SashValues& v, const EngineContext& ctx,
                 const std::string& complectId, int height) {
    TkvfFlugel& sash = *v.Sash;
    int index = r.HandleSideNo - 1;
    if (index < 0 || index > sideCount(sash) - 1)
        index = sash.HandledSideIndex();
    if (index < 0)
        return;
    sash.Lines[index]->SetHandle(height, ctx.Lookups.GetSideHandleDirect(complectId, index + 1));
}

bool isVirtualElement(const EngineContext& ctx, const std::string& element) {
    Table& item = ctx.Data.T_FrnItem;
    return item.FindKey({Value(element)}) && item.AsInteger("Virtual") == 1;
}

} // namespace

std::string ConditionColor(int colorCondition, const SashValues& values) {
    switch (colorCondition) {
    case 1:
        return values.OuterColor;
    case 2:
        return values.InnerColor;
    case 3:
        return values.Params.OpenType == 1 ? values.OuterColor : values.InnerColor;
    default:
        return values.Comp->Color;
    }
}

void ComputeComplect(const EngineContext& ctx, const SashValues& values, const std::string& complectId,
                     int slot, bool userHeight) {
    Table& comp = ctx.Data.T_FrnComp;
    if (!comp.FindKey({Value(complectId)}))
        throw KvfError("Комплект фурнитуры [" + complectId + "] не найден в документации!");
    const std::string complectName = comp.AsString("Name");
    if (values.Params.OpenType == 2 && comp.AsInteger("TFlugelAvailable") == 0)
        throw KvfError("Не допускается установка комплекта [" + complectId + "] на T-образную створку!");

    TkvfFurnComp& furn = *values.Comp;
    Table& set = ctx.Data.T_FrnSet;
    FilterScope scope(set, "ID = " + QuoteFilterText(complectId));
    for (set.First(); !set.Eof(); set.Next()) {
        const ElementRow r = readElementRow(set);
        const RowMessages msg(complectName, r.ItemName);
        if (r.Item.empty())
            throw KvfError("В БД наборов фурнитуры в комплекте\r\n[" + complectName +
                           "] содержится пустой элемент!");
        if (!ctx.Lookups.PropKeyAllows(r.PropKey, furn.Properties, slot))
            continue;
        if (!r.UseIfArt.empty()) {
            if (values.Adjacent == nullptr || !values.Adjacent->FurnComp)
                msg.Raise(
                    "для которого определена ссылка на артикул смежной штульповой створки.\r\nКомплект для "
                    "смежной створки еще не определен. Установите сначала комплект на соседнюю створку!");
            if (values.Adjacent->FurnComp->IndexOfID(r.UseIfArt) < 0)
                continue;
        }
        if (!rowApplies(r, values, msg))
            continue;

        const PrincipleValues principle = principleValues(r, values, msg);
        const std::string color = ConditionColor(r.ColorCondition, values);
        const int count = rowCount(r, values, msg, complectName);
        const float length = rowLength(r, values, msg);

        if (!isVirtualElement(ctx, r.Item)) {
            ArticleRequest request;
            request.ElementID = r.Item;
            request.ComplectName = complectName;
            request.ProfSys = furn.ProfSys;
            request.AlertText = r.AlertIfNoArt;
            request.Required = r.Required == 1;
            request.Direction = values.Direction;
            request.StulpType = values.StulpType;
            request.DefineHandleHeight = r.DefineHandleHeight == 1;
            request.ProfWidthValue = values.ProfWidthValue;
            request.Color = color;
            request.Weight = 0;
            request.Params = values.Params;
            request.Principle = principle;
            const ArticleResult article = SelectArticle(ctx, request);
            if (article.Found) {
                if (!userHeight && article.HandleHeight != 0)
                    placeHandle(r, values, ctx, complectId, article.HandleHeight);
                furn.AddItem(
                    ctx.Lookups, article.Article, complectId, r.ItemSideNo, count, r.Note, length, ctx.Debug,
                    "Комплект:" + complectId + " -> Элемент:" + r.Item + " -> Артикул:" + article.Article);
            }
        }
        ExpandComposite(ctx, values, r.Item, complectId, count, furn.ProfSys, slot, r.ItemSideNo);
    }
}

void ExpandComposite(const EngineContext& ctx, const SashValues& values, const std::string& elementId,
                     const std::string& complectId, int count, const std::string& profSys, int slot,
                     int sideNo) {
    Table& parts = ctx.Data.T_FrnItoI;
    FilterScope scope(parts, "ID = " + QuoteFilterText(elementId));
    if (parts.IsEmpty())
        return;
    Table& item = ctx.Data.T_FrnItem;
    if (!item.FindKey({Value(elementId)}))
        throw KvfError("Элемент фурнитуры [" + elementId + "] не найден в документации!");
    const std::string compositeName = item.AsString("Name");

    TkvfFurnComp& furn = *values.Comp;
    for (parts.First(); !parts.Eof(); parts.Next()) {
        const std::string part = parts.AsString("Item");
        if (part.empty())
            throw KvfError("В составе составного элемента [" + compositeName +
                           "] содержится пустой элемент!");
        const int ownSide = static_cast<int>(parts.AsInteger("ItemSideNo"));
        const int side = ownSide != 0 ? ownSide : sideNo;
        if (!ctx.Lookups.PropKeyAllows(static_cast<int>(parts.AsInteger("PropKey")), furn.Properties, slot))
            continue;
        if (!StulpMaskAllows(static_cast<int>(parts.AsInteger("StulpType")), values.StulpType))
            continue;

        ArticleRequest request;
        request.ElementID = part;
        request.ComplectName = compositeName;
        request.ProfSys = profSys;
        request.AlertText = parts.AsString("AlertIfNoArt");
        request.Required = parts.AsInteger("Required") == 1;
        request.Direction = values.Direction;
        request.StulpType = values.StulpType;
        request.ProfWidthValue = values.ProfWidthValue;
        request.Color = ConditionColor(static_cast<int>(parts.AsInteger("ColorCondition")), values);
        request.Params = values.Params;
        const int number = static_cast<int>(parts.AsInteger("Number"));
        const std::string note = parts.AsString("Note");
        const ArticleResult article = SelectArticle(ctx, request);
        if (article.Found)
            furn.AddItem(ctx.Lookups, article.Article, complectId, side, count * number, note, 0, ctx.Debug,
                         "Комплект:" + complectId + " -> Элемент:" + elementId + " -> Элемент:" + part +
                             " -> Артикул:" + article.Article);
    }
}

} // namespace kvf

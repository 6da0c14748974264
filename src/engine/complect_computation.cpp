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

template <typename T> struct RowField {
    const char* Name;
    T ElementRow::*Member;
};

const RowField<int> kIntFields[] = {
    {"PropKey", &ElementRow::PropKey},
    {"Number", &ElementRow::Number},
    {"ItemSideNo", &ElementRow::ItemSideNo},
    {"FFBMin", &ElementRow::FFBMin},
    {"FFBMax", &ElementRow::FFBMax},
    {"FFHMin", &ElementRow::FFHMin},
    {"FFHMax", &ElementRow::FFHMax},
    {"FFL1No", &ElementRow::FFL1No},
    {"FFL1Min", &ElementRow::FFL1Min},
    {"FFL1Max", &ElementRow::FFL1Max},
    {"FFL2No", &ElementRow::FFL2No},
    {"FFL2Min", &ElementRow::FFL2Min},
    {"FFL2Max", &ElementRow::FFL2Max},
    {"FFL21No", &ElementRow::FFL21No},
    {"FFL21Min", &ElementRow::FFL21Min},
    {"FFL21Max", &ElementRow::FFL21Max},
    {"FFL22No", &ElementRow::FFL22No},
    {"FFL22Min", &ElementRow::FFL22Min},
    {"FFL22Max", &ElementRow::FFL22Max},
    {"FFANo", &ElementRow::FFANo},
    {"FFR1No", &ElementRow::FFR1No},
    {"FFR1Min", &ElementRow::FFR1Min},
    {"FFR1Max", &ElementRow::FFR1Max},
    {"FFR1Type", &ElementRow::FFR1Type},
    {"FFR2No", &ElementRow::FFR2No},
    {"FFR2Min", &ElementRow::FFR2Min},
    {"FFR2Max", &ElementRow::FFR2Max},
    {"FFR2Type", &ElementRow::FFR2Type},
    {"StulpType", &ElementRow::StulpType},
    {"Condition", &ElementRow::Condition},
    {"Side1No", &ElementRow::Side1No},
    {"Side2No", &ElementRow::Side2No},
    {"AngleNo", &ElementRow::AngleNo},
    {"ColorCondition", &ElementRow::ColorCondition},
    {"ScaleCondition", &ElementRow::ScaleCondition},
    {"ScaleStep", &ElementRow::ScaleStep},
    {"ScaleStart", &ElementRow::ScaleStart},
    {"ScaleNum", &ElementRow::ScaleNum},
    {"UseLen", &ElementRow::UseLen},
    {"MinLen", &ElementRow::MinLen},
    {"DefineHandleHeight", &ElementRow::DefineHandleHeight},
    {"HandleSideNo", &ElementRow::HandleSideNo},
    {"Required", &ElementRow::Required},
};
const RowField<std::string> kTextFields[] = {
    {"Item", &ElementRow::Item},
    {"UseIfArt", &ElementRow::UseIfArt},
    {"ScaleScheme", &ElementRow::ScaleScheme},
    {"LenFormula", &ElementRow::LenFormula},
    {"Note", &ElementRow::Note},
    {"AlertIfNoArt", &ElementRow::AlertIfNoArt},
};
const RowField<double> kFloatFields[] = {
    {"FFAMin", &ElementRow::FFAMin},
    {"FFAMax", &ElementRow::FFAMax},
};

// Reads element rows by field positions resolved once per walk: a complect has
// tens of rows of some fifty fields each.
class ElementRowReader {
public:
    explicit ElementRowReader(const Table& table) : table_(table) {
        for (const auto& f : kIntFields)
            ints_.push_back(position(f.Name));
        for (const auto& f : kTextFields)
            texts_.push_back(position(f.Name));
        for (const auto& f : kFloatFields)
            floats_.push_back(position(f.Name));
    }

    ElementRow Read() const {
        const std::vector<Value>& values = table_.CurrentValues();
        const std::vector<FieldDef>& defs = table_.Fields();
        ElementRow r;
        for (size_t i = 0; i < ints_.size(); ++i)
            r.*kIntFields[i].Member = static_cast<int>(ValueAsInteger(defs[ints_[i]], values[ints_[i]]));
        for (size_t i = 0; i < texts_.size(); ++i)
            r.*kTextFields[i].Member = ValueAsString(defs[texts_[i]], values[texts_[i]]);
        for (size_t i = 0; i < floats_.size(); ++i)
            r.*kFloatFields[i].Member = ValueAsFloat(defs[floats_[i]], values[floats_[i]]);
        r.ItemName = table_.AsString("ItemLookup");
        return r;
    }

private:
    int position(const char* name) const {
        const int index = table_.FieldIndex(name);
        if (index < 0)
            throw KvfError("Поле [" + std::string(name) + "] не найдено в таблице [" + table_.Name() + "]");
        return index;
    }

    const Table& table_;
    std::vector<int> ints_, texts_, floats_;
};

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
    // The names are referred to, not copied: the messages are built only when raised.
    RowMessages(const std::string& complectName, const std::string& elementName)
        : complectName_(complectName), elementName_(elementName) {}

    [[noreturn]] void Raise(const std::string& tail) const {
        throw KvfError("В БД наборов фурнитуры в комплекте [" + complectName_ +
                       "]\r\nсодержится элемент фурнитуры [" + elementName_ + "],\r\n" + tail);
    }

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
    const std::string& complectName_;
    const std::string& elementName_;
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

// The side lengths and corner angle the row's calculation principle refers to.
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

// The row's count, scaled by its ScaleCondition.
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

// The row's computed length, 0 unless the row asks for one.
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
    const ElementRowReader reader(set);
    for (set.First(); !set.Eof(); set.Next()) {
        const ElementRow r = reader.Read();
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
    // Most elements are not composite: a plain search answers that without a filter.
    Table& parts = ctx.Data.T_FrnItoI;
    if (!parts.Locate("ID", {Value(elementId)}))
        return;
    Table& item = ctx.Data.T_FrnItem;
    if (!item.FindKey({Value(elementId)}))
        throw KvfError("Элемент фурнитуры [" + elementId + "] не найден в документации!");
    const std::string compositeName = item.AsString("Name");

    FilterScope scope(parts, "ID = " + QuoteFilterText(elementId));

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

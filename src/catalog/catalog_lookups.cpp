#include "catalog/catalog_lookups.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/rounding.h"
#include "catalog/tdm.h"
#include "model/flugel.h"
#include "model/line.h"

#include <cfenv>
#include <cmath>
#include <cstdio>

namespace kvf {

namespace {

std::string WithText(const char* pattern, const std::string& value) {
    std::string s(pattern);
    size_t at = s.find("%s");
    return at == std::string::npos ? s : s.replace(at, 2, value);
}

std::string WithInt(const char* pattern, long long value) {
    std::string s(pattern);
    size_t at = s.find("%d");
    return at == std::string::npos ? s : s.replace(at, 2, std::to_string(value));
}

const char* const kNoOrderArticle =
    "В каталоге отсутствуют данные для [%s]!\r\n(Поиск [Артикул производителя] через [Код])";
const char* const kNoUnit = "В каталоге отсутствуют данные для [%s]!\r\n(Поиск [Ед.изм] через [Код])";
const char* const kNoName = "В каталоге отсутствуют данные для [%s]!\r\n(Поиск [Наименование] через [Код])";
const char* const kNoMaterial = "В каталоге не найден материал с кодом [%s]!";
const char* const kNoPriceGroup = "В каталоге ценовых групп отсутствуют данные для группы [%d]!";
const char* const kZeroRate = "Значение текущей валюты = 0!";
const char* const kNoComplect = "В БД комплектов фурнитур отсутствуют\r\nданные для комплекта [%s]";
const char* const kNoSystem = "В БД отсутствуют данные для системы [%s]!";
const char* const kNoFalz = "В БД параметров фальца отсутствуют данные для кода [%d]!";
const char* const kNoDorn = "В БД параметров дорнмасса отсутствуют данные для кода [%d]!";
const char* const kNoStulp = "В БД типов штульпа отсутствуют данные для кода [%d]!";
const char* const kNoOpen = "В БД типов открываний створок отсутствуют данные для кода [%d]!";

// Nearest integer of a long double, halves to even.
int64_t RoundHalfEven(long double x) {
    int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    long double r = std::nearbyintl(x);
    std::fesetround(saved);
    if (!std::isfinite(static_cast<double>(r)) || std::fabs(static_cast<double>(r)) > 9.2e18)
        throw KvfError("Переполнение денежной величины");
    return static_cast<int64_t>(r);
}

} // namespace

std::string QuoteFilterText(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'')
            out += '\'';
    }
    return out + "'";
}

float FindCurrencyRate(const TkvfCurrencyList* list, int currency) {
    if (!list)
        return 0;
    for (const auto& item : *list)
        if (item && item->CurrencyID == currency)
            return item->Rate;
    return -1;
}

int FindCurrencyIndex(const TkvfCurrencyList* list, int currency) {
    if (!list)
        return -1;
    for (size_t i = 0; i < list->size(); ++i)
        if ((*list)[i] && (*list)[i]->CurrencyID == currency)
            return static_cast<int>(i);
    return -1;
}

CatalogLookups::CatalogLookups(TDM& dm, CatalogPricing pricing) : dm_(dm), pricing_(pricing) {}

bool CatalogLookups::LocateText(Table& table, const char* field, const std::string& value) {
    return table.Locate(field, {Value{value}});
}

bool CatalogLookups::LocateInt(Table& table, const char* field, int value) {
    return table.Locate(field, {Value{int64_t{value}}});
}

bool CatalogLookups::FindArticle(const std::string& code) {
    return LocateText(dm_.T_Catalog, "ID", code);
}

std::string CatalogLookups::GetOrderArticle(const std::string& code, int mode, bool silent) {
    if (!FindArticle(code)) {
        if (!silent)
            throw KvfError(WithText(kNoOrderArticle, code));
        return "";
    }
    Table& t = dm_.T_Catalog;
    switch (mode) {
    case 0:
        return t.AsInteger("UseArticle") == 2 ? t.AsString("ProdArticle2") : t.AsString("ProdArticle");
    case 1:
        return t.AsString("ProdArticle");
    case 2:
        return t.AsString("ProdArticle2");
    default:
        return "";
    }
}

ArticleInfo CatalogLookups::GetArticleInfo(const std::string& code, bool silent) {
    ArticleInfo info;
    if (!FindArticle(code)) {
        if (!silent)
            throw KvfError(WithText(kNoOrderArticle, code));
        return info;
    }
    Table& t = dm_.T_Catalog;
    info.ProdArticle = t.AsString("ProdArticle");
    info.ProdArticle2 = t.AsString("ProdArticle2");
    info.Unit = t.AsString("Unit");
    info.Name = t.AsString("Name");
    return info;
}

std::string CatalogLookups::GetArticleUnit(const std::string& code) {
    if (!FindArticle(code))
        throw KvfError(WithText(kNoUnit, code));
    return dm_.T_Catalog.AsString("Unit");
}

std::string CatalogLookups::GetArticleName(const std::string& code, bool silent) {
    if (!FindArticle(code)) {
        if (!silent)
            throw KvfError(WithText(kNoName, code));
        return "";
    }
    return dm_.T_Catalog.AsString("Name");
}

Money CatalogLookups::GetArticlePrice(const std::string& code, bool silent) {
    return GetArticlePrice(pricing_, code, silent);
}

Money CatalogLookups::GetArticlePrice(const CatalogPricing& pricing, const std::string& code, bool silent) {
    Money current = Money::FromDouble(FindCurrencyRate(pricing.Currencies, pricing.CurrencyID));
    if (!FindArticle(code)) {
        if (!silent)
            throw KvfError(WithText(kNoName, code));
        return Money();
    }
    Table& t = dm_.T_Catalog;
    int currency = static_cast<int>(t.AsInteger("Currency"));
    Money price = Money::FromRaw(t.AsMoneyUnits("Price"));
    int group = static_cast<int>(t.AsInteger("PriceGrp"));
    Money p = ConvertAmount(pricing.Currencies, currency, current, price);
    if (group == 0)
        return p;
    Money percent = Money::FromDouble(GetPriceGroupPercent(group, 0));
    // p x (1 + percent / 100) in ten-thousandths, exactly, then rounded once.
    __int128 num = static_cast<__int128>(p.Raw()) * (1000000 + percent.Raw());
    __int128 q = num / 1000000, r = num % 1000000;
    if (r < 0) {
        r += 1000000;
        q -= 1;
    }
    if (r > 500000 || (r == 500000 && (q & 1)))
        q += 1;
    return Money::FromRaw(static_cast<int64_t>(q));
}

Variant CatalogLookups::GetCatalogField(const std::string& code, const std::string& fieldName, bool silent) {
    Table& t = dm_.T_Catalog;
    if (code.empty() || fieldName.empty())
        return Variant::FromText("");
    if (!t.HasDataField(fieldName) && !t.HasLookupField(fieldName))
        return Variant::FromText("");
    if (!FindArticle(code)) {
        if (!silent)
            throw KvfError(WithText(kNoMaterial, code));
        return Variant::FromText("");
    }
    const FieldDef& f = t.Field(fieldName);
    Value v = t.FieldValue(fieldName);
    if (IsBlank(v) && IsTextKind(f.Kind))
        return Variant::FromText("");
    return ValueAsVariant(f, v);
}

bool CatalogLookups::IsVirtualArticle(const std::string& code) {
    if (code.empty() || !FindArticle(code))
        return false;
    return dm_.T_Catalog.AsInteger("Virtual") == 1;
}

double CatalogLookups::GetPriceGroupPercent(int group, int index) {
    if (!LocateInt(dm_.T_PriceGrp, "GroupID", group))
        throw KvfError(WithInt(kNoPriceGroup, group));
    return dm_.T_PriceGrp.AsFloat("Reduce_" + std::to_string(index + 1));
}

std::string CatalogLookups::GetCurrencyName(int currency) {
    return LocateInt(dm_.T_Currency, "ID", currency) ? dm_.T_Currency.AsString("Name") : "";
}

int CatalogLookups::GetCurrencyDecimals(int currency) {
    return LocateInt(dm_.T_Currency, "ID", currency) ? static_cast<int>(dm_.T_Currency.AsInteger("Dec")) : 2;
}

void CatalogLookups::GetCurrencyWords(int currency, CurrencyWords& words) {
    if (!LocateInt(dm_.T_Currency, "ID", currency))
        return;
    Table& t = dm_.T_Currency;
    words.Nominative = t.AsString("Nominative");
    words.Genitive = t.AsString("Genitive");
    words.GenitivePlural = t.AsString("GenitivePlural");
    words.Gender = static_cast<int>(t.AsInteger("Gender"));
    words.Dec = static_cast<int>(t.AsInteger("Dec"));
}

void CatalogLookups::LoadCurrencyRates(TkvfCurrencyList* list) {
    if (!list)
        return;
    list->clear();
    Table& t = dm_.T_Currency;
    for (t.First(); !t.Eof(); t.Next())
        list->push_back(std::make_unique<TkvfCurrencyItem>(static_cast<int32_t>(t.AsInteger("ID")),
                                                           static_cast<float>(t.AsFloat("Value"))));
}

Money CatalogLookups::ConvertAmount(int currency, Money currentRate, Money amount) {
    return ConvertAmount(pricing_.Currencies, currency, currentRate, amount);
}

Money CatalogLookups::ConvertAmount(const TkvfCurrencyList* list, int currency, Money currentRate,
                                    Money amount) {
    float rate = FindCurrencyRate(list, currency);
    if (currentRate.Raw() == 0)
        throw KvfError(kZeroRate);
    long double units = static_cast<long double>(amount.Raw()) * static_cast<long double>(rate) * 10000.0L /
                        static_cast<long double>(currentRate.Raw());
    return Money::FromRaw(RoundHalfEven(units));
}

bool CatalogLookups::FindComplect(const std::string& id) {
    return LocateText(dm_.T_FrnComp, "ID", id);
}

std::string CatalogLookups::GetComplectName(const std::string& id) {
    if (!FindComplect(id))
        throw KvfError(WithText(kNoComplect, id));
    return dm_.T_FrnComp.AsString("Name");
}

bool CatalogLookups::TryGetComplectName(const std::string& id, std::string& name) {
    name.clear();
    if (!FindComplect(id))
        return false;
    name = dm_.T_FrnComp.AsString("Name");
    return true;
}

std::string CatalogLookups::GetComplectPrintName(const std::string& id, bool& printable) {
    printable = false;
    if (!FindComplect(id))
        return "";
    printable = dm_.T_FrnComp.AsInteger("Printable") == 1;
    return dm_.T_FrnComp.AsString("PrintName");
}

int CatalogLookups::GetComplectGroup(const std::string& id) {
    return FindComplect(id) ? static_cast<int>(dm_.T_FrnComp.AsInteger("Group")) : 0;
}

int CatalogLookups::GetComplectColor(const std::string& id) {
    return FindComplect(id) ? static_cast<int>(dm_.T_FrnComp.AsInteger("ScrColor")) : 16777215;
}

int CatalogLookups::GetComplectImage(const std::string& id) {
    return FindComplect(id) ? static_cast<int>(dm_.T_FrnComp.AsInteger("Image")) : 0;
}

int CatalogLookups::GetSideHandleDirect(const std::string& complect, int side) {
    if (!dm_.T_FrnSide.Locate("ID;Side", {Value{complect}, Value{int64_t{side}}}))
        return 0;
    return static_cast<int>(dm_.T_FrnSide.AsInteger("HandleDirect"));
}

std::vector<FrnSideRule> CatalogLookups::GetSideRules(const std::string& complect) {
    std::vector<FrnSideRule> rules;
    Table& t = dm_.T_FrnSide;
    FilterScope scope(t, "ID=" + QuoteFilterText(complect));
    for (t.First(); !t.Eof(); t.Next()) {
        FrnSideRule r;
        r.Side = static_cast<int>(t.AsInteger("Side"));
        r.OpenMode = static_cast<int>(t.AsInteger("OpenMode"));
        r.RotSide = static_cast<int>(t.AsInteger("RotSide"));
        r.Handled = static_cast<int>(t.AsInteger("Handled"));
        r.Banded = static_cast<int>(t.AsInteger("Banded"));
        r.Drived = static_cast<int>(t.AsInteger("Drived"));
        rules.push_back(r);
    }
    return rules;
}

bool CatalogLookups::ComplectFitsSash(const TkvfFlugel& sash, const std::string& complect) {
    Table& t = dm_.T_FrnSide;
    FilterScope scope(t, "ID=" + QuoteFilterText(complect));
    int sides = static_cast<int>(sash.Lines.size());
    if (t.RecordCount() != sides)
        return false;
    for (t.First(); !t.Eof(); t.Next()) {
        int i = static_cast<int>(t.AsInteger("Side")) - 1;
        if (i < 0 || i >= sides)
            return false;
        const TkvfLine& line = *sash.Lines[i];
        int length = RoundAway(line.Length());
        int radius = RoundAway(static_cast<long double>(line.Radius1) / 10);
        double angle = sash.SideAngle(i);
        if (t.AsInteger("MinSize") > length || t.AsInteger("MaxSize") < length)
            return false;
        if (t.AsFloat("MinAngle") > angle || t.AsFloat("MaxAngle") < angle)
            return false;
        if (t.AsInteger("MinRadius") > radius || t.AsInteger("MaxRadius") < radius)
            return false;
        if (line.IsSemicircle() && t.AsInteger("FullRadius") == 0)
            return false;
        if (line.IsSegmentArc() && t.AsInteger("HalfRadius") == 0)
            return false;
        if (line.IsEllipticArc() && t.AsInteger("EllipseRadius") == 0)
            return false;
    }
    return true;
}

std::string CatalogLookups::GetSystemName(const std::string& system) {
    return LocateText(dm_.T_SysList, "ID", system) ? dm_.T_SysList.AsString("Name") : "";
}

int CatalogLookups::GetSystemGroup(const std::string& system, bool silent) {
    if (!LocateText(dm_.T_SysList, "ID", system)) {
        if (!silent)
            throw KvfError(WithText(kNoSystem, system));
        return 0;
    }
    return static_cast<int>(dm_.T_SysList.AsInteger("CommonGrp"));
}

std::string CatalogLookups::GetSystemBaseColor(const std::string& system) {
    return LocateText(dm_.T_SysList, "ID", system) ? dm_.T_SysList.AsString("BaseColor") : "";
}

std::string CatalogLookups::GetStrikeSystemName(const std::string& strikeSystem) {
    return LocateText(dm_.T_SysProf, "SchlSysID", strikeSystem) ? dm_.T_SysProf.AsString("Name") : "";
}

std::string CatalogLookups::GetColorName(const std::string& color) {
    if (color.empty())
        return "";
    return LocateText(dm_.T_Color, "Color", color) ? dm_.T_Color.AsString("Name") : "";
}

FalzParams CatalogLookups::GetFalzParams(int code, bool silent) {
    FalzParams p;
    if (!LocateInt(dm_.T_FalzList, "ID", code)) {
        if (!silent)
            throw KvfError(WithInt(kNoFalz, code));
        return p;
    }
    p.FalzLuft = static_cast<int>(dm_.T_FalzList.AsInteger("FalzLuft"));
    p.FalzSize = static_cast<int>(dm_.T_FalzList.AsInteger("FalzSize"));
    p.FalzPos = static_cast<int>(dm_.T_FalzList.AsInteger("FalzPos"));
    return p;
}

double CatalogLookups::GetDornMass(int code, bool silent) {
    if (!LocateInt(dm_.T_DornList, "ID", code)) {
        if (!silent)
            throw KvfError(WithInt(kNoDorn, code));
        return 0;
    }
    return dm_.T_DornList.AsFloat("DornMass");
}

int CatalogLookups::GetStulpType(int code, bool silent) {
    if (!LocateInt(dm_.T_StulpList, "ID", code)) {
        if (!silent)
            throw KvfError(WithInt(kNoStulp, code));
        return 0;
    }
    return static_cast<int>(dm_.T_StulpList.AsInteger("StulpType"));
}

int CatalogLookups::GetOpenType(int code, bool silent) {
    if (!LocateInt(dm_.T_OpenList, "ID", code)) {
        if (!silent)
            throw KvfError(WithInt(kNoOpen, code));
        return 0;
    }
    return static_cast<int>(dm_.T_OpenList.AsInteger("OpenType"));
}

std::string CatalogLookups::GetFalzName(int code) {
    return LocateInt(dm_.T_FalzList, "ID", code) ? dm_.T_FalzList.AsString("Name") : "";
}
std::string CatalogLookups::GetDornName(int code) {
    return LocateInt(dm_.T_DornList, "ID", code) ? dm_.T_DornList.AsString("Name") : "";
}
std::string CatalogLookups::GetStulpName(int code) {
    return LocateInt(dm_.T_StulpList, "ID", code) ? dm_.T_StulpList.AsString("Name") : "";
}
std::string CatalogLookups::GetOpenName(int code) {
    return LocateInt(dm_.T_OpenList, "ID", code) ? dm_.T_OpenList.AsString("Name") : "";
}

bool CatalogLookups::PropKeyAllows(int key, const std::vector<std::string>& selections, int slot) {
    Table& t = dm_.T_FrnProp;
    if (!LocateInt(t, "PropKey", key))
        return true;
    for (const std::string& line : selections) {
        if (line.empty() || line[0] != static_cast<char>('0' + slot))
            continue;
        int v = static_cast<int>(StrToIntDef(line.size() > 2 ? std::string_view(line).substr(2) : "", 0));
        if (t.Locate("PropKey;ID", {Value{int64_t{key}}, Value{int64_t{v}}}))
            continue;
        int g = v / 10 * 10;
        char filter[96];
        std::snprintf(filter, sizeof filter, "PropKey = %d and ID >= %d and ID < %d", key, g, g + 10);
        FilterScope scope(t, filter);
        if (t.RecordCount() > 0)
            return false;
    }
    return true;
}

} // namespace kvf

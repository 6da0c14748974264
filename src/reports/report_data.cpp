#include "reports/report_data.h"

#include "base/error.h"
#include "base/number_format.h"
#include "base/ole_date.h"
#include "base/prompter.h"
#include "base/stored_path.h"
#include "base/text.h"
#include "catalog/field.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/setup.h"
#include "drawing/sketch.h"
#include "model/construction.h"
#include "model/flugel.h"
#include "model/furn_comp.h"
#include "model/furn_item.h"
#include "model/order.h"
#include "reports/amount_in_words.h"
#include "reports/report_expression.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <set>

namespace kvf {

namespace {

// Every variable name of every group: a name of a group that is not active
// now (no order, no composition, the list at its end) reads as empty.
const std::set<std::string>& knownNames() {
    static const std::set<std::string> names = {"_KVF_CONFIGNAME",
                                                "_KVF_FIRMNAME",
                                                "_KVF_ADDRESS",
                                                "_KVF_JUSTADDRESS",
                                                "_KVF_ZIPCODE",
                                                "_KVF_PHONE_1",
                                                "_KVF_PHONE_2",
                                                "_KVF_PHONE_3",
                                                "_KVF_FAX",
                                                "_KVF_PHONES",
                                                "_KVF_EMAIL",
                                                "_KVF_INTERNET",
                                                "_KVF_INN",
                                                "_KVF_ACCOUNT",
                                                "_KVF_DIRECTOR",
                                                "_KVF_BOOKKEEPER",
                                                "_ORDER_NO",
                                                "_ORDER_ALTNO",
                                                "_ORDER_CUSTOMER",
                                                "_ORDER_OBJ",
                                                "_ORDER_ADDRESS",
                                                "_ORDER_PHONE",
                                                "_ORDER_REMARK",
                                                "_ORDER_DATE",
                                                "_ORDER_FURNSYS",
                                                "_ORDER_FURNCOLOR",
                                                "_ORDER_PROFSYS",
                                                "_ORDER_PRICEGROUPNO",
                                                "_ORDER_GETTOTALNDS",
                                                "_ORDER_SHOWINCLUDENDS",
                                                "_ORDER_NDSTAX",
                                                "_ORDER_CURRENCY",
                                                "_POS_ORDERNO",
                                                "_POS_NO",
                                                "_POS_NAME",
                                                "_POS_NUMBER",
                                                "_POS_OBJECTTYPE",
                                                "_POS_NOTE",
                                                "_POS_PROFSYS",
                                                "_POS_FURNSYS",
                                                "_POS_COLOR",
                                                "_SEL_NO",
                                                "_SEL_DATE",
                                                "_SEL_NAME",
                                                "_SEL_NOTE",
                                                "_SEL_ORDERLIST",
                                                "_SEL_PRICEGROUPNO",
                                                "_SEL_NDSTAX",
                                                "_SEL_CURRENCY",
                                                "_OMS_ID",
                                                "_OMS_ARTICLE",
                                                "_OMS_PRODARTICLE",
                                                "_OMS_PRODARTICLE1",
                                                "_OMS_PRODARTICLE2",
                                                "_OMS_PRODARTICLE3",
                                                "_OMS_NAME",
                                                "_OMS_UNIT",
                                                "_OMS_NUMBER",
                                                "_OMS_PRICE",
                                                "_OMS_COST",
                                                "_CFCS_FALZSIZE_WIDTH",
                                                "_CFCS_FALZSIZE_HEIGHT",
                                                "_CFCS_HANDLEHEIGHT",
                                                "_CFCS_FURNSYS",
                                                "_CFCS_PROFSYS",
                                                "_CFCS_FURNCOLOR",
                                                "_CFCS_COMPLECTNAME",
                                                "_CFCS_PRINTABLE",
                                                "_CFCS_PROPERTY",
                                                "_CFCS_ALLPROPERTY",
                                                "_FCIS_INDEX",
                                                "_FCIS_ID",
                                                "_FCIS_ARTICLE",
                                                "_FCIS_PRODARTICLE",
                                                "_FCIS_PRODARTICLE1",
                                                "_FCIS_PRODARTICLE2",
                                                "_FCIS_PRODARTICLE3",
                                                "_FCIS_NAME",
                                                "_FCIS_SHORTNAME",
                                                "_FCIS_GOST",
                                                "_FCIS_UNIT",
                                                "_FCIS_PRINTABLE",
                                                "_FCIS_SIDENO",
                                                "_FCIS_PARENTCOMPLECT",
                                                "_FCIS_PARENTCOMPLECT_NAME",
                                                "_FCIS_LENGTH",
                                                "_FCIS_COUNT",
                                                "_FCIS_HISTORY",
                                                "_FCIS_COMMENT"};
    return names;
}

const std::set<std::string>& knownFunctions() {
    static const std::set<std::string> names = {"_LOADLOGO",
                                                "_MONEYBYWORD_RUS",
                                                "_GETCATALOG_FIELDBYID",
                                                "_GETCATALOG_FIELDLISTBYID",
                                                "_GETSYSPROP_FIELDLISTBYID",
                                                "_REPLACESTR",
                                                "_GETFURNITEM_FIELDBYID"};
    return names;
}

Variant text(const std::string& s) {
    return Variant::FromText(s);
}

// A stored single as the real it was meant to be: 4.8f reads 4.8, not 4.80000019.
Variant single(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    double widened = value;
    std::from_chars(buffer, result.ptr, widened);
    return Variant::FromReal(widened);
}

std::vector<std::string> splitAt(const std::string& s, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = s.find(separator, start);
        parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

// The named field of the table's current row; nothing when the table has no such field.
std::optional<Variant> fieldOf(Table& table, const std::string& field) {
    if (field.empty() || (!table.HasDataField(field) && !table.HasLookupField(field)))
        return std::nullopt;
    return ValueAsVariant(table.Field(field), table.FieldValue(field));
}

void drawSketch(Canvas& canvas, int left, int top, int right, int bottom, const TkvfConstruction* object) {
    if (object)
        Draw(canvas, *object, left, top, right, bottom, 1, soAll);
}

} // namespace

std::string ReportValueText(const Variant& value) {
    switch (value.Type()) {
    case VariantType::Date:
        return FormatDate(value.AsDouble());
    case VariantType::Boolean:
        return value.AsBool() ? "true" : "false";
    case VariantType::Currency:
        return value.AsMoney().Format4();
    default:
        return ReportText(value);
    }
}

TDM_Report::TDM_Report(TDM& dm, const TkvfSetup& setup, const TkvfPaths& paths, Prompter& prompter)
    : dm_(dm), setup_(setup), paths_(paths), prompter_(prompter), lookups_(dm) {
    frdOrderPosSpec.OnFirst = [this] { FirstPos(); };
    frdOrderPosSpec.OnNext = [this] { NextPos(); };
    frdOrderPosSpec.OnCheckEOF = [this] { return CurPos == nullptr; };
    frdSelPosSpec.OnFirst = [this] { FirstSelItem(); };
    frdSelPosSpec.OnNext = [this] { NextSelItem(); };
    frdSelPosSpec.OnCheckEOF = [this] { return CurSelItem == nullptr; };
    frdFrameFurnCompSpec.OnFirst = [this] { FirstComp(); };
    frdFrameFurnCompSpec.OnNext = [this] { NextComp(); };
    frdFrameFurnCompSpec.OnCheckEOF = [this] { return CurComp == nullptr; };
    frdFurnCompItemSpec.OnFirst = [this] { CompItemIndex = 0; };
    frdFurnCompItemSpec.OnNext = [this] { ++CompItemIndex; };
    frdFurnCompItemSpec.OnPrior = [this] { --CompItemIndex; };
    frdFurnCompItemSpec.OnCheckEOF = [this] { return !CurComp || CompItemIndex > CurComp->ItemCount() - 1; };
    frdOrderMatList.OnFirst = [this] { MatIndex = 0; };
    frdOrderMatList.OnNext = [this] { ++MatIndex; };
    frdOrderMatList.OnPrior = [this] { --MatIndex; };
    frdOrderMatList.OnCheckEOF = [this] {
        return !MatList || MatIndex > static_cast<int>(MatList->size()) - 1;
    };
}

TDM_Report::~TDM_Report() = default;

void TDM_Report::clearCursors() {
    Order = nullptr;
    Selection = nullptr;
    PosIndex = -1;
    CurPos = nullptr;
    SelIndex = -1;
    CurSelItem = nullptr;
    selPosition_ = {};
    CurComp = nullptr;
}

void TDM_Report::SetReportObject(TkvfOrder* order) {
    clearCursors();
    Order = order;
    if (order)
        lookups_.SetPricing({&order->Currencies, order->CurrencyID});
}

void TDM_Report::SetReportObject(TkvfOrderSelection* selection) {
    clearCursors();
    Selection = selection;
    if (selection)
        lookups_.SetPricing({&selection->Currencies, selection->CurrencyID});
}

void TDM_Report::AttachReport(TReport& report) {
    Report = &report;
    report.OnGetValue = [this](const std::string& name, Variant& value) { return GetValue(name, value); };
    report.OnUserFunction = [this](const std::string& name, const std::vector<std::string>& args) {
        return UserFunction(name, args);
    };
    report.OnBeforePrint = [this](TReportView& view) { BeforePrint(view); };
    report.SetDataSet("frdOrderPosSpec", &frdOrderPosSpec);
    report.SetDataSet("frdSelPosSpec", &frdSelPosSpec);
    report.SetDataSet("frdFrameFurnCompSpec", &frdFrameFurnCompSpec);
    report.SetDataSet("frdFurnCompItemSpec", &frdFurnCompItemSpec);
    report.SetDataSet("frdOrderMatList", &frdOrderMatList);
}

void TDM_Report::ResetReport() {
    Order = nullptr;
    MatList.reset();
}

void TDM_Report::FirstPos() {
    PosIndex = -1;
    NextPos();
}

void TDM_Report::NextPos() {
    CurPos = nullptr;
    if (!Order)
        return;
    for (int i = PosIndex + 1; i < Order->Count(); ++i) {
        if (Order->Position(i).Included) {
            PosIndex = i;
            CurPos = &Order->Position(i);
            return;
        }
    }
    PosIndex = Order->Count();
}

void TDM_Report::selectSelItem(int index) {
    SelIndex = index;
    CurSelItem = &Selection->Item(index);
    selPosition_ = Selection->GetPosition(*CurSelItem, paths_.OrdersDir, prompter_);
    CurPos = selPosition_.Position;
}

void TDM_Report::FirstSelItem() {
    SelIndex = -1;
    NextSelItem();
}

void TDM_Report::NextSelItem() {
    CurSelItem = nullptr;
    CurPos = nullptr;
    selPosition_ = {};
    if (!Selection)
        return;
    for (int i = SelIndex + 1; i < Selection->Count(); ++i) {
        if (Selection->Item(i).Included) {
            selectSelItem(i);
            return;
        }
    }
    SelIndex = Selection->Count();
}

void TDM_Report::FirstComp() {
    CurComp = CurPos ? CurPos->FirstComp() : nullptr;
}

void TDM_Report::NextComp() {
    CurComp = CurPos && CurComp ? CurPos->NextComp() : nullptr;
}

void TDM_Report::InitMatList(bool selection, bool byName) {
    MatList = std::make_unique<TkvfMatList>();
    try {
        if (!selection && Order)
            Order->AddMatListTo(MatList.get(), &prompter_);
        if (selection && Selection)
            Selection->AddMatListTo(MatList.get(), lookups_, paths_.OrdersDir, prompter_);
        if (byName)
            SortByName(lookups_, *MatList);
        else
            SortByID(*MatList);
    } catch (const KvfError& e) {
        prompter_.Error(e.what());
    }
}

bool TDM_Report::GetValue(const std::string& rawName, Variant& value) {
    const std::string name = AnsiUpperCase(rawName);
    if (firmValue(name, value) || orderValue(name, value) || positionValue(name, value) ||
        selectionValue(name, value) || matListValue(name, value) || compValue(name, value) ||
        compItemValue(name, value))
        return true;
    if (knownNames().count(name)) {
        value = Variant();
        return true;
    }
    return false;
}

bool TDM_Report::firmValue(const std::string& name, Variant& value) const {
    if (name.rfind("_KVF_", 0) != 0)
        return false;
    const TkvfSetup& s = setup_;
    const std::pair<const char*, const std::string*> fields[] = {
        {"_KVF_CONFIGNAME", &paths_.ConfigName},
        {"_KVF_FIRMNAME", &s.Name},
        {"_KVF_ADDRESS", &s.Address},
        {"_KVF_JUSTADDRESS", &s.JustAddress},
        {"_KVF_ZIPCODE", &s.ZipCode},
        {"_KVF_PHONE_1", &s.Phone1},
        {"_KVF_PHONE_2", &s.Phone2},
        {"_KVF_PHONE_3", &s.Phone3},
        {"_KVF_FAX", &s.Fax},
        {"_KVF_EMAIL", &s.EMail},
        {"_KVF_INTERNET", &s.Internet},
        {"_KVF_INN", &s.INN},
        {"_KVF_ACCOUNT", &s.Account},
        {"_KVF_DIRECTOR", &s.Director},
        {"_KVF_BOOKKEEPER", &s.BookKeeper},
    };
    for (const auto& [field, member] : fields) {
        if (name == field) {
            value = text(*member);
            return true;
        }
    }
    if (name == "_KVF_PHONES") {
        value = text(s.PhonesLine());
        return true;
    }
    return false;
}

bool TDM_Report::orderValue(const std::string& name, Variant& value) {
    if (!Order || name.rfind("_ORDER_", 0) != 0)
        return false;
    const TkvfOrder& o = *Order;
    if (name == "_ORDER_NO")
        value = text(o.OrderNo);
    else if (name == "_ORDER_ALTNO")
        value = text(o.AltOrderNo);
    else if (name == "_ORDER_CUSTOMER")
        value = text(o.Customer);
    else if (name == "_ORDER_OBJ")
        value = text(o.ObjectName);
    else if (name == "_ORDER_ADDRESS")
        value = text(o.Address);
    else if (name == "_ORDER_PHONE")
        value = text(o.Phones);
    else if (name == "_ORDER_REMARK")
        value = text(o.Remark);
    else if (name == "_ORDER_DATE")
        value = Variant::FromDate(o.RegDate);
    else if (name == "_ORDER_FURNSYS")
        value = text(lookups_.GetSystemName(o.FurnSys));
    else if (name == "_ORDER_FURNCOLOR")
        value = text(lookups_.GetColorName(o.FurnColor));
    else if (name == "_ORDER_PROFSYS")
        value = text(lookups_.GetStrikeSystemName(o.ProfSys));
    else if (name == "_ORDER_PRICEGROUPNO")
        value = Variant::FromInteger(o.PriceGroupNo);
    else if (name == "_ORDER_GETTOTALNDS")
        value = Variant::FromBoolean(o.GetTotalNDS);
    else if (name == "_ORDER_SHOWINCLUDENDS")
        value = Variant::FromBoolean(o.ShowIncludeNDS);
    else if (name == "_ORDER_NDSTAX")
        value = single(o.NDSTax);
    else if (name == "_ORDER_CURRENCY")
        value = text(lookups_.GetCurrencyName(o.CurrencyID));
    else if (name == "_ORDER_TOTAL")
        value = Variant::FromCurrency(o.Total());
    else if (name == "_ORDER_TOTALNDS")
        value = Variant::FromCurrency(o.TotalNDS());
    else if (name == "_ORDER_TOTALWITHNDS")
        value = Variant::FromCurrency(o.TotalWithNDS());
    else
        return false;
    return true;
}

bool TDM_Report::positionValue(const std::string& name, Variant& value) {
    if (name.rfind("_POS_", 0) != 0)
        return false;
    if (CurSelItem && name == "_POS_ORDERNO") {
        value = text(CurSelItem->OrderNo);
        return true;
    }
    // In a selection report the position is the selection item's.
    if (!CurPos || (!Order && !CurSelItem))
        return false;
    const TkvfConstruction& p = *CurPos;
    if (name == "_POS_NO")
        value = text(p.No);
    else if (name == "_POS_NAME")
        value = text(p.Name);
    else if (name == "_POS_NUMBER")
        value = Variant::FromInteger(p.Number);
    else if (name == "_POS_OBJECTTYPE")
        value = Variant::FromInteger(p.ObjectType);
    else if (name == "_POS_NOTE")
        value = text(JoinLines(p.Note));
    else if (name == "_POS_PROFSYS")
        value = text(lookups_.GetStrikeSystemName(p.ProfSys));
    else if (name == "_POS_FURNSYS")
        value = text(lookups_.GetSystemName(p.FurnSys));
    else if (name == "_POS_COLOR")
        value = text(lookups_.GetColorName(p.Color));
    else if (name == "_POS_WIDTH" || name == "_POS_HEIGHT") {
        std::int32_t width = 0;
        std::int32_t height = 0;
        p.GetSize(width, height);
        value = Variant::FromInteger(name == "_POS_WIDTH" ? width : height);
    } else if (name == "_POS_PRICE")
        value = Variant::FromCurrency(p.Cost);
    else if (name == "_POS_TOTAL")
        value = Variant::FromCurrency(p.PositionTotal());
    else
        return false;
    return true;
}

bool TDM_Report::selectionValue(const std::string& name, Variant& value) {
    if (!Selection || name.rfind("_SEL_", 0) != 0)
        return false;
    const TkvfOrderSelection& s = *Selection;
    if (name == "_SEL_NO")
        value = text(s.SelNo);
    else if (name == "_SEL_DATE")
        value = Variant::FromDate(s.SelDate);
    else if (name == "_SEL_NAME")
        value = text(s.SelName);
    else if (name == "_SEL_NOTE")
        value = text(JoinLines(s.Note));
    else if (name == "_SEL_ORDERLIST") {
        std::string list;
        const TkvfOrderSelectionItem* previous = nullptr;
        for (const auto& item : s.Items) {
            if (!previous || item->OrderFile != previous->OrderFile)
                list += (list.empty() ? "" : ",") + item->OrderNo;
            previous = item.get();
        }
        value = text(list);
    } else if (name == "_SEL_PRICEGROUPNO")
        value = Variant::FromInteger(s.PriceGroupNo);
    else if (name == "_SEL_NDSTAX")
        value = single(s.NDSTax);
    else if (name == "_SEL_CURRENCY")
        value = text(lookups_.GetCurrencyName(s.CurrencyID));
    else
        return false;
    return true;
}

bool TDM_Report::matListValue(const std::string& name, Variant& value) {
    if (!MatList || MatIndex < 0 || MatIndex >= static_cast<int>(MatList->size()) ||
        name.rfind("_OMS_", 0) != 0)
        return false;
    const TkvfMatListItem& m = *(*MatList)[static_cast<size_t>(MatIndex)];
    static const std::pair<const char*, const char*> catalogFields[] = {
        {"_OMS_ARTICLE", "Article"},
        {"_OMS_PRODARTICLE", "ProdArticle"},
        {"_OMS_PRODARTICLE1", "ProdArticle1"},
        {"_OMS_PRODARTICLE2", "ProdArticle2"},
        {"_OMS_PRODARTICLE3", "ProdArticle3"}};
    for (const auto& [variable, field] : catalogFields) {
        if (name == variable) {
            value = lookups_.GetCatalogField(m.ID, field, true);
            return true;
        }
    }
    if (name == "_OMS_ID")
        value = text(m.ID);
    else if (name == "_OMS_NAME")
        value = text(lookups_.GetArticleName(m.ID, true));
    else if (name == "_OMS_UNIT")
        value = text(lookups_.GetArticleInfo(m.ID, true).Unit);
    else if (name == "_OMS_NUMBER")
        value = single(m.Quantity);
    else if (name == "_OMS_PRICE")
        value = Variant::FromCurrency(m.Price);
    else if (name == "_OMS_COST")
        value = Variant::FromCurrency(m.Cost);
    else
        return false;
    return true;
}

std::string TDM_Report::propertyList(bool printableOnly) {
    std::string joined;
    for (const std::string& line : CurComp->Properties)
        joined += (joined.empty() ? "" : ";") + line;
    std::vector<std::string> found;
    Table& props = dm_.T_SysProp;
    for (const std::string& entry : splitAt(joined, ';')) {
        if (entry.size() < 3)
            continue;
        const std::string id = entry.substr(2);
        const std::optional<long long> key = ParseInteger(id);
        if (!key || !props.Locate("ID", {Value{int64_t{*key}}}))
            continue;
        if (printableOnly && props.AsInteger("Printable") != 1)
            continue;
        if (std::find(found.begin(), found.end(), id) == found.end())
            found.push_back(id);
    }
    std::string result;
    for (const std::string& id : found)
        result += (result.empty() ? "" : ";") + id;
    return result;
}

bool TDM_Report::compValue(const std::string& name, Variant& value) {
    if (!CurComp || name.rfind("_CFCS_", 0) != 0)
        return false;
    const TkvfFurnComp& c = *CurComp;
    if (name == "_CFCS_FALZSIZE_WIDTH" || name == "_CFCS_FALZSIZE_HEIGHT") {
        if (!c.Flugel) {
            value = Variant();
            return true;
        }
        std::int32_t width = 0;
        std::int32_t height = 0;
        c.Flugel->GetSize(width, height);
        value = Variant::FromInteger(name == "_CFCS_FALZSIZE_WIDTH" ? width : height);
    } else if (name == "_CFCS_HANDLEHEIGHT")
        value = Variant::FromInteger(c.Flugel ? c.Flugel->GetHandleHeight() : 0);
    else if (name == "_CFCS_FURNSYS")
        value = text(lookups_.GetSystemName(c.FurnSys));
    else if (name == "_CFCS_PROFSYS")
        value = text(lookups_.GetStrikeSystemName(c.ProfSys));
    else if (name == "_CFCS_FURNCOLOR")
        value = text(lookups_.GetColorName(c.Color));
    else if (name == "_CFCS_COMPLECTNAME" || name == "_CFCS_PRINTABLE") {
        bool printable = false;
        const std::string printName = lookups_.GetComplectPrintName(c.Complect, printable);
        value = name == "_CFCS_COMPLECTNAME" ? text(printName) : Variant::FromBoolean(printable);
    } else if (name == "_CFCS_PROPERTY")
        value = text(propertyList(true));
    else if (name == "_CFCS_ALLPROPERTY")
        value = text(propertyList(false));
    else
        return false;
    return true;
}

bool TDM_Report::compItemValue(const std::string& name, Variant& value) {
    if (!CurComp || CompItemIndex < 0 || CompItemIndex >= CurComp->ItemCount() ||
        name.rfind("_FCIS_", 0) != 0)
        return false;
    const TkvfFurnItem& item = CurComp->Item(CompItemIndex);
    static const std::pair<const char*, const char*> catalogFields[] = {
        {"_FCIS_ARTICLE", "Article"},
        {"_FCIS_PRODARTICLE", "ProdArticle"},
        {"_FCIS_PRODARTICLE1", "ProdArticle1"},
        {"_FCIS_PRODARTICLE2", "ProdArticle2"},
        {"_FCIS_PRODARTICLE3", "ProdArticle3"},
        {"_FCIS_NAME", "Name"},
        {"_FCIS_SHORTNAME", "ShortName"},
        {"_FCIS_GOST", "GOST"},
        {"_FCIS_UNIT", "Unit"},
        {"_FCIS_PRINTABLE", "Printable"}};
    for (const auto& [variable, field] : catalogFields) {
        if (name == variable) {
            value = lookups_.GetCatalogField(item.ID, field, true);
            return true;
        }
    }
    if (name == "_FCIS_INDEX")
        value = Variant::FromInteger(CompItemIndex);
    else if (name == "_FCIS_ID")
        value = text(item.ID);
    else if (name == "_FCIS_SIDENO")
        value = Variant::FromInteger(item.SideNo);
    else if (name == "_FCIS_PARENTCOMPLECT")
        value = text(item.ParentComplect);
    else if (name == "_FCIS_PARENTCOMPLECT_NAME") {
        std::string complectName;
        lookups_.TryGetComplectName(item.ParentComplect, complectName);
        value = text(complectName);
    } else if (name == "_FCIS_LENGTH")
        value = single(item.Length);
    else if (name == "_FCIS_COUNT")
        value = Variant::FromInteger(item.Count);
    else if (name == "_FCIS_HISTORY")
        value = text(item.History);
    else if (name == "_FCIS_COMMENT")
        value = text(item.Comment);
    else
        return false;
    return true;
}

std::string TDM_Report::argument(const std::vector<std::string>& args, size_t i) {
    if (i >= args.size() || Trim(args[i]).empty() || !Report)
        return "";
    try {
        return ReportText(Report->Calc(args[i]));
    } catch (const KvfError&) {
        return "";
    }
}

std::optional<Variant> TDM_Report::UserFunction(const std::string& rawName,
                                                const std::vector<std::string>& args) {
    const std::string name = AnsiUpperCase(rawName);
    if (name.find("_INIT_") != std::string::npos) {
        if (name == "_INIT_ORDERMATLIST" || name == "_INIT_SELMATLIST")
            InitMatList(name == "_INIT_SELMATLIST", argument(args, 0) == "SORT_BY_NAME");
        return Variant();
    }
    if (!knownFunctions().count(name))
        return std::nullopt;

    if (name == "_LOADLOGO") {
        auto* logo = Report ? dynamic_cast<TPictureView*>(Report->FindObject("LogoPicture")) : nullptr;
        if (logo && !setup_.ReportLogo.empty()) {
            std::string file = setup_.ReportLogo;
            std::replace(file.begin(), file.end(), '\\', '/');
            const std::string path = JoinPath(paths_.CatalogDir, file);
            if (std::filesystem::is_regular_file(path))
                logo->FileName = path;
        }
        return Variant();
    }
    if (name == "_MONEYBYWORD_RUS") {
        Money amount;
        if (args.size() > 0 && Report) {
            try {
                amount = Report->Calc(args[0]).AsMoney();
            } catch (const KvfError&) {
                amount = Money();
            }
        }
        if (!Order)
            return text("");
        CurrencyWords words;
        lookups_.GetCurrencyWords(Order->CurrencyID, words);
        return text(AmountInWords(CurrencyNames(words), amount));
    }
    if (name == "_REPLACESTR") {
        const std::string source = argument(args, 0);
        const std::string from = argument(args, 1);
        const std::string to = argument(args, 2);
        if (source.empty() || from.empty())
            return text("");
        std::string result;
        size_t start = 0;
        for (size_t at = source.find(from); at != std::string::npos; at = source.find(from, start)) {
            result += source.substr(start, at - start) + to;
            start = at + from.size();
        }
        return text(result + source.substr(start));
    }

    const std::string first = argument(args, 0);
    const std::string fields = argument(args, 1);
    if (first.empty() || fields.empty())
        return text("???");
    if (name == "_GETCATALOG_FIELDBYID") {
        if (!lookups_.FindArticle(first))
            return text("???");
        const std::optional<Variant> v = fieldOf(dm_.T_Catalog, fields);
        return v ? *v : text("???");
    }
    if (name == "_GETFURNITEM_FIELDBYID") {
        if (!dm_.T_FrnItem.Locate("ID", {Value{first}}))
            return text("???");
        const std::optional<Variant> v = fieldOf(dm_.T_FrnItem, fields);
        return v ? *v : text("???");
    }
    std::string separator = argument(args, 2);
    if (separator.empty())
        separator = "\r\n";
    const std::vector<std::string> fieldNames = splitAt(fields, ';');
    if (name == "_GETCATALOG_FIELDLISTBYID") {
        std::string result;
        for (const std::string& id : splitAt(first, ';')) {
            if (lookups_.FindArticle(id)) {
                for (const std::string& field : fieldNames) {
                    const std::optional<Variant> v = fieldOf(dm_.T_Catalog, field);
                    result += v ? ReportText(*v) : field;
                }
            }
            result += separator;
        }
        return text(result);
    }
    // _GETSYSPROP_FIELDLISTBYID
    std::vector<std::string> entries;
    for (const std::string& id : splitAt(first, ';')) {
        const std::optional<long long> key = ParseInteger(id);
        if (!key || !dm_.T_SysProp.Locate("ID", {Value{int64_t{*key}}}))
            continue;
        for (const std::string& field : fieldNames) {
            const std::optional<Variant> v = fieldOf(dm_.T_SysProp, field);
            const std::string entry = v ? ReportText(*v) : field;
            if (std::find(entries.begin(), entries.end(), entry) == entries.end())
                entries.push_back(entry);
        }
    }
    std::string result;
    for (size_t i = 0; i < entries.size(); ++i)
        result += (i == 0 ? "" : separator) + entries[i];
    return text(result);
}

void TDM_Report::BeforePrint(TReportView& view) {
    if (auto* sketch = dynamic_cast<TkvfFRDrawView*>(&view)) {
        sketch->DrawProc = drawSketch;
        sketch->DrawObject = CurPos;
        sketch->HasObject = true;
    }
}

} // namespace kvf

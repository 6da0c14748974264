#pragma once
// CatalogLookups: the small read-only lookups over the shared catalog tables
// that the engine, the dialogs, the reports and the exports use. Each locates
// one row by exact, case-sensitive key. Lookups that may find nothing take a
// silent switch: on, a missing row gives a neutral value; off, the lookup
// raises KvfError with its message. Filters used are gone when they return.

#include "base/money.h"
#include "base/variant.h"
#include "model/currency_item.h"
#include "model/model_catalog.h"

#include <string>
#include <vector>

namespace kvf {

class TDM;
class Table;
class TkvfFlugel;

// The active pricing context: the active window's currency list and currency.
struct CatalogPricing {
    const TkvfCurrencyList* Currencies = nullptr;
    int CurrencyID = 0;
};

struct ArticleInfo {
    std::string ProdArticle;
    std::string ProdArticle2;
    std::string Unit;
    std::string Name;
};

// Word forms of a currency's main unit, for amounts in words.
struct CurrencyWords {
    std::string Nominative;
    std::string Genitive;
    std::string GenitivePlural;
    int Gender = 0;
    int Dec = 0;
};

struct FalzParams {
    int FalzLuft = 0;
    int FalzSize = 0;
    int FalzPos = 0;
};

// Currency lists (no catalog needed).
float FindCurrencyRate(const TkvfCurrencyList* list, int currency);
int FindCurrencyIndex(const TkvfCurrencyList* list, int currency);

class CatalogLookups : public ModelCatalog {
public:
    explicit CatalogLookups(TDM& dm, CatalogPricing pricing = {});

    void SetPricing(CatalogPricing pricing) { pricing_ = pricing; }
    const CatalogPricing& Pricing() const { return pricing_; }

    // Catalog articles.
    bool FindArticle(const std::string& code);
    std::string GetOrderArticle(const std::string& code, int mode, bool silent);
    ArticleInfo GetArticleInfo(const std::string& code, bool silent);
    std::string GetArticleUnit(const std::string& code);
    std::string GetArticleName(const std::string& code, bool silent) override;
    Money GetArticlePrice(const std::string& code, bool silent) override;
    Money GetArticlePrice(const CatalogPricing& pricing, const std::string& code, bool silent);
    Variant GetCatalogField(const std::string& code, const std::string& fieldName, bool silent);
    bool IsVirtualArticle(const std::string& code) override;

    // Price groups: the percentage in column "Reduce_<index + 1>".
    double GetPriceGroupPercent(int group, int index);

    // Currencies.
    std::string GetCurrencyName(int currency);
    int GetCurrencyDecimals(int currency);
    // Fills the record; leaves it unchanged when the currency has no row.
    void GetCurrencyWords(int currency, CurrencyWords& words);
    // Replaces the list's items by one per currency row (`ID`, `Value`); nothing for no list.
    void LoadCurrencyRates(TkvfCurrencyList* list);
    // amount x rate(currency) / currentRate in the active list, rounded half to even.
    Money ConvertAmount(int currency, Money currentRate, Money amount);
    Money ConvertAmount(const TkvfCurrencyList* list, int currency, Money currentRate, Money amount);

    // Complects.
    bool FindComplect(const std::string& id);
    std::string GetComplectName(const std::string& id);
    bool TryGetComplectName(const std::string& id, std::string& name) override;
    std::string GetComplectPrintName(const std::string& id, bool& printable);
    int GetComplectGroup(const std::string& id);
    int GetComplectColor(const std::string& id) override;
    int GetComplectImage(const std::string& id) override;
    int GetSideHandleDirect(const std::string& complect, int side) override;
    std::vector<FrnSideRule> GetSideRules(const std::string& complect) override;
    bool ComplectFitsSash(const TkvfFlugel& sash, const std::string& complect);

    // Systems and colours.
    std::string GetSystemName(const std::string& system);
    int GetSystemGroup(const std::string& system, bool silent);
    std::string GetSystemBaseColor(const std::string& system);
    std::string GetStrikeSystemName(const std::string& strikeSystem);
    std::string GetColorName(const std::string& color);

    // Parameter lists, each searched within its slice.
    FalzParams GetFalzParams(int code, bool silent);
    double GetDornMass(int code, bool silent);
    int GetStulpType(int code, bool silent);
    int GetOpenType(int code, bool silent);
    std::string GetFalzName(int code);
    std::string GetDornName(int code);
    std::string GetStulpName(int code);
    std::string GetOpenName(int code);

    // Whether a row with property key `key` applies to the composition's
    // property selections ("s=v" lines) for slot `slot`.
    bool PropKeyAllows(int key, const std::vector<std::string>& selections, int slot);

private:
    bool LocateText(Table& table, const char* field, const std::string& value);
    bool LocateInt(Table& table, const char* field, int value);

    TDM& dm_;
    CatalogPricing pricing_;
};

// 'text' for a filter: the text in single quotes, a quote inside doubled.
std::string QuoteFilterText(const std::string& text);

} // namespace kvf

#pragma once
// ModelCatalog: the catalog lookups the order model calls. The catalog library
// implements it over its tables; tests give small fakes. The model never
// reaches the catalog any other way.

#include "base/money.h"

#include <string>
#include <vector>

namespace kvf {

// One side rule of a complect: a row of the side table FrnSide.
struct FrnSideRule {
    int Side = 0;     // side number from 1
    int OpenMode = 0; // 1: an opening side
    int RotSide = 0;  // side number towards which the opening turns
    int Handled = 0;  // 1: the handle sits on this side
    int Banded = 0;   // 1: the side carries hinge bands
    int Drived = 0;   // 1: the side carries the drive gear
};

class ModelCatalog {
public:
    virtual ~ModelCatalog() = default;

    // `ScrColor` of a complect; 16777215 (white) when it is not found.
    virtual int GetComplectColor(const std::string& id) = 0;
    // `Image` of a complect; 0 when it is not found.
    virtual int GetComplectImage(const std::string& id) = 0;
    // `HandleDirect` of the side rule (complect, side from 1); 0 when there is none.
    virtual int GetSideHandleDirect(const std::string& complect, int side) = 0;
    // The complect's name; false (and an empty name) when it is not found.
    virtual bool TryGetComplectName(const std::string& id, std::string& name) = 0;
    // The side rules of a complect in table order; the table's filter is the
    // implementation's business and is gone when this returns.
    virtual std::vector<FrnSideRule> GetSideRules(const std::string& complect) = 0;

    // True when the article exists and is virtual (never part of a composition).
    virtual bool IsVirtualArticle(const std::string& id) = 0;
    // Price in the active currency with the price-group percentage; a missing
    // article gives 0 when silent, otherwise raises KvfError.
    virtual Money GetArticlePrice(const std::string& id, bool silent) = 0;
    // The article's name; a missing article gives "" when silent, otherwise raises KvfError.
    virtual std::string GetArticleName(const std::string& id, bool silent) = 0;
};

} // namespace kvf

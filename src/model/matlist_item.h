#pragma once
// TkvfMatListItem: one priced line of a material list: an article, its
// quantity (pieces, or metres for articles sold by length), unit price and cost.
// A list owns its items; lists of orders and selections belong to their caller.

#include "base/money.h"

#include <memory>
#include <string>
#include <vector>

namespace kvf {

class ModelCatalog;
class Prompter;
class TSpecStream;

class TkvfMatListItem {
public:
    TkvfMatListItem() = default;

    // Material item record (no version conditions):
    //   ID              text
    //   Quantity        real (code 5), single widened
    //   CatalogPrice    currency (code 6)
    //   ReservedRate    real (code 5), single widened
    //   ReservedAmount  currency (code 6)
    //   Price           currency (code 6)
    //   Cost            currency (code 6)
    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream);

    // Copies through a typed stream. A failure shows
    // "Ошибка копирования материала!\r\n(%s)" and leaves the item as far as it was read.
    void CopyFrom(const TkvfMatListItem& other, Prompter* prompter);

    // Cost := Quantity x Price, rounded to money.
    void UpdateCost();

    std::string ID;
    float Quantity = 0;
    Money CatalogPrice;
    float ReservedRate = 0;
    Money ReservedAmount;
    Money Price;
    Money Cost;
};

using TkvfMatList = std::vector<std::unique_ptr<TkvfMatListItem>>;

// The two items name the same article (IDs equal, case-sensitive).
bool SameArticle(const TkvfMatListItem& a, const TkvfMatListItem& b);
// The first item of the list with the same article; nullptr when none.
TkvfMatListItem* FindInList(const TkvfMatList& list, const TkvfMatListItem& item);

// Ascending ID, Windows-1251 byte order: <0, 0, >0.
int CompareByID(const TkvfMatListItem& a, const TkvfMatListItem& b);
// Ascending article name (GetArticleName, not silent), byte order; a missing
// article raises the catalog's error.
int CompareByName(ModelCatalog& catalog, const TkvfMatListItem& a, const TkvfMatListItem& b);
void SortByID(TkvfMatList& list);
void SortByName(ModelCatalog& catalog, TkvfMatList& list);

// Every item gets the current catalog price: CatalogPrice and Price := the
// price, Cost := price x Quantity. Pricing errors are raised.
void Reprice(ModelCatalog& catalog, TkvfMatList& list);

// Writes the list as its count (integer) and each record; reading empties the list first.
void SaveMatList(TSpecStream& stream, const TkvfMatList& list);
void LoadMatList(TSpecStream& stream, TkvfMatList& list);

} // namespace kvf

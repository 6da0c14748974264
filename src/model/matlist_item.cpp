#include "model/matlist_item.h"

#include "base/prompter.h"
#include "base/text.h"
#include "base/typed_stream.h"
#include "model/model_catalog.h"
#include "model/record_list.h"

#include <algorithm>
#include <exception>

namespace kvf {

void TkvfMatListItem::SaveToStream(TSpecStream& stream) const {
    stream.WriteText(ID);
    stream.WriteSingle(Quantity);
    stream.WriteCurrency(CatalogPrice);
    stream.WriteSingle(ReservedRate);
    stream.WriteCurrency(ReservedAmount);
    stream.WriteCurrency(Price);
    stream.WriteCurrency(Cost);
}

void TkvfMatListItem::LoadFromStream(TSpecStream& stream) {
    ID = stream.ReadText();
    Quantity = stream.ReadSingle();
    CatalogPrice = stream.ReadCurrency();
    ReservedRate = stream.ReadSingle();
    ReservedAmount = stream.ReadCurrency();
    Price = stream.ReadCurrency();
    Cost = stream.ReadCurrency();
}

void TkvfMatListItem::CopyFrom(const TkvfMatListItem& other, Prompter* prompter) {
    try {
        TSpecStream stream(prompter);
        other.SaveToStream(stream);
        stream.Seek(0);
        LoadFromStream(stream);
    } catch (const std::exception& e) {
        if (prompter != nullptr)
            prompter->Error(std::string("Ошибка копирования материала!\r\n(") + e.what() + ")");
    }
}

void TkvfMatListItem::UpdateCost() {
    Cost = Price.MulRound(Quantity);
}

bool SameArticle(const TkvfMatListItem& a, const TkvfMatListItem& b) {
    return a.ID == b.ID;
}

TkvfMatListItem* FindInList(const TkvfMatList& list, const TkvfMatListItem& item) {
    for (const auto& candidate : list)
        if (SameArticle(*candidate, item))
            return candidate.get();
    return nullptr;
}

int CompareByID(const TkvfMatListItem& a, const TkvfMatListItem& b) {
    return compareAnsi(a.ID, b.ID);
}

int CompareByName(ModelCatalog& catalog, const TkvfMatListItem& a, const TkvfMatListItem& b) {
    return compareAnsi(catalog.GetArticleName(a.ID, false), catalog.GetArticleName(b.ID, false));
}

void SortByID(TkvfMatList& list) {
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return CompareByID(*a, *b) < 0; });
}

void SortByName(ModelCatalog& catalog, TkvfMatList& list) {
    // Each name is looked up once; a missing article raises before anything moves.
    std::vector<std::pair<std::string, std::unique_ptr<TkvfMatListItem>>> named;
    named.reserve(list.size());
    std::vector<std::string> names;
    for (const auto& item : list)
        names.push_back(catalog.GetArticleName(item->ID, false));
    for (size_t i = 0; i < list.size(); ++i)
        named.emplace_back(std::move(names[i]), std::move(list[i]));
    std::stable_sort(named.begin(), named.end(),
                     [](const auto& a, const auto& b) { return compareAnsi(a.first, b.first) < 0; });
    for (size_t i = 0; i < named.size(); ++i)
        list[i] = std::move(named[i].second);
}

void Reprice(ModelCatalog& catalog, TkvfMatList& list) {
    for (auto& item : list) {
        const Money price = catalog.GetArticlePrice(item->ID, false);
        item->CatalogPrice = price;
        item->Price = price;
        item->UpdateCost();
    }
}

void SaveMatList(TSpecStream& stream, const TkvfMatList& list) {
    SaveRecords(stream, list);
}

void LoadMatList(TSpecStream& stream, TkvfMatList& list) {
    LoadRecordList(stream, list);
}

} // namespace kvf

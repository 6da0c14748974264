#include "model/currency_item.h"

#include "base/typed_stream.h"

namespace kvf {

void TkvfCurrencyItem::SaveToStream(TSpecStream& stream) const {
    stream.WriteInteger(CurrencyID);
    stream.WriteSingle(Rate);
}

void TkvfCurrencyItem::LoadFromStream(TSpecStream& stream) {
    CurrencyID = stream.ReadInteger();
    Rate = stream.ReadSingle();
}

void SaveCurrencies(TSpecStream& stream, const TkvfCurrencyList& list) {
    stream.WriteInteger(static_cast<std::int32_t>(list.size()));
    for (const auto& item : list)
        item->SaveToStream(stream);
}

void LoadCurrencies(TSpecStream& stream, TkvfCurrencyList& list) {
    list.clear();
    // A count beyond the data (a damaged file) stops at the end of the data.
    const std::int32_t count = stream.ReadInteger();
    for (std::int32_t i = 0; i < count && !stream.AtEnd(); ++i) {
        auto item = std::make_unique<TkvfCurrencyItem>();
        item->LoadFromStream(stream);
        list.push_back(std::move(item));
    }
}

} // namespace kvf

#pragma once
// TkvfCurrencyItem: the rate of one currency in an order's or a selection's
// pricing context.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kvf {

class TSpecStream;

class TkvfCurrencyItem {
public:
    TkvfCurrencyItem() = default;
    TkvfCurrencyItem(std::int32_t currencyID, float rate) : CurrencyID(currencyID), Rate(rate) {}

    // Currency record:
    //   CurrencyID  integer (code 3)
    //   Rate        real (code 5), single widened
    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream);

    std::int32_t CurrencyID = 0;
    float Rate = 0;
};

using TkvfCurrencyList = std::vector<std::unique_ptr<TkvfCurrencyItem>>;

// A currency list: its count (integer), then each record.
void SaveCurrencies(TSpecStream& stream, const TkvfCurrencyList& list);
// Empties the list, then reads the count and the records.
void LoadCurrencies(TSpecStream& stream, TkvfCurrencyList& list);

} // namespace kvf

#include "model/currency_item.h"

#include "base/typed_stream.h"
#include "model/record_list.h"

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
    SaveRecords(stream, list);
}

void LoadCurrencies(TSpecStream& stream, TkvfCurrencyList& list) {
    LoadRecordList(stream, list);
}

} // namespace kvf

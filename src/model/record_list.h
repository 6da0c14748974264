#pragma once
// Lists of records in a typed stream: an int32 count, then the records.

#include "base/typed_stream.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kvf {

// The count of the list, then each record's SaveToStream.
template <class List> void SaveRecords(TSpecStream& stream, const List& list) {
    stream.WriteInteger(static_cast<std::int32_t>(list.size()));
    for (const auto& item : list)
        item->SaveToStream(stream);
}

// Reads the count, then calls readOne for each record. A count beyond the
// data (a damaged file) stops at the end of the data instead of creating
// empty records.
template <class ReadOne> void ReadRecords(TSpecStream& stream, ReadOne readOne) {
    const std::int32_t count = stream.ReadInteger();
    for (std::int32_t i = 0; i < count && !stream.AtEnd(); ++i)
        readOne();
}

// Replaces the list with the records read; for records without an owner.
template <class Item> void LoadRecordList(TSpecStream& stream, std::vector<std::unique_ptr<Item>>& list) {
    list.clear();
    ReadRecords(stream, [&] {
        auto item = std::make_unique<Item>();
        item->LoadFromStream(stream);
        list.push_back(std::move(item));
    });
}

} // namespace kvf

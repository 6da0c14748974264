#include "model/furn_item.h"

#include "base/typed_stream.h"
#include "base/version_date.h"

namespace kvf {

namespace {

// Versions from which the item record carries its later fields.
constexpr const char* kVersionItemHistory = "06.10.2015";
constexpr const char* kVersionItemComment = "03.03.2019";
constexpr const char* kVersionItemSide = "26.12.2019";

} // namespace

void TkvfFurnItem::Set(const std::string& id, const std::string& parentComplect, std::int32_t sideNo,
                       std::int32_t count, const std::string& comment, float length,
                       const std::string& history) {
    if (id.empty() || count == 0) {
        Clear();
        return;
    }
    ID = id;
    ParentComplect = parentComplect;
    SideNo = sideNo;
    Count = count;
    Comment = comment;
    Length = length;
    History = history;
    Reserved1 = 0;
    Reserved2 = 0;
    Reserved3 = 0;
}

void TkvfFurnItem::Clear() {
    ID.clear();
    History.clear();
    Comment.clear();
    ParentComplect.clear();
    Length = 0;
    Count = 0;
    SideNo = 0;
    Reserved1 = 0;
    Reserved2 = 0;
    Reserved3 = 0;
}

void TkvfFurnItem::SaveToStream(TSpecStream& stream) const {
    stream.WriteText(ID);
    stream.WriteSingle(Length);
    stream.WriteInteger(Count);
    stream.WriteText(History);
    stream.WriteText(Comment);
    stream.WriteInteger(SideNo);
    stream.WriteInteger(Reserved1);
    stream.WriteInteger(Reserved2);
    stream.WriteInteger(Reserved3);
    stream.WriteText(ParentComplect);
}

void TkvfFurnItem::LoadFromStream(TSpecStream& stream, const std::string& version) {
    Clear();
    ID = stream.ReadText();
    Length = stream.ReadSingle();
    Count = stream.ReadInteger();
    if (VersionAtLeast(version, kVersionItemHistory))
        History = stream.ReadText();
    if (VersionAtLeast(version, kVersionItemComment))
        Comment = stream.ReadText();
    if (VersionAtLeast(version, kVersionItemSide)) {
        SideNo = stream.ReadInteger();
        Reserved1 = stream.ReadInteger();
        Reserved2 = stream.ReadInteger();
        Reserved3 = stream.ReadInteger();
        ParentComplect = stream.ReadText();
    }
}

} // namespace kvf

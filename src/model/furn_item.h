#pragma once
// TkvfFurnItem: one line of a fittings composition: a catalog article with its
// count and length, the side and complect it came from.

#include <cstdint>
#include <string>

namespace kvf {

class TSpecStream;
class TkvfFurnComp;

class TkvfFurnItem {
public:
    explicit TkvfFurnItem(TkvfFurnComp* owner = nullptr) : Owner(owner) {}

    // Takes all values (Reserved1..3 := 0) when id is not empty and count is
    // not 0; otherwise clears the item.
    void Set(const std::string& id, const std::string& parentComplect, std::int32_t sideNo,
             std::int32_t count, const std::string& comment, float length, const std::string& history);
    void Clear();
    void AddCount(std::int32_t n) { Count += n; }

    // Item record (v = version of the file being read):
    //   ID                             text
    //   Length                         real (code 5), single widened
    //   Count                          integer (code 3)
    //   History                        text               when v >= "06.10.2015"
    //   Comment                        text               when v >= "03.03.2019"
    //   SideNo                         integer            when v >= "26.12.2019"
    //   Reserved1, Reserved2, Reserved3 integer x3        same
    //   ParentComplect                 text               same
    // Fields an older file lacks stay empty or 0.
    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const std::string& version);

    std::string ID;
    float Length = 0;
    std::int32_t Count = 0;
    std::string History;
    std::string Comment;
    std::int32_t SideNo = 0;
    std::int32_t Reserved1 = 0;
    std::int32_t Reserved2 = 0;
    std::int32_t Reserved3 = 0;
    std::string ParentComplect;
    TkvfFurnComp* Owner = nullptr;
};

} // namespace kvf

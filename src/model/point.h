#pragma once
// TkvfPoint: one corner of a sash outline, in tenths of a millimetre.

#include "geometry/point.h"

#include <cstdint>
#include <string>

namespace kvf {

class TSpecStream;
class TkvfFlugel;

class TkvfPoint {
public:
    explicit TkvfPoint(TkvfFlugel* owner, std::int32_t x = 0, std::int32_t y = 0);

    TPoint GetPoint() const { return {X, Y}; }

    // Point record:
    //   X  integer (code 3)
    //   Y  integer (code 3)
    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const std::string& version);

    std::int32_t X = 0;
    std::int32_t Y = 0;
    TkvfFlugel* Owner = nullptr;
};

} // namespace kvf

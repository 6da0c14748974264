#pragma once
// TkvfLine: one side of a sash outline, straight or a circular arc, with the
// marks the fittings composition puts on it.

#include "geometry/point.h"

#include <cstdint>
#include <string>

namespace kvf {

class TSpecStream;
class TkvfFlugel;
class TkvfPoint;

class TkvfLine {
public:
    explicit TkvfLine(TkvfFlugel* owner);
    TkvfLine(TkvfFlugel* owner, float radius1, float radius2, TFloatPoint center);

    // Distance of the end points in tenths of a millimetre; -1 when an end is missing.
    long double ChordLength() const;
    // ChordLength / 10 in millimetres, unrounded; an arc side measures its chord.
    float Length() const;

    bool IsCircularArc() const;
    bool IsSemicircle() const;
    bool IsSegmentArc() const;
    bool IsEllipticArc() const;

    // 1 vertical, 0 horizontal, 3 oblique (also when an end point is missing).
    int Orientation() const;

    // Center := the centre of the arc of Radius1 through both ends; (0, 0) for a straight side.
    void UpdateCenter();

    // Places the handle `height` millimetres along the side, measured from the
    // start point (direction 0) or from the end point (any other direction),
    // with its mark 1 mm off the side. A side that is not Handled loses its
    // handle height and mark instead.
    void SetHandle(std::int32_t height, int direction);

    // Line record (end points are not part of it):
    //   Radius1, Radius2          real (code 5), singles widened
    //   Center.X, Center.Y        real (code 5), singles widened
    //   Opening                   boolean (code 11)
    //   RotSideIndex              integer (code 3)
    //   Handled, Banded, Drived   boolean (code 11) each
    //   HandleHeight              integer (code 3)
    //   HandleMark.X, .Y          integer (code 3) each
    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const std::string& version);

    float Radius1 = 0;
    float Radius2 = 0;
    TFloatPoint Center;
    TkvfPoint* StartPoint = nullptr;
    TkvfPoint* EndPoint = nullptr;
    bool Opening = false;
    std::int32_t RotSideIndex = 0;
    bool Handled = false;
    bool Banded = false;
    bool Drived = false;
    std::int32_t HandleHeight = 0;
    TPoint HandleMark;
    TkvfFlugel* Owner = nullptr;
};

} // namespace kvf

#include "model/line.h"

#include "base/rounding.h"
#include "base/typed_stream.h"
#include "geometry/constructions.h"
#include "geometry/measures.h"
#include "model/point.h"

namespace kvf {

TkvfLine::TkvfLine(TkvfFlugel* owner) : Owner(owner) {}

TkvfLine::TkvfLine(TkvfFlugel* owner, float radius1, float radius2, TFloatPoint center)
    : Radius1(radius1), Radius2(radius2), Center(center), Owner(owner) {}

long double TkvfLine::ChordLength() const {
    if (StartPoint == nullptr || EndPoint == nullptr) {
        return -1;
    }
    return PointDistance(StartPoint->GetPoint(), EndPoint->GetPoint());
}

float TkvfLine::Length() const {
    return static_cast<float>(ChordLength() / 10);
}

bool TkvfLine::IsCircularArc() const {
    return Radius1 != 0 && Radius1 == Radius2;
}

bool TkvfLine::IsSemicircle() const {
    return IsCircularArc() && ChordLength() / 2 == Radius1;
}

bool TkvfLine::IsSegmentArc() const {
    return IsCircularArc() && ChordLength() / 2 != Radius1;
}

bool TkvfLine::IsEllipticArc() const {
    return Radius1 != 0 && Radius2 != 0 && Radius1 != Radius2;
}

int TkvfLine::Orientation() const {
    if (StartPoint == nullptr || EndPoint == nullptr) {
        return 3;
    }
    const long double angle = PointAngle(StartPoint->GetPoint(), EndPoint->GetPoint());
    if (angle == 90 || angle == 270) {
        return 1;
    }
    if (angle == 0 || angle == 180) {
        return 0;
    }
    return 3;
}

void TkvfLine::UpdateCenter() {
    if (Radius1 != 0 && StartPoint != nullptr && EndPoint != nullptr) {
        Center = ArcCenter(StartPoint->GetPoint(), EndPoint->GetPoint(), Radius1);
    } else {
        Center = TFloatPoint();
    }
}

void TkvfLine::SetHandle(std::int32_t height, int direction) {
    if (!Handled) {
        HandleHeight = 0;
        HandleMark = TPoint();
        return;
    }
    HandleHeight = height;
    if (StartPoint == nullptr || EndPoint == nullptr) {
        return;
    }
    const long double d = RoundAway(static_cast<long double>(height) * 10);
    const TPoint start = StartPoint->GetPoint();
    const TPoint end = EndPoint->GetPoint();
    if (direction == 0) {
        HandleMark = PolarPoint(PointToward(start, end, d), start, end, -90, 10);
    } else {
        HandleMark = PolarPoint(PointToward(end, start, d), end, start, 90, 10);
    }
}

void TkvfLine::SaveToStream(TSpecStream& stream) const {
    stream.WriteSingle(Radius1);
    stream.WriteSingle(Radius2);
    stream.WriteSingle(Center.X);
    stream.WriteSingle(Center.Y);
    stream.WriteBoolean(Opening);
    stream.WriteInteger(RotSideIndex);
    stream.WriteBoolean(Handled);
    stream.WriteBoolean(Banded);
    stream.WriteBoolean(Drived);
    stream.WriteInteger(HandleHeight);
    stream.WriteInteger(HandleMark.X);
    stream.WriteInteger(HandleMark.Y);
}

void TkvfLine::LoadFromStream(TSpecStream& stream, const std::string&) {
    Radius1 = stream.ReadSingle();
    Radius2 = stream.ReadSingle();
    Center.X = stream.ReadSingle();
    Center.Y = stream.ReadSingle();
    Opening = stream.ReadBoolean();
    RotSideIndex = stream.ReadInteger();
    Handled = stream.ReadBoolean();
    Banded = stream.ReadBoolean();
    Drived = stream.ReadBoolean();
    HandleHeight = stream.ReadInteger();
    HandleMark.X = stream.ReadInteger();
    HandleMark.Y = stream.ReadInteger();
}

} // namespace kvf

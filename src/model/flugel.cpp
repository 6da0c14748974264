#include "model/flugel.h"

#include "base/error.h"
#include "base/typed_stream.h"
#include "base/version_date.h"
#include "geometry/measures.h"
#include "model/construction.h"
#include "model/record_list.h"
#include "model/record_versions.h"

#include <array>
#include <cstdlib>
#include <limits>

namespace kvf {

namespace {

// x0 + v for the outline's corners; a position too wide for the coordinates is refused.
std::int32_t shifted(std::int32_t x0, std::int32_t v) {
    const std::int64_t sum = static_cast<std::int64_t>(x0) + v;
    if (sum < std::numeric_limits<std::int32_t>::min() || sum > std::numeric_limits<std::int32_t>::max()) {
        throw KvfError("Размеры позиции слишком велики для построения контура створки!");
    }
    return static_cast<std::int32_t>(sum);
}

// A stored count that no sash can have: negative, or more records than bytes left.
void checkCount(const TSpecStream& stream, std::int32_t count, const char* what) {
    const size_t left = stream.AtEnd() ? 0 : stream.Size() - stream.Position();
    if (count < 0 || static_cast<size_t>(count) > left) {
        throw KvfError(std::string("Запись створки повреждена: ") + what + " " + std::to_string(count) + ".");
    }
}

} // namespace

TkvfFlugel::TkvfFlugel(TkvfConstruction* construction) : Construction(construction) {}

TkvfFlugel::~TkvfFlugel() = default;

void TkvfFlugel::ClearOutline() {
    Lines.clear();
    Points.clear();
}

void TkvfFlugel::BuildFromShape(const TkvfShapeRecord& shape, std::int32_t x0) {
    ClearOutline();
    const std::int32_t left = x0;
    const std::int32_t right = shifted(x0, shape.B);
    const std::int32_t h = shape.H;
    std::vector<TPoint> corners;
    bool arcOnTop = false;
    switch (shape.Shape) {
    case 3:
        corners = {{left, h}, {left, h - shape.X}, {right, 0}, {right, h}};
        break;
    case 4:
        corners = {{left, h}, {left, 0}, {right, h - shape.X}, {right, h}};
        break;
    case 5:
        corners = {{left, h}, {right, 0}, {right, h}};
        break;
    case 6:
        corners = {{left, h}, {left, 0}, {right, h}};
        break;
    case 7:
        corners = {{left, h}, {left, shape.X}, {right, shape.X}, {right, h}};
        arcOnTop = true;
        break;
    default:
        corners = {{left, h}, {left, 0}, {right, 0}, {right, h}};
        arcOnTop = true;
        break;
    }
    for (const TPoint& corner : corners) {
        Points.push_back(std::make_unique<TkvfPoint>(this, corner.X, corner.Y));
        Lines.push_back(std::make_unique<TkvfLine>(this));
    }
    if (arcOnTop) {
        Lines[1]->Radius1 = shape.R1;
        Lines[1]->Radius2 = shape.R2;
    }
    LinkLines();
    UpdateCenters();
}

void TkvfFlugel::LinkLines() {
    if (Lines.size() > Points.size()) {
        throw KvfError("Невозможно связать стороны створки: сторон " + std::to_string(Lines.size()) +
                       ", точек " + std::to_string(Points.size()) + ".");
    }
    for (size_t i = 0; i < Lines.size(); ++i) {
        Lines[i]->StartPoint = Points[i].get();
        Lines[i]->EndPoint = i + 1 < Lines.size() ? Points[i + 1].get() : Points[0].get();
    }
}

void TkvfFlugel::UpdateCenters() {
    for (const auto& line : Lines) {
        line->UpdateCenter();
    }
}

void TkvfFlugel::getBounds(TPoint& least, TPoint& greatest) const {
    if (Points.empty()) {
        least = TPoint();
        greatest = TPoint();
        return;
    }
    // The extreme points move only for a gain of at least 0.01, so a later
    // point within that distance leaves the earlier one in place.
    TFloatPoint leastX = Points[0]->GetPoint();
    TFloatPoint leastY = leastX;
    TFloatPoint greatestX = leastX;
    TFloatPoint greatestY = leastX;
    const auto consider = [&](TFloatPoint p) {
        const long double step = 0.01L;
        if (static_cast<long double>(leastX.X) - p.X >= step) {
            leastX = p;
        }
        if (static_cast<long double>(p.X) - greatestX.X >= step) {
            greatestX = p;
        }
        if (static_cast<long double>(leastY.Y) - p.Y >= step) {
            leastY = p;
        }
        if (static_cast<long double>(p.Y) - greatestY.Y >= step) {
            greatestY = p;
        }
    };
    for (size_t i = 1; i < Points.size(); ++i) {
        consider(Points[i]->GetPoint());
    }
    for (const auto& line : Lines) {
        if (line->Radius1 == 0 || line->StartPoint == nullptr || line->EndPoint == nullptr) {
            continue;
        }
        const long double r = line->Radius1;
        const TFloatPoint c = line->Center;
        const std::array<TFloatPoint, 4> candidates = {
            TFloatPoint(static_cast<float>(c.X - r), c.Y), TFloatPoint(c.X, static_cast<float>(c.Y - r)),
            TFloatPoint(static_cast<float>(c.X + r), c.Y), TFloatPoint(c.X, static_cast<float>(c.Y + r))};
        for (const TFloatPoint& candidate : candidates) {
            if (PointOnArc(line->StartPoint->GetPoint(), line->EndPoint->GetPoint(), c, candidate, r)) {
                consider(candidate);
            }
        }
    }
    least = FloatToPointDown(TFloatPoint(leastX.X, leastY.Y));
    greatest = FloatToPointUp(TFloatPoint(greatestX.X, greatestY.Y));
}

void TkvfFlugel::GetSize(std::int32_t& width, std::int32_t& height) const {
    TPoint least;
    TPoint greatest;
    getBounds(least, greatest);
    width = DivRound(std::llabs(static_cast<long long>(greatest.X) - least.X), 10);
    height = DivRound(std::llabs(static_cast<long long>(greatest.Y) - least.Y), 10);
}

void TkvfFlugel::GetExtent(TPoint& min, TPoint& max) const {
    TPoint least;
    TPoint greatest;
    getBounds(least, greatest);
    min = {least.X / 10, least.Y / 10};
    max = {greatest.X / 10, greatest.Y / 10};
}

TkvfLine* TkvfFlugel::PrevLine(const TkvfLine* line) const {
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (Lines[i].get() == line) {
            return i == 0 ? Lines.back().get() : Lines[i - 1].get();
        }
    }
    return nullptr;
}

float TkvfFlugel::SideAngle(int i) const {
    if (i < 0 || static_cast<size_t>(i) >= Lines.size()) {
        throw KvfError("Неверный номер стороны створки: " + std::to_string(i + 1) + ".");
    }
    const TkvfLine& line = *Lines[i];
    const TkvfLine& prev = *PrevLine(&line);
    if (prev.StartPoint == nullptr || line.StartPoint == nullptr || line.EndPoint == nullptr) {
        return -1;
    }
    return static_cast<float>(ArcCornerAngle(prev.StartPoint->GetPoint(), line.StartPoint->GetPoint(),
                                             line.EndPoint->GetPoint(), prev.Radius1, line.Radius1,
                                             prev.Center, line.Center));
}

int TkvfFlugel::HandledSideIndex() const {
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (Lines[i]->Handled) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int TkvfFlugel::BandedSideIndex() const {
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (Lines[i]->Banded) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::int32_t TkvfFlugel::GetHandleHeight() const {
    const int index = HandledSideIndex();
    return index < 0 ? 0 : Lines[index]->HandleHeight;
}

TkvfFlugel* TkvfFlugel::OtherFlugel() const {
    if (Construction == nullptr) {
        return nullptr;
    }
    return this == &Construction->LeftFlugel ? &Construction->RightFlugel : &Construction->LeftFlugel;
}

void TkvfFlugel::SaveToStream(TSpecStream& stream) const {
    SaveRecords(stream, Points);
    SaveRecords(stream, Lines);
    stream.WriteInteger(Dorn);
    stream.WriteBoolean(FurnComp != nullptr);
    if (FurnComp != nullptr) {
        FurnComp->SaveToStream(stream);
    }
    SaveMatList(stream, MatList);
}

void TkvfFlugel::LoadFromStream(TSpecStream& stream, const std::string& version) {
    ClearOutline();
    FurnComp.reset();
    MatList.clear();
    const std::int32_t pointCount = stream.ReadInteger();
    checkCount(stream, pointCount, "число точек");
    for (std::int32_t i = 0; i < pointCount; ++i) {
        Points.push_back(std::make_unique<TkvfPoint>(this));
        Points.back()->LoadFromStream(stream, version);
    }
    const std::int32_t lineCount = stream.ReadInteger();
    checkCount(stream, lineCount, "число сторон");
    for (std::int32_t i = 0; i < lineCount; ++i) {
        Lines.push_back(std::make_unique<TkvfLine>(this));
        Lines.back()->LoadFromStream(stream, version);
    }
    LinkLines();
    if (VersionAtLeast(version, kVersionSashDorn)) {
        Dorn = stream.ReadInteger();
    }
    if (stream.ReadBoolean()) {
        FurnComp = std::make_unique<TkvfFurnComp>(this);
        FurnComp->LoadFromStream(stream, version);
    }
    LoadMatList(stream, MatList);
}

} // namespace kvf

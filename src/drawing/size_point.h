#pragma once
// Breakpoints of dimension chains. A chain (TkvfSizePointList) is one run of
// adjoining dimensions: n points give n - 1 dimensions. Points of a horizontal
// chain carry only X, those of a vertical chain only Y; millimetres.

#include "geometry/point.h"

#include <cstdint>
#include <vector>

namespace kvf {

struct TkvfSizePoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;

    static TkvfSizePoint CreateX(std::int32_t x) { return {x, 0}; }
    static TkvfSizePoint CreateY(std::int32_t y) { return {0, y}; }
    TPoint GetPoint() const { return {X, Y}; }

    friend bool operator==(const TkvfSizePoint&, const TkvfSizePoint&) = default;
};

class TkvfSizePointList {
public:
    TkvfSizePointList() = default;
    TkvfSizePointList(std::initializer_list<TkvfSizePoint> points);

    // Appends the point and returns its index; -1 (nothing added) when an equal
    // point is already in the chain.
    int Add(TkvfSizePoint point);
    const TkvfSizePoint& Items(int i) const { return points.at(static_cast<std::size_t>(i)); }
    int Count() const { return static_cast<int>(points.size()); }
    const TkvfSizePoint& First() const { return points.front(); }
    const TkvfSizePoint& Last() const { return points.back(); }
    void SortX();
    void SortY();
    // Same number of points and equal points at every index.
    bool SameAs(const TkvfSizePointList& other) const { return points == other.points; }
    bool Contains(TkvfSizePoint point) const;

private:
    std::vector<TkvfSizePoint> points;
};

} // namespace kvf

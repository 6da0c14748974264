#include "drawing/size_point.h"

#include <algorithm>

namespace kvf {

TkvfSizePointList::TkvfSizePointList(std::initializer_list<TkvfSizePoint> list) {
    for (TkvfSizePoint point : list) {
        Add(point);
    }
}

int TkvfSizePointList::Add(TkvfSizePoint point) {
    if (Contains(point)) {
        return -1;
    }
    points.push_back(point);
    return Count() - 1;
}

void TkvfSizePointList::SortX() {
    std::stable_sort(points.begin(), points.end(), [](const auto& a, const auto& b) { return a.X < b.X; });
}

void TkvfSizePointList::SortY() {
    std::stable_sort(points.begin(), points.end(), [](const auto& a, const auto& b) { return a.Y < b.Y; });
}

bool TkvfSizePointList::Contains(TkvfSizePoint point) const {
    return std::find(points.begin(), points.end(), point) != points.end();
}

} // namespace kvf

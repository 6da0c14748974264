#include "drawing/size_grid.h"

#include "geometry/drawing_helpers.h"
#include "model/construction.h"
#include "model/flugel.h"

namespace kvf {

TkvfSizeGrid::TkvfSizeGrid(Canvas& canvas) : canvas(canvas), RowHeight(canvas.TextExtent("0").Y + 2) {}

namespace {

using Coordinate = std::int32_t (*)(const TkvfSizePoint&);

std::int32_t coordX(const TkvfSizePoint& p) {
    return p.X;
}
std::int32_t coordY(const TkvfSizePoint& p) {
    return p.Y;
}

// Where the chain fits into the row: the index to insert it at, or -1.
int placeInRow(const TkvfSizing& row, const TkvfSizePointList& chain, Coordinate coord) {
    const auto& chains = row.Chains;
    if (chains.empty() || coord(chains.front().First()) >= coord(chain.Last())) {
        return 0;
    }
    for (std::size_t i = 1; i < chains.size(); ++i) {
        if (coord(chain.First()) >= coord(chains[i - 1].Last()) &&
            coord(chains[i].First()) >= coord(chain.Last())) {
            return static_cast<int>(i);
        }
    }
    if (coord(chain.First()) >= coord(chains.back().Last())) {
        return static_cast<int>(chains.size());
    }
    return -1;
}

void addChain(std::vector<TkvfSizing>& rows, TkvfSizePointList chain, Coordinate coord) {
    for (const TkvfSizing& row : rows) {
        for (const TkvfSizePointList& existing : row.Chains) {
            if (existing.SameAs(chain)) {
                return;
            }
        }
    }
    for (TkvfSizing& row : rows) {
        const int place = placeInRow(row, chain, coord);
        if (place >= 0) {
            row.Chains.insert(row.Chains.begin() + place, std::move(chain));
            return;
        }
    }
    rows.emplace_back().Chains.push_back(std::move(chain));
}

TPoint inMillimetres(TPoint tenths) {
    return {tenths.X / 10, tenths.Y / 10};
}

} // namespace

void TkvfSizeGrid::AddHorz(TkvfSizePointList chain) {
    addChain(HorzRows, std::move(chain), coordX);
}

void TkvfSizeGrid::AddVert(TkvfSizePointList chain) {
    addChain(VertRows, std::move(chain), coordY);
}

void TkvfSizeGrid::Build(const TkvfConstruction& construction, TSizeOptions options) {
    if ((options & soAll) == 0) {
        return;
    }
    construction.GetSize(Extent.X, Extent.Y);
    addFlugel(construction.LeftFlugel, options);
    addFlugel(construction.RightFlugel, options);
    if (options & soOverall) {
        AddHorz({TkvfSizePoint::CreateX(0), TkvfSizePoint::CreateX(Extent.X)});
        AddVert({TkvfSizePoint::CreateY(0), TkvfSizePoint::CreateY(Extent.Y)});
    }
}

void TkvfSizeGrid::Build(const TkvfFlugel& flugel, TSizeOptions options) {
    if ((options & soAll) == 0) {
        return;
    }
    flugel.GetSize(Extent.X, Extent.Y);
    addFlugel(flugel, options);
}

void TkvfSizeGrid::addFlugel(const TkvfFlugel& flugel, TSizeOptions options) {
    TPoint min, max;
    flugel.GetExtent(min, max);
    const bool segments = (options & (soSegments | soInnerOnly)) != 0;
    const bool innerOnly = (options & soInnerOnly) != 0;
    for (const auto& line : flugel.Lines) {
        if (!line->StartPoint || !line->EndPoint) {
            continue;
        }
        const TPoint e1 = inMillimetres(line->StartPoint->GetPoint());
        const TPoint e2 = inMillimetres(line->EndPoint->GetPoint());
        const int orientation = line->Orientation();
        if (orientation != 1) {
            const bool s = innerOnly && (e1.X == min.X || e1.X == max.X);
            const bool t = innerOnly && (e2.X == min.X || e2.X == max.X);
            if (!(s && t) && segments) {
                TkvfSizePointList chain;
                chain.Add(TkvfSizePoint::CreateX(min.X));
                if (!s) {
                    chain.Add(TkvfSizePoint::CreateX(e1.X));
                }
                if (!t) {
                    chain.Add(TkvfSizePoint::CreateX(e2.X));
                }
                chain.Add(TkvfSizePoint::CreateX(max.X));
                chain.SortX();
                AddHorz(std::move(chain));
            }
        }
        if (orientation != 0) {
            const bool s = innerOnly && (e1.Y == min.Y || e1.Y == max.Y);
            const bool t = innerOnly && (e2.Y == min.Y || e2.Y == max.Y);
            if (!(s && t) && segments) {
                TkvfSizePointList chain;
                chain.Add(TkvfSizePoint::CreateY(min.Y));
                if (!s) {
                    chain.Add(TkvfSizePoint::CreateY(e1.Y));
                }
                if (!t) {
                    chain.Add(TkvfSizePoint::CreateY(e2.Y));
                }
                chain.Add(TkvfSizePoint::CreateY(max.Y));
                chain.SortY();
                AddVert(std::move(chain));
            }
        }
    }
    AddHorz({TkvfSizePoint::CreateX(min.X), TkvfSizePoint::CreateX(max.X)});
    AddVert({TkvfSizePoint::CreateY(min.Y), TkvfSizePoint::CreateY(max.Y)});
}

void TkvfSizeGrid::Draw(long double scale) {
    CanvasStateGuard restore(canvas);
    canvas.SetBrush({canvas.GetBrush().Color, BrushStyle::Clear});

    TPoint horzOrigin{0, DivRound(Extent.Y, scale)};
    TPoint vertOrigin{DivRound(Extent.X, scale), 0};
    for (TkvfSizing& row : HorzRows) {
        horzOrigin.Y += RowHeight;
        row.DrawRow(canvas, horzOrigin, false, RowHeight, scale);
    }
    for (TkvfSizing& row : VertRows) {
        vertOrigin.X += RowHeight;
        row.DrawRow(canvas, vertOrigin, true, RowHeight, scale);
    }
}

} // namespace kvf

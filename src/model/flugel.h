#pragma once
// TkvfFlugel: one sash of a position, a closed outline of corners joined by
// sides. Side n (from 1) is line n - 1; line i runs from point i to point i + 1,
// the last line back to point 0.

#include "geometry/point.h"
#include "model/furn_comp.h"
#include "model/line.h"
#include "model/matlist_item.h"
#include "model/point.h"
#include "model/shape.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kvf {

class TSpecStream;
class TkvfConstruction;

// What a catalog formula may name (TkvfFlugel::Evaluate): the size names,
// compared exactly (the height names end in the Cyrillic capital EN), and the
// side functions, compared ignoring ASCII case. Any other name reads as 0.
enum class FormulaName { None, Width, Height };
FormulaName FormulaSizeName(std::string_view name);
enum class FormulaFunction { None, SideLength, HandleHeight, OtherHandleHeight };
FormulaFunction FormulaFunctionName(std::string_view name);

class TkvfFlugel {
public:
    explicit TkvfFlugel(TkvfConstruction* construction);
    ~TkvfFlugel();
    TkvfFlugel(const TkvfFlugel&) = delete;
    TkvfFlugel& operator=(const TkvfFlugel&) = delete;

    // Replaces the outline by the shape's corners and sides, shifted right by
    // x0; all values in tenths of a millimetre.
    void BuildFromShape(const TkvfShapeRecord& shape, std::int32_t x0);
    // Line i gets points i and i + 1, the last line ends at point 0. Raises
    // KvfError when there are more lines than points.
    void LinkLines();
    void UpdateCenters();

    // Width and height of the outline (arcs included) in millimetres.
    void GetSize(std::int32_t& width, std::int32_t& height) const;
    // Least and greatest corner of the outline in millimetres, truncated.
    void GetExtent(TPoint& min, TPoint& max) const;

    // The line before `line`, the last one for the first; nullptr when `line`
    // is not a side of this sash.
    TkvfLine* PrevLine(const TkvfLine* line) const;
    // Corner angle in degrees at the start point of line i; raises KvfError
    // for an index that is no line of this sash.
    float SideAngle(int i) const;

    // Index of the first line with Handled (Banded); -1 when none.
    int HandledSideIndex() const;
    int BandedSideIndex() const;
    // HandleHeight of the first handled line; 0 when none.
    std::int32_t GetHandleHeight() const;

    // The position's other sash; nullptr for a sash without a position.
    TkvfFlugel* OtherFlugel() const;

    // The value of a catalog formula for this sash: the names FН, FFН, FRH
    // (height) and FB, FFB, FRB (width) and the functions FFL/FL (side length),
    // FFG/FG (handle height) and FFGA/FGA (handle height on the other sash).
    // Raises KvfError when the formula is not well-formed.
    double Evaluate(const std::string& formula) const;

    // Empties points and lines.
    void ClearOutline();

    // Sash record:
    //   number of points   integer, then each point record
    //   number of lines    integer, then each line record
    //   Dorn               integer             read when v >= "23.07.2019"
    //   composition        boolean (present)
    //   composition record                     only when present
    //   number of material items  integer, then each material item record
    // Loading replaces the whole sash; an older record leaves Dorn to the
    // position, which read it. Raises KvfError on a record that cannot be a
    // sash (negative or impossible counts, more lines than points).
    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const std::string& version);

    std::vector<std::unique_ptr<TkvfPoint>> Points;
    std::vector<std::unique_ptr<TkvfLine>> Lines;
    TkvfConstruction* Construction = nullptr;
    // Backset parameter code of this sash; 0 for none.
    std::int32_t Dorn = 0;
    // Fittings of the sash (flugel_furn.cpp). SetFurn stores the choice on
    // the composition (created when needed), recomputes it and applies the
    // secondary-sash rule; an empty choice clears the fittings. A composition
    // created by a failing call is removed again; the error is raised on.
    void SetFurn(ModelCatalog& catalog, CompositionPass& pass, const std::string& furnSys,
                 const std::string& profSys, const std::string& color, const TkvfFurnChoice& choice);
    // Stores the parts and marks the sides only (the fittings dialog's sketch).
    void SetFurnPreview(ModelCatalog& catalog, const TkvfFurnChoice& choice);
    // Frees the composition and resets the sides' fittings marks, then CheckSecondary.
    void ClearFurn();
    // A pair keeps one fittings system: the secondary sash loses its
    // composition unless this sash has one of the same FurnSys.
    void CheckSecondary();

    // Material list (flugel_furn.cpp): rebuilt from the composition with the
    // catalog's prices (pricing errors are raised), totalled, and added to a
    // larger list with each quantity times `factor`.
    void BuildMatList(ModelCatalog& catalog);
    Money MatListTotal() const;
    void AddMatListTo(TkvfMatList* list, std::int32_t factor, Prompter* prompter = nullptr) const;

    // The fittings composition; none until fittings are chosen.
    std::unique_ptr<TkvfFurnComp> FurnComp;
    // The priced material list of the last calculation.
    TkvfMatList MatList;

private:
    // Least and greatest outline coordinates in tenths, arcs included.
    void getBounds(TPoint& least, TPoint& greatest) const;
};

} // namespace kvf

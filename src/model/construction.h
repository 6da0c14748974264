#pragma once
// TkvfConstruction: one position of an order, a single sash or a pair of sashes
// with the position-level part of the fittings choice.

#include "base/money.h"
#include "model/flugel.h"
#include "model/shape.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kvf {

class TSpecStream;
class TkvfOrder;

class TkvfConstruction {
public:
    explicit TkvfConstruction(TkvfOrder* order);
    TkvfConstruction(const TkvfConstruction&) = delete;
    TkvfConstruction& operator=(const TkvfConstruction&) = delete;

    // Builds the outline from sizes in millimetres: the left sash for a single
    // sash (ConstrType 2), otherwise a left sash X wide and a right sash Y wide
    // beside it; every sash built gets the backset `dorn`.
    void SetShape(const TkvfShapeSizes& sizes, std::int32_t dorn);

    // In millimetres: the left sash's size for a single sash; for a pair the sum
    // of both widths and the left sash's height.
    void GetSize(std::int32_t& width, std::int32_t& height) const;

    // Copies through a typed stream loaded with the current version; errors
    // are raised again as "Ошибка копирования позиции!\r\n(%s)".
    void CopyFrom(const TkvfConstruction& other);
    // Writes this position into `stream`; errors raise
    // "Ошибка создания резервной копии объекта!\r\n(%s)".
    void Backup(TSpecStream& stream) const;
    // Rewinds `stream` and loads it with the current version; errors raise
    // "Ошибка восстановления объекта из резервной копии!\r\n(%s)".
    void Restore(TSpecStream& stream);

    // Fittings of the position (construction_furn.cpp). SetFurn stores the
    // position-level choice and sets both sashes, the main sash first (the
    // left one for ConstrType 0 and 2, the right one for 1); a single sash's
    // partner loses its composition. Then the Cost is recomputed.
    void SetFurn(ModelCatalog& catalog, CompositionPass& pass, const std::string& furnSys,
                 const std::string& profSys, const std::string& color, std::int32_t falz,
                 std::int32_t stulpType, std::int32_t openType, float profWidth, float thickness,
                 const TkvfFurnChoice& left, const TkvfFurnChoice& right);
    void SetFurnPreview(ModelCatalog& catalog, const TkvfFurnChoice& left, const TkvfFurnChoice& right);
    // Frees the composition of the left sash (k = 1) or the right sash; the side marks stay.
    void ClearFurnOf(int k);
    // Appends the names of each sash's Complect, HandlePart, Hinge, Cylinder
    // and Drive that are chosen; an empty line for a complect not in the catalog.
    void ListFittingNames(ModelCatalog& catalog, std::vector<std::string>& list) const;
    // Iteration over the sashes' compositions for reports: the left sash's,
    // then (not for a single sash) the right sash's; nullptr for a sash without one.
    TkvfFurnComp* FirstComp();
    TkvfFurnComp* NextComp();

    // Money (construction_furn.cpp): Cost := the totals of both sashes' rebuilt
    // material lists; PositionTotal = Number x Cost; AddMatListTo adds both
    // sashes' lists times Number.
    void RecalcCost(ModelCatalog& catalog);
    Money PositionTotal() const;
    void AddMatListTo(TkvfMatList* list, Prompter* prompter = nullptr) const;

    // Construction record:
    //   Included            boolean
    //   No, Name            text
    //   Number              integer
    //   ObjectType          byte
    //   FurnSys, ProfSys, Color  text
    //   two obsolete texts  text, text     only read when v < "10.12.2009"
    //   Falz                integer
    //   backset of both sashes  integer    only read when v < "23.07.2019"
    //   StulpType           integer
    //   ProfWidth, Thickness  real (singles widened)
    //   OpenType            integer
    //   Cost                currency
    //   Note                text (lines)
    //   ConstrType          byte
    //   LeftFlugel, RightFlugel  sash records
    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const std::string& version);

    bool Included = true;
    std::string No;
    std::string Name;
    std::int32_t Number = 0;
    // 0 window, 1 door with threshold.
    std::uint8_t ObjectType = 0;
    std::string FurnSys;
    std::string ProfSys;
    std::string Color;
    std::int32_t Falz = 0;
    std::int32_t StulpType = 0;
    std::int32_t OpenType = 0;
    float ProfWidth = 0;
    float Thickness = 0;
    std::vector<std::string> Note;
    Money Cost;
    // 0 a pair with the left sash main, 1 a pair with the right sash main, 2 a single sash.
    std::uint8_t ConstrType = 2;
    TkvfFlugel LeftFlugel{this};
    TkvfFlugel RightFlugel{this};
    TkvfOrder* Order = nullptr;

private:
    bool compIterationArmed_ = false;
};

} // namespace kvf

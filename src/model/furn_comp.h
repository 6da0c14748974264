#pragma once
// TkvfFurnComp: the fittings choice of one sash (system, colour, main complect,
// optional parts, properties, additional complects) and the composition items
// computed from it. It also marks the sash's sides from the complect's side rules.

#include "model/furn_item.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kvf {

class CompositionPass;
class ModelCatalog;
class TSpecStream;
class TkvfFlugel;

// The per-sash part of a fittings choice, as the fittings dialog hands it over.
struct TkvfFurnChoice {
    std::string Complect;
    std::string Hinge;
    std::string HandlePart;
    std::string Lock;
    std::string Cylinder;
    std::string Drive;
    std::string Latch;
    std::int32_t UserHandleHeight = 0;
    bool UserHandleHeightSet = false;
    std::vector<std::string> Properties;   // "slot=property" lines
    std::vector<std::string> DopComplects; // additional complect identifiers
    std::int32_t Dorn = 0;                 // backset code of the sash

    // True when none of the seven parts is chosen.
    bool PartsEmpty() const;
    // True when, in addition, there are no additional complects.
    bool Empty() const { return PartsEmpty() && DopComplects.empty(); }
};

class TkvfFurnComp {
public:
    explicit TkvfFurnComp(TkvfFlugel* flugel = nullptr);

    // Frees the items only.
    void ClearItems() { Items.clear(); }
    // Every field to its cleared value, both line lists emptied, items freed.
    void Clear();

    // Stores the whole choice, then Rebuild.
    void SetChoice(ModelCatalog& catalog, CompositionPass& pass, const std::string& furnSys,
                   const std::string& profSys, const std::string& color, const TkvfFurnChoice& choice);
    // UpdateSideMarks, then Recalculate.
    void Rebuild(ModelCatalog& catalog, CompositionPass& pass);
    // Stores the seven parts and the handle height only and marks the sides;
    // the items are not computed (the fittings dialog's sketch while choosing).
    void SetChoicePreview(ModelCatalog& catalog, const TkvfFurnChoice& choice);

    // Derives images, screen colours and the marks of the sash's sides from
    // the main complect's side rules.
    void UpdateSideMarks(ModelCatalog& catalog);
    // Recomputes the items from scratch; on an error the items are emptied and
    // the error is raised on.
    void Recalculate(CompositionPass& pass);

    // The first item equal in ID, ParentComplect, Comment, SideNo and exactly
    // in Length; -1 when none.
    int FindItem(const std::string& id, const std::string& parentComplect, std::int32_t sideNo, float length,
                 const std::string& comment) const;
    // The first item with that ID; -1 when none.
    int IndexOfID(const std::string& id) const;
    // Ignores an empty ID, a count of 0 and a virtual article. With noMerge a
    // new item keeps the history; without, the count goes to an equal item or
    // a new item is appended with an empty history. Returns the index of the
    // item that holds the count, -1 when nothing was added.
    int AddItem(ModelCatalog& catalog, const std::string& id, const std::string& parentComplect,
                std::int32_t sideNo, std::int32_t count, const std::string& comment, float length,
                bool noMerge, const std::string& history);

    int ItemCount() const { return static_cast<int>(Items.size()); }
    TkvfFurnItem& Item(int i) { return *Items.at(i); }
    const TkvfFurnItem& Item(int i) const { return *Items.at(i); }

    // Composition record:
    //   FurnSys, ProfSys, Color, Complect, Hinge, HandlePart   text each
    //   UserHandleHeight                                       integer (code 3)
    //   UserHandleHeightSet                                    boolean (code 11)
    //   Lock, Cylinder, Drive, Latch                           text each
    //   ComplectImage, HandleImage, HingeImage, DriveImage,
    //   ExtraImage, HandleColor, HingeColor, DriveColor,
    //   ExtraColor                                             integer x9
    //   Properties, DopComplects                               text (lines) each
    //   number of items                                        integer
    //   item records (TkvfFurnItem)
    // No version conditions of its own; the items test the version.
    void SaveToStream(TSpecStream& stream) const;
    void LoadFromStream(TSpecStream& stream, const std::string& version);

    std::string FurnSys;
    std::string ProfSys;
    std::string Color;
    std::string Complect;
    std::string Hinge;
    std::string HandlePart;
    std::string Lock;
    std::string Cylinder;
    std::string Drive;
    std::string Latch;
    std::int32_t ComplectImage = -1;
    std::int32_t HandleImage = -1;
    std::int32_t HingeImage = -1;
    std::int32_t DriveImage = -1;
    std::int32_t ExtraImage = -1;
    std::int32_t HandleColor = 0;
    std::int32_t HingeColor = 0;
    std::int32_t DriveColor = 0;
    std::int32_t ExtraColor = 0;
    std::int32_t UserHandleHeight = 0;
    bool UserHandleHeightSet = false;
    std::vector<std::string> Properties;
    std::vector<std::string> DopComplects;
    std::vector<std::unique_ptr<TkvfFurnItem>> Items;
    TkvfFlugel* Flugel = nullptr;

private:
    void storeParts(const TkvfFurnChoice& choice);
};

} // namespace kvf

#include "model/furn_comp.h"

#include "base/rounding.h"
#include "base/typed_stream.h"
#include "model/composition_pass.h"
#include "model/flugel.h"
#include "model/model_catalog.h"
#include "model/record_list.h"

namespace kvf {

namespace {

// The image code given when no hinge part is chosen.
constexpr std::int32_t kNoHingeImage = 20;

// Complect images that draw a handle without a handle part (sliding symbols).
bool imageHasHandle(std::int32_t image) {
    return image >= 1 && image <= 5;
}

} // namespace

bool TkvfFurnChoice::PartsEmpty() const {
    return Complect.empty() && Hinge.empty() && HandlePart.empty() && Lock.empty() && Cylinder.empty() &&
           Drive.empty() && Latch.empty();
}

TkvfFurnComp::TkvfFurnComp(TkvfFlugel* flugel) : Flugel(flugel) {}

void TkvfFurnComp::Clear() {
    FurnSys.clear();
    ProfSys.clear();
    Color.clear();
    Complect.clear();
    Hinge.clear();
    HandlePart.clear();
    Lock.clear();
    Cylinder.clear();
    Drive.clear();
    Latch.clear();
    ComplectImage = -1;
    HandleImage = -1;
    HingeImage = -1;
    DriveImage = -1;
    ExtraImage = -1;
    HandleColor = 0;
    HingeColor = 0;
    DriveColor = 0;
    ExtraColor = 0;
    UserHandleHeight = 0;
    UserHandleHeightSet = false;
    Properties.clear();
    DopComplects.clear();
    ClearItems();
}

void TkvfFurnComp::storeParts(const TkvfFurnChoice& choice) {
    Complect = choice.Complect;
    Hinge = choice.Hinge;
    HandlePart = choice.HandlePart;
    Lock = choice.Lock;
    Cylinder = choice.Cylinder;
    Drive = choice.Drive;
    Latch = choice.Latch;
    UserHandleHeight = choice.UserHandleHeight;
    UserHandleHeightSet = choice.UserHandleHeightSet;
}

void TkvfFurnComp::SetChoice(ModelCatalog& catalog, CompositionPass& pass, const std::string& furnSys,
                             const std::string& profSys, const std::string& color,
                             const TkvfFurnChoice& choice) {
    FurnSys = furnSys;
    ProfSys = profSys;
    Color = color;
    storeParts(choice);
    Properties = choice.Properties;
    DopComplects = choice.DopComplects;
    Rebuild(catalog, pass);
}

void TkvfFurnComp::Rebuild(ModelCatalog& catalog, CompositionPass& pass) {
    UpdateSideMarks(catalog);
    Recalculate(pass);
}

void TkvfFurnComp::SetChoicePreview(ModelCatalog& catalog, const TkvfFurnChoice& choice) {
    storeParts(choice);
    UpdateSideMarks(catalog);
}

void TkvfFurnComp::UpdateSideMarks(ModelCatalog& catalog) {
    if (Complect.empty() && Hinge.empty() && HandlePart.empty() && Lock.empty() && Cylinder.empty() &&
        Drive.empty() && Latch.empty() && DopComplects.empty()) {
        Clear();
        return;
    }
    HandleColor = catalog.GetComplectColor(HandlePart);
    DriveColor = catalog.GetComplectColor(Drive);
    ComplectImage = catalog.GetComplectImage(Complect);
    HandleImage = catalog.GetComplectImage(HandlePart);
    DriveImage = catalog.GetComplectImage(Drive);
    if (!Hinge.empty()) {
        HingeColor = catalog.GetComplectColor(Hinge);
        HingeImage = catalog.GetComplectImage(Hinge);
    } else {
        HingeColor = catalog.GetComplectColor(Complect);
        HingeImage = kNoHingeImage;
    }
    if (Flugel == nullptr)
        return;
    std::vector<std::unique_ptr<TkvfLine>>& lines = Flugel->Lines;
    if (Complect.empty()) {
        for (auto& line : lines) {
            line->Opening = false;
            line->RotSideIndex = -1;
            line->HandleHeight = 0;
            line->Handled = false;
            line->Banded = false;
            line->Drived = false;
        }
        return;
    }
    const bool handleShown = !HandlePart.empty() || imageHasHandle(ComplectImage);
    for (const FrnSideRule& rule : catalog.GetSideRules(Complect)) {
        const int i = rule.Side - 1;
        if (i < 0 || i >= static_cast<int>(Flugel->Points.size()) || i >= static_cast<int>(lines.size()))
            continue;
        TkvfLine& line = *lines[i];
        line.Opening = rule.OpenMode == 1;
        if (line.Opening)
            line.RotSideIndex = rule.RotSide - 1;
        line.Handled = rule.Handled == 1 && handleShown;
        if (!line.Handled) {
            line.HandleHeight = 0;
        } else {
            const int direction = catalog.GetSideHandleDirect(Complect, rule.Side);
            const std::int32_t height = UserHandleHeightSet
                                            ? UserHandleHeight
                                            : RoundAway(static_cast<long double>(line.Length()) / 2);
            line.SetHandle(height, direction);
        }
        line.Banded = rule.Banded == 1;
        line.Drived = rule.Drived == 1;
    }
}

void TkvfFurnComp::Recalculate(CompositionPass& pass) {
    ClearItems();
    try {
        pass.ComputeComposition(*this);
    } catch (...) {
        ClearItems();
        throw;
    }
}

int TkvfFurnComp::FindItem(const std::string& id, const std::string& parentComplect, std::int32_t sideNo,
                           float length, const std::string& comment) const {
    // The numbers first: they rule out most items without touching the texts.
    for (size_t i = 0; i < Items.size(); ++i) {
        const TkvfFurnItem& item = *Items[i];
        if (item.SideNo == sideNo && item.Length == length && item.ID == id &&
            item.ParentComplect == parentComplect && item.Comment == comment)
            return static_cast<int>(i);
    }
    return -1;
}

int TkvfFurnComp::IndexOfID(const std::string& id) const {
    for (size_t i = 0; i < Items.size(); ++i)
        if (Items[i]->ID == id)
            return static_cast<int>(i);
    return -1;
}

int TkvfFurnComp::AddItem(ModelCatalog& catalog, const std::string& id, const std::string& parentComplect,
                          std::int32_t sideNo, std::int32_t count, const std::string& comment, float length,
                          bool noMerge, const std::string& history) {
    if (id.empty() || count == 0 || catalog.IsVirtualArticle(id))
        return -1;
    if (!noMerge) {
        const int found = FindItem(id, parentComplect, sideNo, length, comment);
        if (found >= 0) {
            Items[found]->AddCount(count);
            return found;
        }
    }
    auto item = std::make_unique<TkvfFurnItem>(this);
    item->Set(id, parentComplect, sideNo, count, comment, length, noMerge ? history : std::string());
    Items.push_back(std::move(item));
    return static_cast<int>(Items.size()) - 1;
}

void TkvfFurnComp::SaveToStream(TSpecStream& stream) const {
    stream.WriteText(FurnSys);
    stream.WriteText(ProfSys);
    stream.WriteText(Color);
    stream.WriteText(Complect);
    stream.WriteText(Hinge);
    stream.WriteText(HandlePart);
    stream.WriteInteger(UserHandleHeight);
    stream.WriteBoolean(UserHandleHeightSet);
    stream.WriteText(Lock);
    stream.WriteText(Cylinder);
    stream.WriteText(Drive);
    stream.WriteText(Latch);
    for (std::int32_t value : {ComplectImage, HandleImage, HingeImage, DriveImage, ExtraImage, HandleColor,
                               HingeColor, DriveColor, ExtraColor})
        stream.WriteInteger(value);
    stream.WriteLines(Properties);
    stream.WriteLines(DopComplects);
    SaveRecords(stream, Items);
}

void TkvfFurnComp::LoadFromStream(TSpecStream& stream, const std::string& version) {
    ClearItems();
    FurnSys = stream.ReadText();
    ProfSys = stream.ReadText();
    Color = stream.ReadText();
    Complect = stream.ReadText();
    Hinge = stream.ReadText();
    HandlePart = stream.ReadText();
    UserHandleHeight = stream.ReadInteger();
    UserHandleHeightSet = stream.ReadBoolean();
    Lock = stream.ReadText();
    Cylinder = stream.ReadText();
    Drive = stream.ReadText();
    Latch = stream.ReadText();
    for (std::int32_t* value : {&ComplectImage, &HandleImage, &HingeImage, &DriveImage, &ExtraImage,
                                &HandleColor, &HingeColor, &DriveColor, &ExtraColor})
        *value = stream.ReadInteger();
    Properties = stream.ReadLines();
    DopComplects = stream.ReadLines();
    ReadRecords(stream, [&] {
        auto item = std::make_unique<TkvfFurnItem>(this);
        item->LoadFromStream(stream, version);
        Items.push_back(std::move(item));
    });
}

} // namespace kvf

// kvf demo sweep [--catalog DIR]
// Computes every complect of a catalog on a grid of sash sizes, 100 mm apart,
// from one step below to one step above the sizes its side rules allow. A size
// the side rules accept (ComplectFitsSash) is computed with the complect's
// default parts; a size they refuse is only counted. One line per complect:
//   ID: N sizes computed, E errors [(first at W x H: message)];
//       R refused by the side rules, A accepted outside the range[; C with a choice of articles]
// An optional part (hinge, handle, lock, ...) is computed in the slot it
// fills on the first main complect of its kind (window or door) and family.
// Exit status 0 when nothing failed: no error, no size outside the range
// accepted, no element with more than one fitting article.
//
// The sash: a rectangle, an arch (side 2 an arc: a semicircle and a segment of
// a quarter of the width in rise), or a trapezium with its left side lower
// (the corner at the top left obtuse: the top falls half the width); pairs for
// complects of a pair's sub-group, the other sash as wide as the swept one
// within its own complect's range. System: the first one in use of the
// complect's family, with its base colour as fittings and profile colour and
// the family's first strike-plate system; the first rebate set, double-sash
// type and opening type of the parameter list; the smallest backset for a
// window, the largest for a door; profile width and thickness 70 mm. Default
// parts: the first handle and the first hinge the fittings dialog offers for
// the system and the kind of sash; properties: their default values.

#include "base/error.h"
#include "catalog/catalog_lookups.h"
#include "catalog/table.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/catalog_folder.h"
#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "engine/fittings_engine.h"
#include "model/construction.h"
#include "model/order.h"
#include "model/shape.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <ostream>

namespace kvf::cli {

namespace {

// Counts the alternatives lists and takes the first row, quietly.
class SweepPrompter : public CliPrompter {
public:
    explicit SweepPrompter(std::ostream& err) : CliPrompter(err, false) {}
    int ChooseRow(const ChoiceList& list) override {
        ++choices;
        return list.Rows.empty() ? -1 : 0;
    }
    int choices = 0;
};

// What the sweep reads of a side rule: the allowed lengths, and whether the
// side is an arc (a radius is required) or slopes (its corner is obtuse).
struct SideRule {
    int MinSize = 0;
    int MaxSize = 0;
    double MinAngle = 0;
    int MinRadius = 0;
    bool FullRadius = false;
    bool HalfRadius = false;
};

struct ComplectRow {
    std::string ID;
    int Group = 0;
    int SubGroup = 0;
    int CommonGrp = 0;
    int PropKey = 0;
    bool Use = false;
};

bool IsMain(int group) {
    return group == 10 || group == 11 || group == 12;
}
bool IsDoor(int group) {
    return group == 11;
}

// Slot of an optional part by its group (1 handle, 2 hinge, 3 lock, 4
// cylinder, 5 drive, 6 latch); -1 for a main complect or an unknown group.
int SlotOfGroup(int group) {
    if (group >= 20 && group <= 22)
        return 2;
    if (group >= 30 && group <= 34)
        return 1;
    if (group >= 40 && group <= 44)
        return 3;
    if (group == 45)
        return 4;
    if (group == 46)
        return 6;
    if (group == 50)
        return 5;
    return -1;
}

// Whether a part of `group` is offered on a window (door) sash; a drive
// belongs to a window, a cylinder and a latch to a door.
bool PartFits(int group, bool door) {
    switch (group) {
    case 20:
    case 30:
    case 40:
    case 50:
        return !door;
    case 21:
    case 31:
    case 33:
    case 34:
    case 41:
    case 43:
    case 44:
    case 45:
    case 46:
        return door;
    default:
        return true;
    }
}

std::string& PartOfSlot(TkvfFurnChoice& choice, int slot) {
    switch (slot) {
    case 1:
        return choice.HandlePart;
    case 2:
        return choice.Hinge;
    case 3:
        return choice.Lock;
    case 4:
        return choice.Cylinder;
    case 5:
        return choice.Drive;
    case 6:
        return choice.Latch;
    default:
        return choice.Complect;
    }
}

std::optional<int> AsInteger(const std::string& text) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Position layouts: a single sash, or a pair whose main sash is the left one
// (ConstrType 0: sub-groups 11 and 22-24) or the right one (1: 21 and 12-14).
struct Layout {
    std::uint8_t ConstrType = 2;
    bool SweptIsLeft = true;
    bool SweptIsMain = true;
};

Layout LayoutOf(int subGroup) {
    switch (subGroup) {
    case 11:
        return {0, true, true};
    case 22:
    case 23:
    case 24:
        return {0, false, false};
    case 21:
        return {1, false, true};
    case 12:
    case 13:
    case 14:
        return {1, true, false};
    default:
        return {};
    }
}

class Sweep {
public:
    Sweep(TDM& dm, std::ostream& out, std::ostream& err)
        : dm_(dm), out_(out), prompter_(err), lookups_(dm),
          engine_(EngineContext{dm, lookups_, prompter_, false}) {
        lookups_.LoadCurrencyRates(&currencies_);
        lookups_.SetPricing({&currencies_, currencies_.empty() ? 0 : currencies_.front()->CurrencyID});
        ReadComplects();
    }

    // True when every complect computed cleanly.
    bool Run() {
        bool clean = true;
        for (const ComplectRow& complect : complects_)
            clean = SweepComplect(complect) && clean;
        return clean;
    }

private:
    void ReadComplects() {
        Table& table = dm_.T_FrnComp;
        for (table.First(); !table.Eof(); table.Next()) {
            complects_.push_back({table.AsString("ID"), static_cast<int>(table.AsInteger("Group")),
                                  static_cast<int>(table.AsInteger("SubGroup")),
                                  static_cast<int>(table.AsInteger("CommonGrp")),
                                  static_cast<int>(table.AsInteger("PropKey")), table.AsInteger("Use") == 1});
        }
    }

    std::vector<SideRule> SideRules(const std::string& id) {
        std::vector<SideRule> rules;
        FilterScope filter(dm_.T_FrnSide, "ID=" + QuoteFilterText(id));
        Table& t = dm_.T_FrnSide;
        for (t.First(); !t.Eof(); t.Next()) {
            rules.push_back({static_cast<int>(t.AsInteger("MinSize")),
                             static_cast<int>(t.AsInteger("MaxSize")), t.AsFloat("MinAngle"),
                             static_cast<int>(t.AsInteger("MinRadius")), t.AsInteger("FullRadius") != 0,
                             t.AsInteger("HalfRadius") != 0});
        }
        return rules;
    }

    // The fittings system for a complect of group `commonGrp`: the first one in
    // use whose own group or family it is (any for 0).
    struct System {
        std::string ID;
        int Group = 0;
        std::string BaseColor;
    };
    std::optional<System> SystemFor(int commonGrp) {
        Table& t = dm_.T_SysList;
        for (t.First(); !t.Eof(); t.Next()) {
            const int group = static_cast<int>(t.AsInteger("CommonGrp"));
            if (t.AsInteger("Use") == 1 &&
                (commonGrp == 0 || commonGrp == group || commonGrp == group / 100 * 100))
                return System{t.AsString("ID"), group, t.AsString("BaseColor")};
        }
        return std::nullopt;
    }

    std::string StrikeSystemFor(const System& system) {
        const std::optional<int> number = AsInteger(system.ID);
        const int family = (number ? *number : system.Group) / 100 * 100;
        FilterScope filter(dm_.T_SysProf, "FurnSysID=" + QuoteFilterText(std::to_string(family)));
        dm_.T_SysProf.First();
        return dm_.T_SysProf.Eof() ? std::string() : dm_.T_SysProf.AsString("SchlSysID");
    }

    // The first code of a parameter-list slice; the last one with `last`.
    static int ListCode(Table& slice, bool last) {
        if (slice.IsEmpty())
            return 0;
        last ? slice.Last() : slice.First();
        return static_cast<int>(slice.AsInteger("ID"));
    }

    // The first part of a slot the fittings dialog offers for the system.
    std::string FirstPart(int slot, bool door, const System& system) {
        for (const ComplectRow& row : complects_) {
            const int g = row.CommonGrp;
            if (row.Use && SlotOfGroup(row.Group) == slot && PartFits(row.Group, door) &&
                (g == 0 || g == system.Group || g == system.Group / 100 * 100))
                return row.ID;
        }
        return "";
    }

    const ComplectRow* FindComplect(const std::string& id) const {
        for (const ComplectRow& row : complects_)
            if (row.ID == id)
                return &row;
        return nullptr;
    }

    // The first main complect of the kind a part fits on and of the part's family.
    const ComplectRow* HostFor(const ComplectRow& part) const {
        for (const ComplectRow& row : complects_) {
            const bool door = IsDoor(row.Group);
            if (IsMain(row.Group) && row.Use && row.SubGroup == 0 && PartFits(part.Group, door) &&
                (part.CommonGrp == 0 || part.CommonGrp == row.CommonGrp ||
                 part.CommonGrp / 100 * 100 == row.CommonGrp))
                return &row;
        }
        return nullptr;
    }

    // The main complect of the other sash of a pair for a secondary complect.
    const ComplectRow* PartnerFor(const ComplectRow& secondary, const Layout& layout) const {
        const int wanted = layout.ConstrType == 0 ? 11 : 21;
        for (const ComplectRow& row : complects_)
            if (row.SubGroup == wanted && row.CommonGrp == secondary.CommonGrp)
                return &row;
        return nullptr;
    }

    // "slot=value" lines of the default property values of a part's key.
    void AddDefaultProperties(std::vector<std::string>& lines, int slot, const std::string& id) {
        const ComplectRow* row = FindComplect(id);
        if (row == nullptr || row->PropKey == 0)
            return;
        FilterScope filter(dm_.T_FrnProp, "PropKey = " + std::to_string(row->PropKey) + " and Default = 1");
        for (dm_.T_FrnProp.First(); !dm_.T_FrnProp.Eof(); dm_.T_FrnProp.Next())
            lines.push_back(std::to_string(slot) + "=" + std::to_string(dm_.T_FrnProp.AsInteger("ID")));
    }

    // A secondary sash of a pair has no handle of its own.
    TkvfFurnChoice ChoiceFor(const ComplectRow& main, const System& system, int dorn, const ComplectRow* part,
                             bool withHandle) {
        TkvfFurnChoice choice;
        choice.Complect = main.ID;
        choice.Dorn = dorn;
        const bool door = IsDoor(main.Group);
        if (withHandle)
            choice.HandlePart = FirstPart(1, door, system);
        choice.Hinge = FirstPart(2, door, system);
        if (part != nullptr)
            PartOfSlot(choice, SlotOfGroup(part->Group)) = part->ID;
        for (int slot = 0; slot <= 6; ++slot) {
            const std::string& id = slot == 0 ? choice.Complect : PartOfSlot(choice, slot);
            if (!id.empty())
                AddDefaultProperties(choice.Properties, slot, id);
        }
        return choice;
    }

    enum class Shape { Rectangle, Arch, Trapezium };

    struct Range {
        int Min = 0;
        int Max = 0;
    };
    static Range Common(const SideRule& a, const SideRule& b) {
        return {std::max(a.MinSize, b.MinSize), std::min(a.MaxSize, b.MaxSize)};
    }
    static std::vector<int> Grid(Range r) {
        std::vector<int> values;
        for (int v = r.Min - 100; v < r.Max + 100; v += 100)
            values.push_back(v);
        values.push_back(r.Max + 100);
        return values;
    }

    struct Size {
        int Width = 0;
        int Height = 0; // for an arch: its straight sides
        bool Semicircle = false;
        bool Inside = true; // within the side rules' size ranges
    };

    // Builds the swept sash (and its neighbour in a pair) at a size.
    void Build(TkvfConstruction& position, Shape shape, const Layout& layout, const Size& size,
               int otherWidth, int dorn) {
        TkvfShapeSizes sizes;
        sizes.H = size.Height;
        position.ConstrType = layout.ConstrType;
        position.LeftFlugel.ClearOutline();
        position.RightFlugel.ClearOutline();
        if (layout.ConstrType != 2) {
            sizes.X = layout.SweptIsLeft ? size.Width : otherWidth;
            sizes.Y = layout.SweptIsLeft ? otherWidth : size.Width;
            sizes.B = sizes.X + sizes.Y;
            sizes.Shape = layout.ConstrType == 0 ? 2 : 1;
        } else if (shape == Shape::Arch) {
            const double w = size.Width;
            const double rise = size.Semicircle ? w / 2 : w / 4;
            sizes.B = w;
            sizes.Shape = 7;
            sizes.X = rise;
            sizes.H = size.Height + rise;
            sizes.R1 = sizes.R2 = static_cast<float>((w * w / 4 + rise * rise) / (2 * rise));
        } else if (shape == Shape::Trapezium) {
            sizes.B = size.Width;
            sizes.Shape = 3;
            sizes.X = size.Height - size.Width / 2.0;
        } else {
            sizes.B = size.Width;
        }
        position.SetShape(sizes, dorn);
    }

    bool SweepComplect(const ComplectRow& complect) {
        const ComplectRow* host = &complect;
        const ComplectRow* part = nullptr;
        if (!IsMain(complect.Group)) {
            host = HostFor(complect);
            part = &complect;
            if (host == nullptr) {
                out_ << complect.ID << ": no main complect to carry it\n";
                return false;
            }
        }
        const std::vector<SideRule> rules = SideRules(host->ID);
        if (rules.size() != 4) {
            out_ << complect.ID << ": skipped, the sweep builds four-sided sashes only (" << rules.size()
                 << " side rules)\n";
            return true;
        }
        const std::optional<System> system = SystemFor(host->CommonGrp);
        if (!system) {
            out_ << complect.ID << ": no fittings system in use for group " << host->CommonGrp << "\n";
            return false;
        }
        const Layout layout = LayoutOf(host->SubGroup);
        const ComplectRow* partner = layout.SweptIsMain ? nullptr : PartnerFor(*host, layout);
        if (layout.ConstrType != 2 && !layout.SweptIsMain && partner == nullptr) {
            out_ << complect.ID << ": no main complect for the other sash of the pair\n";
            return false;
        }

        Shape shape = Shape::Rectangle;
        if (rules[1].MinRadius > 0)
            shape = Shape::Arch;
        else if (rules[1].MinAngle > 90)
            shape = Shape::Trapezium;
        const bool door = IsDoor(host->Group);
        const int dorn = ListCode(dm_.T_DornList, door);
        const int falz = ListCode(dm_.T_FalzList, false);
        const int stulp = ListCode(dm_.T_StulpList, false);
        const int open = ListCode(dm_.T_OpenList, false);
        const std::string profSys = StrikeSystemFor(*system);

        const Range widths = Common(rules[1], rules[3]);
        const Range heights = shape == Shape::Trapezium ? Range{rules[2].MinSize, rules[2].MaxSize}
                                                        : Common(rules[0], rules[2]);
        std::vector<Size> grid;
        for (int w : Grid(widths))
            for (int h : Grid(heights))
                for (bool semicircle : {true, false}) {
                    if (shape == Shape::Arch ? (semicircle ? !rules[1].FullRadius : !rules[1].HalfRadius)
                                             : !semicircle)
                        continue;
                    const bool inside =
                        w >= widths.Min && w <= widths.Max && h >= heights.Min && h <= heights.Max;
                    grid.push_back({w, h, semicircle, inside});
                }

        TkvfFurnChoice swept = ChoiceFor(*host, *system, dorn, part, layout.SweptIsMain);
        TkvfFurnChoice other;
        Range otherWidths;
        if (partner != nullptr) {
            other = ChoiceFor(*partner, *system, dorn, nullptr, true);
            const std::vector<SideRule> partnerRules = SideRules(partner->ID);
            if (partnerRules.size() == 4)
                otherWidths = Common(partnerRules[1], partnerRules[3]);
        }

        int computed = 0;
        int errors = 0;
        int refused = 0;
        int acceptedOutside = 0;
        std::string firstError;
        const int choicesBefore = prompter_.choices;
        for (const Size& size : grid) {
            TkvfOrder order;
            order.OuterProfColor = system->BaseColor;
            order.InnerProfColor = system->BaseColor;
            TkvfConstruction& position = order.AddPosition();
            const int otherWidth =
                partner != nullptr ? std::clamp(size.Width, otherWidths.Min, otherWidths.Max) : size.Width;
            if (shape == Shape::Trapezium && size.Height - size.Width / 2 < 1) {
                ++refused; // no room for the left side
                continue;
            }
            Build(position, shape, layout, size, otherWidth, dorn);
            TkvfFlugel& sash = layout.SweptIsLeft ? position.LeftFlugel : position.RightFlugel;
            if (!lookups_.ComplectFitsSash(sash, host->ID)) {
                ++refused;
                continue;
            }
            if (!size.Inside) {
                ++acceptedOutside;
                continue;
            }
            ++computed;
            const TkvfFurnChoice& left = layout.SweptIsLeft ? swept : other;
            const TkvfFurnChoice& right = layout.SweptIsLeft ? other : swept;
            try {
                position.SetFurn(lookups_, engine_, system->ID, profSys, system->BaseColor, falz, stulp, open,
                                 70, 70, left, right);
            } catch (const std::exception& e) {
                if (errors++ == 0)
                    firstError = "first at " + std::to_string(size.Width) + " x " +
                                 std::to_string(size.Height) + ": " + OneLine(e.what());
            }
        }
        const int choices = prompter_.choices - choicesBefore;

        out_ << complect.ID;
        if (part != nullptr)
            out_ << " (on " << host->ID << ")";
        out_ << ": " << computed << " sizes computed, " << errors << (errors == 1 ? " error" : " errors");
        if (errors > 0)
            out_ << " (" << firstError << ")";
        out_ << "; " << refused << " refused by the side rules, " << acceptedOutside
             << " accepted outside the range";
        if (choices > 0)
            out_ << "; " << choices << " with a choice of articles";
        out_ << "\n";
        return errors == 0 && acceptedOutside == 0 && choices == 0 && computed > 0;
    }

    static std::string OneLine(std::string text) {
        std::string line;
        for (char c : text) {
            if (c == '\r')
                continue;
            line += c == '\n' ? ' ' : c;
        }
        return line;
    }

    TDM& dm_;
    std::ostream& out_;
    SweepPrompter prompter_;
    CatalogLookups lookups_;
    FittingsEngine engine_;
    TkvfCurrencyList currencies_;
    std::vector<ComplectRow> complects_;
};

} // namespace

int RunDemo(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {});
    const std::string& sub = args.At(0, "sweep");
    if (sub != "sweep" || args.Positional().size() != 1)
        throw UsageError{"the only sub-command is sweep"};
    SweepPrompter prompter(err);
    TDM dm;
    if (!OpenCatalogFolder(args.Option("catalog"), dm, prompter, err))
        return 1;
    return Sweep(dm, out, err).Run() ? 0 : 1;
}

} // namespace kvf::cli

// The fittings composition: merging items, side marks, recalculation.

#include "comp_fake_catalog.h"
#include "model/flugel.h"
#include "model/furn_comp.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

// A rectangle sash w x h millimetres: side 1 left (upwards), 2 top, 3 right, 4 bottom.
void buildRectangle(TkvfFlugel& sash, int w, int h) {
    TkvfShapeRecord shape;
    shape.B = w * 10;
    shape.H = h * 10;
    sash.BuildFromShape(shape, 0);
}

TEST(FurnItem, SetRefusesEmptyIdOrZeroCountByClearing) {
    TkvfFurnItem item;
    item.Set("A", "K", 2, 3, "c", 10.5f, "h");
    item.Reserved1 = 7;
    item.Set("A", "K", 2, 3, "c", 10.5f, "h");
    EXPECT_EQ(0, item.Reserved1);
    EXPECT_EQ(3, item.Count);
    EXPECT_EQ("h", item.History);

    item.Set("A", "K", 2, 0, "c", 10.5f, "h");
    EXPECT_EQ("", item.ID);
    EXPECT_EQ(0, item.Count);
    EXPECT_EQ("", item.ParentComplect);
    EXPECT_EQ(0.0f, item.Length);
}

TEST(FurnComp, AddItemMergesOnlyEqualItems) {
    struct Add {
        const char* id;
        const char* parent;
        int side;
        int count;
        const char* comment;
        float length;
        bool noMerge;
    };
    struct Case {
        const char* name;
        std::vector<Add> adds;
        std::vector<std::pair<std::string, int>> expected; // (ID, Count)
        const char* firstHistory;
    };
    const Case cases[] = {
        {"equal items merge",
         {{"A", "K", 1, 2, "", 1000.0f, false}, {"A", "K", 1, 3, "", 1000.0f, false}},
         {{"A", 5}},
         ""},
        {"lengths differ by half a millimetre",
         {{"A", "K", 1, 2, "", 1000.0f, false}, {"A", "K", 1, 3, "", 1000.5f, false}},
         {{"A", 2}, {"A", 3}},
         ""},
        {"side differs",
         {{"A", "K", 1, 2, "", 0, false}, {"A", "K", 2, 3, "", 0, false}},
         {{"A", 2}, {"A", 3}},
         ""},
        {"complect differs",
         {{"A", "K", 1, 2, "", 0, false}, {"A", "L", 1, 3, "", 0, false}},
         {{"A", 2}, {"A", 3}},
         ""},
        {"comment differs",
         {{"A", "K", 1, 2, "x", 0, false}, {"A", "K", 1, 3, "y", 0, false}},
         {{"A", 2}, {"A", 3}},
         ""},
        {"no merge keeps both and the history",
         {{"A", "K", 1, 2, "", 0, true}, {"A", "K", 1, 3, "", 0, true}},
         {{"A", 2}, {"A", 3}},
         "history"},
        {"empty id, zero count and virtual article ignored",
         {{"", "K", 1, 2, "", 0, false}, {"A", "K", 1, 0, "", 0, false}, {"V", "K", 1, 1, "", 0, false}},
         {},
         ""},
        {"negative count merges",
         {{"A", "K", 0, 5, "", 0, false}, {"A", "K", 0, -2, "", 0, false}},
         {{"A", 3}},
         ""},
    };
    FakeCatalog catalog;
    catalog.articles["V"].Virtual = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfFurnComp comp;
        for (const Add& a : c.adds)
            comp.AddItem(catalog, a.id, a.parent, a.side, a.count, a.comment, a.length, a.noMerge, "history");
        std::vector<std::pair<std::string, int>> actual;
        for (const auto& item : comp.Items)
            actual.emplace_back(item->ID, item->Count);
        EXPECT_EQ(c.expected, actual);
        if (!comp.Items.empty()) {
            EXPECT_EQ(c.firstHistory, comp.Item(0).History);
            EXPECT_EQ(&comp, comp.Item(0).Owner);
        }
    }
}

TEST(FurnComp, FindItemAndIndexOfID) {
    FakeCatalog catalog;
    TkvfFurnComp comp;
    comp.AddItem(catalog, "B", "K", 1, 1, "n", 0, false, "");
    comp.AddItem(catalog, "A", "K", 2, 1, "", 1200, false, "");
    comp.AddItem(catalog, "A", "K", 3, 1, "", 1200, false, "");
    EXPECT_EQ(1, comp.IndexOfID("A"));
    EXPECT_EQ(-1, comp.IndexOfID("a"));
    EXPECT_EQ(2, comp.FindItem("A", "K", 3, 1200, ""));
    EXPECT_EQ(-1, comp.FindItem("A", "K", 3, 1200, "x"));
    EXPECT_EQ(0, comp.FindItem("B", "K", 1, 0, "n"));
}

class SideMarks : public ::testing::Test {
protected:
    void SetUp() override {
        FakeComplect k;
        k.Name = "Main";
        k.Image = 0;
        k.Color = 0x123456;
        // Side 1 opens towards side 3 and holds the handle, side 3 carries the
        // bands, side 2 the drive; side 9 lies outside every outline here.
        k.Sides = {{1, 1, 3, 1, 0, 0}, {3, 0, 0, 0, 1, 0}, {2, 0, 0, 0, 0, 1}, {9, 1, 1, 1, 1, 1}};
        k.HandleDirect[1] = 0;
        catalog.complects["K"] = k;
        catalog.complects["H"] = {"Handle", 7, 0x00FF00, {}, {}};
        catalog.complects["B"] = {"Hinge", 8, 0x0000FF, {}, {}};
        buildRectangle(sash, 700, 1400);
    }
    FakeCatalog catalog;
    // A 700 x 1400 mm sash and its composition, for the tests of one choice.
    TkvfFlugel sash{nullptr};
    TkvfFurnComp comp{&sash};
};

TEST_F(SideMarks, HandleHeightsAndHandledSides) {
    struct Case {
        const char* name;
        int image;
        const char* handlePart;
        bool userSet;
        int userHeight;
        int height;
        bool handled;
        int expectedHeight;
    };
    const Case cases[] = {
        {"middle of a 1400 mm side", 0, "H", false, 0, 1400, true, 700},
        {"middle of a 1401 mm side rounds away", 0, "H", false, 0, 1401, true, 701},
        {"user height", 0, "H", true, 1050, 1400, true, 1050},
        {"sliding image 3 marks the handle without a handle part", 3, "", false, 0, 1400, true, 700},
        {"image 5 likewise", 5, "", false, 0, 1400, true, 700},
        {"image 0 without a handle part marks none", 0, "", false, 0, 1400, false, 0},
        {"image 6 without a handle part marks none", 6, "", false, 0, 1400, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        catalog.complects["K"].Image = c.image;
        TkvfFlugel sash(nullptr);
        buildRectangle(sash, 700, c.height);
        sash.Lines[0]->HandleHeight = 123; // reset by a rule that is not handled
        TkvfFurnComp comp(&sash);
        TkvfFurnChoice choice;
        choice.Complect = "K";
        choice.HandlePart = c.handlePart;
        choice.UserHandleHeight = c.userHeight;
        choice.UserHandleHeightSet = c.userSet;
        comp.SetChoicePreview(catalog, choice);

        const TkvfLine& side1 = *sash.Lines[0];
        EXPECT_EQ(c.handled, side1.Handled);
        EXPECT_EQ(c.expectedHeight, side1.HandleHeight);
        EXPECT_TRUE(side1.Opening);
        EXPECT_EQ(2, side1.RotSideIndex);
        EXPECT_FALSE(side1.Banded);
        EXPECT_TRUE(sash.Lines[2]->Banded);
        EXPECT_FALSE(sash.Lines[2]->Opening);
        EXPECT_TRUE(sash.Lines[1]->Drived);
        EXPECT_EQ(c.image, comp.ComplectImage);
        EXPECT_TRUE(comp.Items.empty());
    }
}

TEST_F(SideMarks, HandleMarkFollowsTheHeight) {
    TkvfFurnChoice choice;
    choice.Complect = "K";
    choice.HandlePart = "H";
    choice.UserHandleHeight = 1000;
    choice.UserHandleHeightSet = true;
    comp.SetChoicePreview(catalog, choice);
    EXPECT_EQ(10, sash.Lines[0]->HandleMark.X);
    EXPECT_EQ(4000, sash.Lines[0]->HandleMark.Y);
}

TEST_F(SideMarks, LinesWithoutARuleKeepTheirMarks) {
    sash.Lines[3]->Handled = true;
    sash.Lines[3]->HandleHeight = 55;
    TkvfFurnChoice choice;
    choice.Complect = "K";
    comp.SetChoicePreview(catalog, choice);
    EXPECT_TRUE(sash.Lines[3]->Handled);
    EXPECT_EQ(55, sash.Lines[3]->HandleHeight);
}

TEST_F(SideMarks, ImagesAndColoursOfTheParts) {
    struct Case {
        const char* name;
        const char* hinge;
        int hingeImage;
        int hingeColor;
    };
    const Case cases[] = {
        {"no hinge: image 20 and the complect's colour", "", 20, 0x123456},
        {"hinge part", "B", 8, 0x0000FF},
        {"unknown hinge: image 0, white", "X", 0, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfFlugel sash(nullptr);
        buildRectangle(sash, 700, 1400);
        TkvfFurnComp comp(&sash);
        TkvfFurnChoice choice;
        choice.Complect = "K";
        choice.HandlePart = "H";
        choice.Hinge = c.hinge;
        comp.SetChoicePreview(catalog, choice);
        EXPECT_EQ(c.hingeImage, comp.HingeImage);
        EXPECT_EQ(c.hingeColor, comp.HingeColor);
        EXPECT_EQ(7, comp.HandleImage);
        EXPECT_EQ(0x00FF00, comp.HandleColor);
        EXPECT_EQ(0, comp.DriveImage);
        EXPECT_EQ(0xFFFFFF, comp.DriveColor);
        EXPECT_EQ(-1, comp.ExtraImage);
    }
}

TEST_F(SideMarks, NoComplectResetsEveryLine) {
    TkvfFurnChoice choice;
    choice.Complect = "K";
    choice.HandlePart = "H";
    comp.SetChoicePreview(catalog, choice);
    choice.Complect = "";
    comp.SetChoicePreview(catalog, choice);
    for (const auto& line : sash.Lines) {
        EXPECT_FALSE(line->Opening);
        EXPECT_EQ(-1, line->RotSideIndex);
        EXPECT_FALSE(line->Handled);
        EXPECT_FALSE(line->Banded);
        EXPECT_FALSE(line->Drived);
        EXPECT_EQ(0, line->HandleHeight);
    }
    EXPECT_EQ("H", comp.HandlePart);
}

TEST_F(SideMarks, EmptyChoiceClearsTheComposition) {
    comp.Properties = {"0=101"};
    comp.HingeImage = 4;
    comp.FurnSys = "S";
    TkvfFurnChoice empty;
    comp.SetChoicePreview(catalog, empty);
    EXPECT_EQ("", comp.FurnSys);
    EXPECT_EQ(-1, comp.HingeImage);
    EXPECT_TRUE(comp.Properties.empty());

    // Additional complects alone keep the composition.
    comp.DopComplects = {"D"};
    comp.SetChoicePreview(catalog, empty);
    EXPECT_EQ(20, comp.HingeImage);
}

TEST_F(SideMarks, RecalculateEmptiesTheItemsOnError) {
    FakePass pass(catalog);
    pass.adds = {{"A", "K", 1, 2, 0}, {"B", "K", 1, 1, 0}};
    TkvfFurnChoice choice;
    choice.Complect = "K";
    choice.Properties = {"0=105"};
    comp.SetChoice(catalog, pass, "S", "P", "C", choice);
    EXPECT_EQ(2, comp.ItemCount());
    EXPECT_EQ("S", comp.FurnSys);
    EXPECT_EQ(std::vector<std::string>{"0=105"}, comp.Properties);

    comp.Rebuild(catalog, pass); // recomputed from scratch, not added twice
    EXPECT_EQ(2, comp.ItemCount());
    EXPECT_EQ(2, comp.Item(0).Count);

    pass.error = "Комплект фурнитуры [K] не найден в документации!";
    try {
        comp.Recalculate(pass);
        FAIL() << "no error raised";
    } catch (const KvfError& e) {
        EXPECT_EQ(pass.error, e.what());
    }
    EXPECT_EQ(0, comp.ItemCount());
}

} // namespace
} // namespace kvf::test

// Handle placement on a side and the sash's handle and band queries.

#include "model/construction.h"

#include <gtest/gtest.h>

namespace kvf {
namespace {

TEST(SashHandle, SetHandlePlacesTheMarkInside) {
    struct Case {
        const char* name;
        int side;
        std::int32_t height;
        int direction;
        TPoint mark;
    };
    // The 700 x 1400 rectangle: side 1 runs up the left edge, side 2 along the top.
    const Case cases[] = {
        {"left side from its start (bottom)", 0, 1000, 0, {10, 4000}},
        {"left side from its end (top)", 0, 1000, 1, {10, 10000}},
        {"top side from its start", 1, 300, 0, {3000, 10}},
        {"top side from its end", 1, 300, 2, {4000, 10}},
        {"right side from its start (top)", 2, 500, 0, {6990, 5000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TkvfConstruction construction(nullptr);
        construction.SetShape({700, 1400, 0, 0, 0, 0, 0}, 0);
        TkvfLine& line = *construction.LeftFlugel.Lines[c.side];
        line.Handled = true;
        line.SetHandle(c.height, c.direction);
        EXPECT_EQ(c.height, line.HandleHeight);
        EXPECT_EQ(c.mark, line.HandleMark);
        EXPECT_EQ(c.side, construction.LeftFlugel.HandledSideIndex());
        EXPECT_EQ(c.height, construction.LeftFlugel.GetHandleHeight());
    }
}

TEST(SashHandle, SideWithoutHandleLosesHeightAndMark) {
    TkvfConstruction construction(nullptr);
    construction.SetShape({700, 1400, 0, 0, 0, 0, 0}, 0);
    TkvfLine& line = *construction.LeftFlugel.Lines[0];
    line.HandleHeight = 700;
    line.HandleMark = {10, 7000};
    line.SetHandle(1000, 0);
    EXPECT_EQ(0, line.HandleHeight);
    EXPECT_EQ((TPoint{0, 0}), line.HandleMark);
}

TEST(SashHandle, FirstMarkedSideCounts) {
    TkvfConstruction construction(nullptr);
    construction.SetShape({700, 1400, 0, 0, 0, 0, 0}, 0);
    TkvfFlugel& sash = construction.LeftFlugel;
    EXPECT_EQ(-1, sash.BandedSideIndex());
    sash.Lines[3]->Banded = true;
    sash.Lines[1]->Banded = true;
    sash.Lines[2]->Handled = true;
    sash.Lines[2]->HandleHeight = 650;
    sash.Lines[3]->Handled = true;
    sash.Lines[3]->HandleHeight = 100;
    EXPECT_EQ(1, sash.BandedSideIndex());
    EXPECT_EQ(2, sash.HandledSideIndex());
    EXPECT_EQ(650, sash.GetHandleHeight());
}

} // namespace
} // namespace kvf

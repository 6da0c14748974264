// Records of the fittings composition and its items.

#include "../base/hex_bytes.h"
#include "base/typed_stream.h"
#include "model/furn_comp.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

TEST(FurnItemRecord, GoldenBytes) {
    TkvfFurnItem item;
    item.Set("A1", "K", 2, 3, "", 1.5f, "h");
    TSpecStream stream;
    item.SaveToStream(stream);
    const std::string expected = "02 00 00 00 41 31 "                               // ID "A1"
                                 "05 00 00 00 00 00 00 00 00 00 00 00 00 00 F8 3F " // Length 1.5
                                 "03 00 00 00 00 00 00 00 03 00 00 00 00 00 00 00 " // Count 3
                                 "01 00 00 00 68 "                                  // History "h"
                                 "00 00 00 00 "                                     // Comment ""
                                 "03 00 00 00 00 00 00 00 02 00 00 00 00 00 00 00 " // SideNo 2
                                 "03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 " // Reserved1
                                 "03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 " // Reserved2
                                 "03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 " // Reserved3
                                 "01 00 00 00 4B";                                  // ParentComplect "K"
    EXPECT_EQ(expected, hex(stream.Bytes()));
}

// Item records written in the layout of each older version read back with
// that version; a marker after the record shows the reader stopped in place.
TEST(FurnItemRecord, OlderLayouts) {
    struct Case {
        const char* version;
        bool history;
        bool comment;
        bool side;
    };
    const Case cases[] = {
        {"05.10.2015", false, false, false}, {"06.10.2015", true, false, false},
        {"02.03.2019", true, false, false},  {"03.03.2019", true, true, false},
        {"23.07.2019", true, true, false},   {"25.12.2019", true, true, false},
        {"26.12.2019", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        TSpecStream stream;
        stream.WriteText("ART");
        stream.WriteSingle(250.5f);
        stream.WriteInteger(4);
        if (c.history)
            stream.WriteText("hist");
        if (c.comment)
            stream.WriteText("note");
        if (c.side) {
            stream.WriteInteger(3);
            stream.WriteInteger(11);
            stream.WriteInteger(12);
            stream.WriteInteger(13);
            stream.WriteText("PARENT");
        }
        stream.WriteInteger(777);
        stream.Seek(0);
        TkvfFurnItem item;
        item.LoadFromStream(stream, c.version);
        EXPECT_EQ(777, stream.ReadInteger());
        EXPECT_EQ("ART", item.ID);
        EXPECT_EQ(250.5f, item.Length);
        EXPECT_EQ(4, item.Count);
        EXPECT_EQ(c.history ? "hist" : "", item.History);
        EXPECT_EQ(c.comment ? "note" : "", item.Comment);
        EXPECT_EQ(c.side ? 3 : 0, item.SideNo);
        EXPECT_EQ(c.side ? 11 : 0, item.Reserved1);
        EXPECT_EQ(c.side ? 13 : 0, item.Reserved3);
        EXPECT_EQ(c.side ? "PARENT" : "", item.ParentComplect);
    }
}

TEST(FurnCompRecord, RoundTripKeepsEveryField) {
    TkvfFurnComp comp;
    comp.FurnSys = "1205";
    comp.ProfSys = "P";
    comp.Color = "Серебро";
    comp.Complect = "K";
    comp.Hinge = "B";
    comp.HandlePart = "H";
    comp.Lock = "L";
    comp.Cylinder = "C";
    comp.Drive = "D";
    comp.Latch = "T";
    comp.ComplectImage = 3;
    comp.HandleImage = 4;
    comp.HingeImage = 20;
    comp.DriveImage = 5;
    comp.ExtraImage = 6;
    comp.HandleColor = 7;
    comp.HingeColor = 8;
    comp.DriveColor = 9;
    comp.ExtraColor = 10;
    comp.UserHandleHeight = 1050;
    comp.UserHandleHeightSet = true;
    comp.Properties = {"0=105", "1=201"};
    comp.DopComplects = {"X", ""};
    for (int i = 0; i < 2; ++i) {
        comp.Items.push_back(std::make_unique<TkvfFurnItem>(&comp));
        comp.Items.back()->Set(i ? "B" : "A", "K", i, i + 1, "c", 100.25f * i, "h");
        comp.Items.back()->Reserved2 = 40 + i;
    }

    TSpecStream stream;
    comp.SaveToStream(stream);
    stream.Seek(0);
    TkvfFurnComp copy;
    copy.Items.push_back(std::make_unique<TkvfFurnItem>(&copy)); // freed by the load
    copy.LoadFromStream(stream, "26.12.2019");
    EXPECT_TRUE(stream.AtEnd());

    TSpecStream again;
    copy.SaveToStream(again);
    EXPECT_EQ(hex(stream.Bytes()), hex(again.Bytes()));
    EXPECT_EQ(2, copy.ItemCount());
    EXPECT_EQ(&copy, copy.Item(1).Owner);
    EXPECT_EQ(41, copy.Item(1).Reserved2);
    EXPECT_EQ("Серебро", copy.Color);
    EXPECT_EQ((std::vector<std::string>{"X", ""}), copy.DopComplects);
}

TEST(FurnCompRecord, ItemCountBeyondTheDataStopsAtTheEnd) {
    TSpecStream stream;
    TkvfFurnComp comp;
    comp.SaveToStream(stream);
    // Patch the item count (the last integer record) to a huge value.
    std::string bytes = stream.Bytes();
    bytes[bytes.size() - 8] = '\xFF';
    bytes[bytes.size() - 7] = '\xFF';
    bytes[bytes.size() - 6] = '\xFF';
    bytes[bytes.size() - 5] = '\x7F';
    TSpecStream damaged = TSpecStream::FromBytes(bytes);
    TkvfFurnComp loaded;
    loaded.LoadFromStream(damaged, "26.12.2019");
    EXPECT_EQ(0, loaded.ItemCount());
}

} // namespace
} // namespace kvf::test

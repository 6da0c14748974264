// The position and sash records: golden bytes of the current layout, the
// layouts of older versions, and records that cannot be a position.

#include "base/error.h"
#include "base/typed_stream.h"
#include "model/construction.h"
#include "order_bytes.h"

#include <gtest/gtest.h>

#include <string>

namespace kvf {
namespace {

// The 100 x 200 mm rectangle with a 100 mm arc on its top, marks on its
// sides, and every position field set.
void buildSample(TkvfConstruction& c) {
    c.Included = false;
    c.No = "001";
    c.Name = "Окно";
    c.Number = 3;
    c.ObjectType = 1;
    c.FurnSys = "RS";
    c.ProfSys = "P1";
    c.Color = "C9";
    c.Falz = 101;
    c.StulpType = 301;
    c.OpenType = 401;
    c.ProfWidth = 68.5f;
    c.Thickness = 0.1f;
    c.Note = {"a", "b"};
    c.Cost = Money::FromRaw(1234567);
    c.SetShape({100, 200, 0, 0, 0, 100, 100}, 201);
    TkvfFlugel& sash = c.LeftFlugel;
    sash.Lines[0]->Handled = true;
    sash.Lines[0]->SetHandle(5, 0);
    sash.Lines[1]->Opening = true;
    sash.Lines[1]->RotSideIndex = 2;
    sash.Lines[2]->Banded = true;
    sash.Lines[3]->Drived = true;
    sash.Lines[3]->RotSideIndex = -1;
}

// Which of the version-dependent items a layout carries.
struct Layout {
    bool obsoleteTexts;
    bool positionDorn;
    bool sashDorn;
};

test::Bytes& straightLine(test::Bytes& items) {
    return items.Real(0)
        .Real(0)
        .Real(0)
        .Real(0)
        .Bool(false)
        .Int(0)
        .Bool(false)
        .Bool(false)
        .Bool(false)
        .Int(0)
        .Point(0, 0);
}

std::string sampleRecord(const Layout& layout) {
    test::Bytes items;
    items.Bool(false).Text("001").Text("\xCE\xEA\xED\xEE").Int(3).Byte(1).Text("RS").Text("P1").Text("C9");
    if (layout.obsoleteTexts) {
        items.Text("old one").Text("old two");
    }
    items.Int(101);
    if (layout.positionDorn) {
        items.Int(201);
    }
    items.Int(301).Real(68.5f).Real(0.1f).Int(401).Currency(1234567).Text("a\r\nb\r\n").Byte(2);
    // Left sash: four corners.
    items.Int(4).Point(0, 2000).Point(0, 0).Point(1000, 0).Point(1000, 2000);
    items.Int(4);
    // Side 1 carries the handle 5 mm from its start.
    items.Real(0).Real(0).Real(0).Real(0).Bool(false).Int(0).Bool(true).Bool(false).Bool(false).Int(5).Point(
        10, 1950);
    // Side 2: the arc, its centre below the chord, stored as singles.
    items.Real(1000)
        .Real(1000)
        .Real(500)
        .Real(866.0254f)
        .Bool(true)
        .Int(2)
        .Bool(false)
        .Bool(false)
        .Bool(false)
        .Int(0);
    items.Point(0, 0);
    items.Real(0).Real(0).Real(0).Real(0).Bool(false).Int(0).Bool(false).Bool(true).Bool(false).Int(0).Point(
        0, 0);
    items.Real(0).Real(0).Real(0).Real(0).Bool(false).Int(-1).Bool(false).Bool(false).Bool(true).Int(0).Point(
        0, 0);
    if (layout.sashDorn) {
        items.Int(201);
    }
    items.Bool(false).Int(0);
    // Right sash: empty.
    items.Int(0).Int(0);
    if (layout.sashDorn) {
        items.Int(0);
    }
    items.Bool(false).Int(0);
    return items.Str();
}

std::string saved(const TkvfConstruction& c) {
    TSpecStream stream;
    c.SaveToStream(stream);
    return stream.Bytes();
}

TEST(ConstructionRecord, GoldenBytes) {
    TkvfConstruction c(nullptr);
    buildSample(c);
    EXPECT_EQ(sampleRecord({false, false, true}), saved(c));
}

TEST(ConstructionRecord, NewPositionBytes) {
    TkvfConstruction c(nullptr);
    test::Bytes items;
    items.Bool(true).Text("").Text("").Int(0).Byte(0).Text("").Text("").Text("").Int(0).Int(0).Real(0).Real(
        0);
    items.Int(0).Currency(0).Text("").Byte(2);
    for (int sash = 0; sash < 2; ++sash) {
        items.Int(0).Int(0).Int(0).Bool(false).Int(0);
    }
    EXPECT_EQ(items.Str(), saved(c));
}

TEST(ConstructionRecord, ReadsEveryLayout) {
    struct Case {
        const char* name;
        const char* version;
        Layout layout;
        std::int32_t rightDorn;
    };
    const Case cases[] = {
        {"current", "26.12.2019", {false, false, true}, 0},
        {"first with the backset per sash", "23.07.2019", {false, false, true}, 0},
        {"backset on the position", "06.10.2015", {false, true, false}, 201},
        {"day before the backset moved", "22.07.2019", {false, true, false}, 201},
        {"first without the obsolete texts", "10.12.2009", {false, true, false}, 201},
        {"obsolete texts", "09.12.2009", {true, true, false}, 201},
    };
    TkvfConstruction expected(nullptr);
    buildSample(expected);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSpecStream stream = TSpecStream::FromBytes(sampleRecord(c.layout));
        TkvfConstruction loaded(nullptr);
        loaded.Note = {"left over"};
        loaded.LoadFromStream(stream, c.version);
        EXPECT_EQ(stream.Size(), stream.Position());
        EXPECT_EQ(201, loaded.LeftFlugel.Dorn);
        EXPECT_EQ(c.rightDorn, loaded.RightFlugel.Dorn);
        EXPECT_EQ(std::vector<std::string>({"a", "b"}), loaded.Note);
        EXPECT_EQ(101, loaded.Falz);
        EXPECT_EQ(301, loaded.StulpType);
        EXPECT_EQ("Окно", loaded.Name);
        EXPECT_EQ(0.1f, loaded.Thickness);
        ASSERT_EQ(4u, loaded.LeftFlugel.Lines.size());
        EXPECT_EQ(loaded.LeftFlugel.Points[1].get(), loaded.LeftFlugel.Lines[1]->StartPoint);
        EXPECT_EQ(&loaded.LeftFlugel, loaded.LeftFlugel.Lines[1]->Owner);
        EXPECT_EQ(&loaded.LeftFlugel, loaded.LeftFlugel.Points[1]->Owner);
        // Read back, the position writes the current layout again.
        loaded.RightFlugel.Dorn = 0;
        EXPECT_EQ(saved(expected), saved(loaded));
    }
}

TEST(ConstructionRecord, RefusesRecordsThatCannotBeASash) {
    struct Case {
        const char* name;
        std::string sash;
        const char* message;
    };
    const auto sash = [](std::int32_t points, std::int32_t lines, bool composition, std::int32_t materials) {
        test::Bytes items;
        items.Int(points);
        for (std::int32_t i = 0; i < points; ++i) {
            items.Point(i, i);
        }
        items.Int(lines);
        for (std::int32_t i = 0; i < lines; ++i) {
            straightLine(items);
        }
        items.Int(0).Bool(composition).Int(materials);
        return items.Str();
    };
    const Case cases[] = {
        {"more lines than points", sash(1, 2, false, 0),
         "Невозможно связать стороны створки: сторон 2, точек 1."},
        {"lines without points", sash(0, 1, false, 0),
         "Невозможно связать стороны створки: сторон 1, точек 0."},
        {"negative point count", sash(-1, 0, false, 0), "Запись створки повреждена: число точек -1."},
        {"point count beyond the data", sash(0, 0, false, 0).replace(8, 4, "\x00\xCA\x9A\x3B", 4),
         "Запись створки повреждена: число точек 1000000000."},
        {"negative line count", sash(0, -5, false, 0), "Запись створки повреждена: число сторон -5."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TSpecStream stream = TSpecStream::FromBytes(c.sash);
        TkvfFlugel loaded(nullptr);
        try {
            loaded.LoadFromStream(stream, "26.12.2019");
            ADD_FAILURE() << "loaded";
        } catch (const KvfError& e) {
            EXPECT_EQ(std::string(c.message), e.what());
        }
    }
}

TEST(ConstructionRecord, FewerLinesThanPointsCloseAtPointZero) {
    test::Bytes items;
    items.Int(3).Point(0, 0).Point(10, 0).Point(10, 10).Int(2);
    straightLine(items);
    straightLine(items);
    items.Int(0).Bool(false).Int(0);
    TSpecStream stream = TSpecStream::FromBytes(items.Str());
    TkvfFlugel loaded(nullptr);
    loaded.LoadFromStream(stream, "26.12.2019");
    EXPECT_EQ(loaded.Points[0].get(), loaded.Lines[1]->EndPoint);
}

TEST(ConstructionRecord, VersionThatIsNoDateRaises) {
    TSpecStream stream = TSpecStream::FromBytes(sampleRecord({false, false, true}));
    TkvfConstruction loaded(nullptr);
    EXPECT_THROW(loaded.LoadFromStream(stream, "x.12.2019"), KvfError);
}

TEST(ConstructionRecord, TruncatedRecordLoadsOrRaisesCleanly) {
    const std::string record = sampleRecord({false, false, true});
    for (size_t cut = 0; cut < record.size(); ++cut) {
        SCOPED_TRACE(cut);
        TSpecStream stream = TSpecStream::FromBytes(record.substr(0, cut));
        TkvfConstruction loaded(nullptr);
        try {
            loaded.LoadFromStream(stream, "26.12.2019");
        } catch (const KvfError&) {
        }
        std::int32_t width = 0;
        std::int32_t height = 0;
        loaded.GetSize(width, height);
    }
}

TEST(ConstructionRecord, CutInsideThePointsLeavesTheRestEmpty) {
    const std::string record = sampleRecord({false, false, true});
    // Cut after the left sash's point count and its first two points.
    const size_t cut = record.find(test::Bytes().Int(4).Point(0, 2000).Str()) + 16 * 5;
    TSpecStream stream = TSpecStream::FromBytes(record.substr(0, cut));
    TkvfConstruction loaded(nullptr);
    loaded.LoadFromStream(stream, "26.12.2019");
    ASSERT_EQ(4u, loaded.LeftFlugel.Points.size());
    EXPECT_EQ((TPoint{0, 2000}), loaded.LeftFlugel.Points[0]->GetPoint());
    EXPECT_EQ((TPoint{0, 0}), loaded.LeftFlugel.Points[2]->GetPoint());
    EXPECT_EQ((TPoint{0, 0}), loaded.LeftFlugel.Points[3]->GetPoint());
    EXPECT_EQ(0u, loaded.LeftFlugel.Lines.size());
    EXPECT_EQ(0u, loaded.RightFlugel.Points.size());
    EXPECT_EQ(2, loaded.ConstrType);
}

} // namespace
} // namespace kvf

// Fittings of sashes and positions: setting, clearing, the secondary-sash rule.

#include "base/typed_stream.h"
#include "comp_fake_catalog.h"
#include "model/construction.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

class SashFittings : public ::testing::Test {
protected:
    void SetUp() override {
        FakeComplect k;
        k.Name = "Поворотный";
        k.Sides = {{1, 1, 3, 1, 0, 0}, {3, 0, 0, 0, 1, 0}};
        catalog.complects["K"] = k;
        catalog.complects["H"] = {"Ручка", 1, 0, {}, {}};
        catalog.articles["A"] = {"Петля", *Money::Parse("10"), false};
        catalog.articles["B"] = {"Ручка", *Money::Parse("2.5"), false};
        pass.adds = {{"A", "K", 3, 2, 0}, {"B", "H", 1, 1, 0}};
    }

    // A position of the given type, each sash 700 x 1400 mm.
    std::unique_ptr<TkvfConstruction> position(std::uint8_t constrType) {
        auto p = std::make_unique<TkvfConstruction>(nullptr);
        p->ConstrType = constrType;
        p->Number = 1;
        p->SetShape({1400, 1400, 0, 700, 700, 0, 0}, 0);
        if (constrType == 2)
            p->SetShape({700, 1400, 0, 0, 0, 0, 0}, 0);
        return p;
    }

    static TkvfFurnChoice choice(const char* complect, std::int32_t dorn = 0) {
        TkvfFurnChoice c;
        c.Complect = complect;
        c.HandlePart = "H";
        c.Dorn = dorn;
        return c;
    }

    FakeCatalog catalog;
    FakePass pass{catalog};
};

TEST_F(SashFittings, EmptyChoiceRemovesTheCompositionAndResetsTheMarks) {
    auto p = position(2);
    TkvfFlugel& sash = p->LeftFlugel;
    sash.SetFurn(catalog, pass, "S", "P", "C", choice("K", 205));
    ASSERT_NE(nullptr, sash.FurnComp);
    EXPECT_EQ(205, sash.Dorn);
    EXPECT_EQ(2, sash.FurnComp->ItemCount());
    EXPECT_TRUE(sash.Lines[0]->Handled);
    EXPECT_EQ(700, sash.Lines[0]->HandleHeight);

    sash.SetFurn(catalog, pass, "S", "P", "C", TkvfFurnChoice());
    EXPECT_EQ(nullptr, sash.FurnComp);
    EXPECT_FALSE(sash.Lines[0]->Handled);
    EXPECT_FALSE(sash.Lines[0]->Opening);
    EXPECT_EQ(-1, sash.Lines[0]->RotSideIndex);
    EXPECT_FALSE(sash.Lines[2]->Banded);
    EXPECT_EQ(700, sash.Lines[0]->HandleHeight); // the handle height is left
}

TEST_F(SashFittings, SecondarySashKeepsOnlyTheMainSystem) {
    struct Case {
        const char* name;
        std::uint8_t constrType;
        bool setLeft; // which sash is set second, with system "NEW"
        bool leftKept;
        bool rightKept;
    };
    const Case cases[] = {
        {"left main, left changes: right removed", 0, true, true, false},
        {"left main, right changes: both kept", 0, false, true, true},
        {"right main, right changes: left removed", 1, false, false, true},
        {"right main, left changes: both kept", 1, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto p = position(c.constrType);
        p->LeftFlugel.SetFurn(catalog, pass, "OLD", "", "", choice("K"));
        p->RightFlugel.SetFurn(catalog, pass, "OLD", "", "", choice("K"));
        (c.setLeft ? p->LeftFlugel : p->RightFlugel).SetFurn(catalog, pass, "NEW", "", "", choice("K"));
        EXPECT_EQ(c.leftKept, p->LeftFlugel.FurnComp != nullptr);
        EXPECT_EQ(c.rightKept, p->RightFlugel.FurnComp != nullptr);
    }
    // Setting the secondary sash to the main sash's system keeps both.
    auto p = position(0);
    p->LeftFlugel.SetFurn(catalog, pass, "S", "", "", choice("K"));
    p->RightFlugel.SetFurn(catalog, pass, "S", "", "", choice("K"));
    p->LeftFlugel.SetFurn(catalog, pass, "S", "", "", choice("K"));
    EXPECT_NE(nullptr, p->RightFlugel.FurnComp);
}

TEST_F(SashFittings, PositionSetsBothSashesAndPricesThem) {
    auto p = position(0);
    p->RightFlugel.SetFurn(catalog, pass, "OLD", "", "", choice("K"));
    p->SetFurn(catalog, pass, "NEW", "P", "C", 101, 301, 401, 68.5f, 20.0f, choice("K", 201),
               choice("K", 202));
    ASSERT_NE(nullptr, p->LeftFlugel.FurnComp);
    ASSERT_NE(nullptr, p->RightFlugel.FurnComp);
    EXPECT_EQ("NEW", p->RightFlugel.FurnComp->FurnSys);
    EXPECT_EQ("C", p->LeftFlugel.FurnComp->Color);
    EXPECT_EQ(201, p->LeftFlugel.Dorn);
    EXPECT_EQ(202, p->RightFlugel.Dorn);
    EXPECT_EQ(101, p->Falz);
    EXPECT_EQ(301, p->StulpType);
    EXPECT_EQ(401, p->OpenType);
    EXPECT_EQ(68.5f, p->ProfWidth);
    // Each sash: 2 x 10 + 1 x 2.5.
    EXPECT_EQ("45.0000", p->Cost.Format4());
    EXPECT_EQ(2u, p->LeftFlugel.MatList.size());
}

TEST_F(SashFittings, MainSashIsSetFirst) {
    struct Case {
        const char* name;
        std::uint8_t constrType;
        bool leftFirst;
    };
    const Case cases[] = {{"left main", 0, true}, {"right main", 1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto p = position(c.constrType);
        pass.sashes.clear();
        p->SetFurn(catalog, pass, "S", "", "", 0, 0, 0, 0, 0, choice("K"), choice("K"));
        const std::vector<const TkvfFlugel*> expected =
            c.leftFirst ? std::vector<const TkvfFlugel*>{&p->LeftFlugel, &p->RightFlugel}
                        : std::vector<const TkvfFlugel*>{&p->RightFlugel, &p->LeftFlugel};
        EXPECT_EQ(expected, pass.sashes);
    }
}

TEST_F(SashFittings, SingleSashPositionDropsTheSecondComposition) {
    auto p = position(2);
    p->RightFlugel.FurnComp = std::make_unique<TkvfFurnComp>(&p->RightFlugel);
    p->SetFurn(catalog, pass, "S", "", "", 0, 0, 0, 0, 0, choice("K"), choice("K"));
    EXPECT_NE(nullptr, p->LeftFlugel.FurnComp);
    EXPECT_EQ(nullptr, p->RightFlugel.FurnComp);
    EXPECT_EQ("22.5000", p->Cost.Format4());
}

TEST_F(SashFittings, FailureRemovesOnlyACompositionCreatedByTheCall) {
    auto p = position(2);
    TkvfFlugel& sash = p->LeftFlugel;
    pass.error = "Не определена величина 'Дормасс'!";
    EXPECT_THROW(sash.SetFurn(catalog, pass, "S", "", "", choice("K")), KvfError);
    EXPECT_EQ(nullptr, sash.FurnComp);
    EXPECT_FALSE(sash.Lines[0]->Handled);

    pass.error.clear();
    sash.SetFurn(catalog, pass, "S", "", "", choice("K"));
    pass.error = "Не определена величина 'Дормасс'!";
    EXPECT_THROW(sash.SetFurn(catalog, pass, "S", "", "", choice("K")), KvfError);
    ASSERT_NE(nullptr, sash.FurnComp);
    EXPECT_EQ(0, sash.FurnComp->ItemCount());
}

TEST_F(SashFittings, PreviewMarksWithoutComputing) {
    auto p = position(0);
    p->SetFurnPreview(catalog, choice("K"), TkvfFurnChoice());
    ASSERT_NE(nullptr, p->LeftFlugel.FurnComp);
    EXPECT_EQ(nullptr, p->RightFlugel.FurnComp);
    EXPECT_EQ(0, pass.calls);
    EXPECT_TRUE(p->LeftFlugel.Lines[0]->Handled);
    EXPECT_EQ(0, p->LeftFlugel.FurnComp->ItemCount());
}

TEST_F(SashFittings, FittingNamesAndCompositionIteration) {
    auto p = position(0);
    TkvfFurnChoice left = choice("K");
    left.Hinge = "unknown";
    left.Drive = "H";
    p->SetFurn(catalog, pass, "S", "", "", 0, 0, 0, 0, 0, left, TkvfFurnChoice());
    std::vector<std::string> names{"before"};
    p->ListFittingNames(catalog, names);
    EXPECT_EQ((std::vector<std::string>{"before", "Поворотный", "Ручка", "", "Ручка"}), names);

    EXPECT_EQ(p->LeftFlugel.FurnComp.get(), p->FirstComp());
    EXPECT_EQ(nullptr, p->NextComp()); // the right sash has none
    p->RightFlugel.SetFurn(catalog, pass, "S", "", "", choice("K"));
    EXPECT_EQ(p->LeftFlugel.FurnComp.get(), p->FirstComp());
    EXPECT_EQ(p->RightFlugel.FurnComp.get(), p->NextComp());
    EXPECT_EQ(nullptr, p->NextComp());

    p->ConstrType = 2;
    EXPECT_EQ(p->LeftFlugel.FurnComp.get(), p->FirstComp());
    EXPECT_EQ(nullptr, p->NextComp());
}

TEST_F(SashFittings, SashRecordKeepsCompositionAndMaterials) {
    auto p = position(0);
    p->SetFurn(catalog, pass, "S", "P", "C", 0, 0, 0, 0, 0, choice("K"), choice("K"));
    p->LeftFlugel.Lines[0]->HandleHeight = 1050;
    TkvfConstruction copy(nullptr);
    copy.CopyFrom(*p);
    ASSERT_NE(nullptr, copy.LeftFlugel.FurnComp);
    EXPECT_EQ(&copy.LeftFlugel, copy.LeftFlugel.FurnComp->Flugel);
    EXPECT_EQ(2, copy.LeftFlugel.FurnComp->ItemCount());
    EXPECT_EQ(2u, copy.RightFlugel.MatList.size());
    EXPECT_EQ(p->Cost, copy.Cost);

    TSpecStream a;
    TSpecStream b;
    p->SaveToStream(a);
    copy.SaveToStream(b);
    EXPECT_EQ(a.Bytes(), b.Bytes());

    // Restoring a backup taken before fittings were set leaves no composition.
    auto bare = position(2);
    TSpecStream backup;
    bare->Backup(backup);
    bare->SetFurn(catalog, pass, "S", "", "", 0, 0, 0, 0, 0, choice("K"), TkvfFurnChoice());
    bare->Restore(backup);
    EXPECT_EQ(nullptr, bare->LeftFlugel.FurnComp);
    EXPECT_TRUE(bare->LeftFlugel.MatList.empty());
}

} // namespace
} // namespace kvf::test

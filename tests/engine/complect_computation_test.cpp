#include "engine_fixture.h"

#include <gtest/gtest.h>

namespace kvf::test {
namespace {

// Complect C1 with one element row E1 whose article is A1; the row's
// conditions vary per case.
class ElementWalk : public EngineTest {
protected:
    ElementWalk() {
        Complect("C1");
        Element("E1");
        Article("E1", "A1");
    }
};

const std::string kRowPrefix =
    "В БД наборов фурнитуры в комплекте [Комплект C1]\r\nсодержится элемент фурнитуры "
    "[Элемент E1],\r\n";
const std::string kSideLength =
    "для которого определены условия установки, зависящие от\r\nдлины стороны, на "
    "которую он устанавливается.\r\n";
const std::string kRadius = "для которого определены условия установки, зависящие от\r\nрадиуса стороны, на "
                            "которую он устанавливается.\r\n";
const std::string kAdjacent =
    "для которого определены условия установки, зависящие от\r\nдлины стороны смежной "
    "створки.\r\n";
const std::string kPrincipleSide =
    "который использует принцип расчета, зависящий от\r\nпараметров стороны, на "
    "которую он устанавливается.\r\n";

struct WalkCase {
    const char* name;
    std::vector<std::pair<const char*, Value>> row;
    std::vector<std::string> items; // expected items when no error
    std::string error;              // expected message after the row's prefix; "" for none
};

TEST_F(ElementWalk, ConditionsOnARectangle) {
    const std::vector<std::string> kept = {"A1 x1"};
    const std::vector<std::string> none;
    const WalkCase cases[] = {
        {"no conditions", {}, kept, ""},
        {"width below min with open max", {{"FFBMin", 71}}, none, ""},
        {"width at min with open max", {{"FFBMin", 70}}, kept, ""},
        {"width above max", {{"FFBMax", 69}}, none, ""},
        {"width at max", {{"FFBMin", 40}, {"FFBMax", 70}}, kept, ""},
        {"height below min", {{"FFHMin", 141}}, none, ""},
        {"height at max", {{"FFHMax", 140}}, kept, ""},
        {"height above max", {{"FFHMax", 139}}, none, ""},
        {"side 1 length at min", {{"FFL1No", 1}, {"FFL1Min", 1400}}, kept, ""},
        {"side 1 length below min", {{"FFL1No", 1}, {"FFL1Min", 1401}}, none, ""},
        {"side 1 length above max", {{"FFL1No", 1}, {"FFL1Max", 1399}}, none, ""},
        {"side 2 length at max", {{"FFL2No", 2}, {"FFL2Max", 700}}, kept, ""},
        {"side 2 length above max", {{"FFL2No", 2}, {"FFL2Max", 699}}, none, ""},
        {"length group with side 0",
         {{"FFL1No", 0}, {"FFL1Min", 5}},
         none,
         kSideLength + "Номер 1-ой расчетной стороны в условиях определен неверно!"},
        {"length group with side 5 of 4",
         {{"FFL1No", 5}, {"FFL1Max", 5000}},
         none,
         kSideLength + "Номер 1-ой расчетной стороны в условиях определен неверно!"},
        {"second length group with side 5",
         {{"FFL2No", 5}, {"FFL2Min", 1}},
         none,
         kSideLength + "Номер 2-ой расчетной стороны в условиях определен неверно!"},
        {"length group with both bounds 0 is not checked", {{"FFL1No", 9}}, kept, ""},
        {"arc mask 2 on a straight side", {{"FFR1No", 2}, {"FFR1Type", 2}}, none, ""},
        {"arc mask 3 on a straight side", {{"FFR1No", 2}, {"FFR1Type", 3}}, none, ""},
        {"arc mask 1 without bounds is not checked", {{"FFR1No", 9}, {"FFR1Type", 1}}, kept, ""},
        {"radius group with side 9",
         {{"FFR1No", 9}, {"FFR1Type", 2}},
         none,
         kRadius + "Номер 1-ой расчетной стороны в условиях определен неверно!"},
        {"second radius group with side 0",
         {{"FFR2No", 0}, {"FFR2Min", 1}},
         none,
         kRadius + "Номер 2-ой расчетной стороны в условиях определен неверно!"},
        {"radius of a straight side is 0", {{"FFR1No", 2}, {"FFR1Max", 100}}, kept, ""},
        {"angle in range", {{"FFANo", 1}, {"FFAMin", 90.0}, {"FFAMax", 90.0}}, kept, ""},
        {"angle below min", {{"FFANo", 4}, {"FFAMin", 90.5}}, none, ""},
        {"angle above max", {{"FFANo", 2}, {"FFAMax", 89.99}}, none, ""},
        {"angle number 5 of 4",
         {{"FFANo", 5}, {"FFAMin", 10.0}},
         none,
         "для которого определены условия установки, зависящие от\r\nпараметров угла, на который он "
         "устанавливается.\r\nНомер расчетного угла в условиях определен неверно!"},
        {"double-sash mask 64 keeps a single sash", {{"StulpType", 64}}, kept, ""},
        {"double-sash mask 4 drops a single sash", {{"StulpType", 4}}, none, ""},
        {"double-sash mask 1 keeps always", {{"StulpType", 1}}, kept, ""},
        {"adjacent side on a single sash",
         {{"FFL21No", 1}, {"FFL21Min", 1}},
         none,
         kAdjacent + "Смежная створка не установлена. Установите сначала створку."},
        {"element linked to the adjacent sash's article",
         {{"UseIfArt", "A9"}},
         none,
         "для которого определена ссылка на артикул смежной штульповой створки.\r\nКомплект для смежной "
         "створки "
         "еще не определен. Установите сначала комплект на соседнюю створку!"},
        {"principle 4 with side 0",
         {{"Condition", 4}},
         none,
         kPrincipleSide + "Номер 1-ой расчетной стороны определен неверно!"},
        {"principle 9 with side 7",
         {{"Condition", 9}, {"Side2No", 7}},
         none,
         kPrincipleSide + "Номер 2-ой расчетной стороны определен неверно!"},
        {"principle 7 with corner 0",
         {{"Condition", 7}},
         none,
         "который использует принцип расчета, зависящий от\r\nугла, на котором он устанавливается.\r\nНомер "
         "расчетного угла определен неверно!"},
        {"scale by side 1 with side 9",
         {{"ScaleCondition", 3}, {"Side1No", 9}},
         none,
         kPrincipleSide + "Номер 1-ой расчетной стороны определен неверно!"},
        {"scale by side 2 with side 0",
         {{"ScaleCondition", 4}},
         none,
         kPrincipleSide + "Номер 2-ой расчетной стороны определен неверно!"},
    };
    for (const WalkCase& c : cases) {
        SCOPED_TRACE(c.name);
        dm.T_FrnSet.EmptyTable();
        ElementRow("C1", "E1");
        ASSERT_TRUE(dm.T_FrnSet.FindKey({Value("C1")}));
        dm.T_FrnSet.Edit();
        for (const auto& [field, value] : c.row)
            dm.T_FrnSet.SetValue(field, value);
        dm.T_FrnSet.Post();
        std::string error = ComputeError();
        if (c.error.empty()) {
            EXPECT_EQ("", error);
            EXPECT_EQ(c.items, Items());
        } else {
            EXPECT_EQ(kRowPrefix + c.error, error);
        }
        EXPECT_EQ(std::vector<std::string>(), FilteredTables());
    }
}

TEST_F(ElementWalk, ArcMasksOnArcSides) {
    struct Case {
        const char* name;
        float r1, r2; // side 2 in mm; the chord is 700 mm
        int type;
        bool kept;
    } cases[] = {
        {"semicircle with mask 2", 350, 350, 2, true},
        {"semicircle with mask 4", 350, 350, 4, false},
        {"segment with mask 4", 725, 725, 4, true},
        {"segment with mask 2", 725, 725, 2, false},
        {"segment with mask 3", 725, 725, 3, true},
        {"elliptic with mask 8", 400, 700, 8, true},
        {"elliptic with mask 6", 400, 700, 6, false},
        {"elliptic with mask 1 and bounds", 400, 700, 1, true},
        {"semicircle with mask 14", 350, 350, 14, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeArch(c.r1, c.r2);
        dm.T_FrnSet.EmptyTable();
        ElementRow("C1", "E1", {{"FFR1No", 2}, {"FFR1Type", c.type}, {"FFR1Min", 1}});
        EXPECT_EQ("", ComputeError());
        EXPECT_EQ(c.kept ? 1u : 0u, Items().size());
    }
    // The radius is the side's Radius1 in mm, rounded half away from zero.
    MakeArch(724.5f, 724.5f);
    dm.T_FrnSet.EmptyTable();
    ElementRow("C1", "E1", {{"FFR1No", 2}, {"FFR1Min", 725}, {"FFR1Max", 725}});
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(std::vector<std::string>{"A1 x1"}, Items());
}

TEST_F(ElementWalk, EmptyElementUnknownComplectAndTShapedSash) {
    ElementRow("C1", "");
    EXPECT_EQ("В БД наборов фурнитуры в комплекте\r\n[Комплект C1] содержится пустой элемент!",
              ComputeError());
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());

    dm.T_FrnSet.EmptyTable();
    Comp().HandlePart = "H9";
    EXPECT_EQ("Комплект фурнитуры [H9] не найден в документации!", ComputeError());

    Comp().HandlePart = "";
    position->OpenType = 402;
    dm.T_FrnComp.FindKey({Value("C1")});
    dm.T_FrnComp.Edit();
    dm.T_FrnComp.SetValue("TFlugelAvailable", 0);
    dm.T_FrnComp.Post();
    EXPECT_EQ("Не допускается установка комплекта [C1] на T-образную створку!", ComputeError());
}

TEST_F(ElementWalk, PropertySelectionsOfTheSlot) {
    Row(dm.T_FrnProp, {{"PropKey", 7}, {"ID", 101}});
    Row(dm.T_FrnProp, {{"PropKey", 7}, {"ID", 102}});
    ElementRow("C1", "E1", {{"PropKey", 7}});
    struct Case {
        const char* name;
        std::vector<std::string> properties;
        size_t items;
    } cases[] = {
        {"value offered", {"0=101"}, 1},
        {"other value of the same group", {"0=105"}, 0},
        {"value of another group", {"0=201"}, 1},
        {"selection of another slot", {"1=105"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Comp().Properties = c.properties;
        EXPECT_EQ("", ComputeError());
        EXPECT_EQ(c.items, Items().size());
    }
}

TEST_F(ElementWalk, AdjacentSash) {
    MakePair();
    sash = &position->LeftFlugel;
    ElementRow("C1", "E1", {{"FFL21No", 1}, {"FFL21Min", 1400}, {"FFL22No", 2}, {"FFL22Max", 500}});
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(std::vector<std::string>{"A1 x1"}, Items());

    dm.T_FrnSet.EmptyTable();
    ElementRow("C1", "E1", {{"FFL22No", 2}, {"FFL22Max", 499}});
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(std::vector<std::string>(), Items());

    dm.T_FrnSet.EmptyTable();
    ElementRow("C1", "E1", {{"FFL21No", 9}, {"FFL21Min", 1}});
    EXPECT_EQ(kRowPrefix + kAdjacent + "Номер стороны смежной створки в условиях определен неверно!",
              ComputeError());

    // UseIfArt: the other sash must have a composition holding the article.
    dm.T_FrnSet.EmptyTable();
    ElementRow("C1", "E1", {{"UseIfArt", "B7"}});
    EXPECT_EQ(
        kRowPrefix +
            "для которого определена ссылка на артикул смежной штульповой створки.\r\nКомплект для смежной "
            "створки еще не определен. Установите сначала комплект на соседнюю створку!",
        ComputeError());
    position->RightFlugel.FurnComp = std::make_unique<TkvfFurnComp>(&position->RightFlugel);
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(std::vector<std::string>(), Items());
    position->RightFlugel.FurnComp->AddItem(lookups, "B7", "C1", 0, 1, "", 0, false, "");
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(std::vector<std::string>{"A1 x1"}, Items());
}

TEST_F(ElementWalk, CountsByScale) {
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, Value>> row;
        int count;
    } cases[] = {
        {"plain Number", {{"Number", 3}}, 3},
        {"scheme over side 1 (1400 mm)",
         {{"ScaleCondition", 3},
          {"Side1No", 1},
          {"ScaleScheme", "500;1000;x;1500"},
          {"ScaleNum", 2},
          {"Number", 1}},
         5},
        {"steps over FFB 70",
         {{"ScaleCondition", 1}, {"ScaleStart", 50}, {"ScaleStep", 10}, {"ScaleNum", 1}, {"Number", 0}},
         3},
        {"FFH 140 below the start",
         {{"ScaleCondition", 2}, {"ScaleStart", 141}, {"ScaleStep", 10}, {"Number", 4}},
         4},
        {"steps over side 2 (700 mm)",
         {{"ScaleCondition", 4},
          {"Side2No", 2},
          {"ScaleStart", 500},
          {"ScaleStep", 100},
          {"ScaleNum", 2},
          {"Number", 0}},
         6},
        {"count 0 gives no item", {{"Number", 0}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dm.T_FrnSet.EmptyTable();
        ElementRow("C1", "E1");
        dm.T_FrnSet.FindKey({Value("C1")});
        dm.T_FrnSet.Edit();
        for (const auto& [field, value] : c.row)
            dm.T_FrnSet.SetValue(field, value);
        dm.T_FrnSet.Post();
        EXPECT_EQ("", ComputeError());
        std::vector<std::string> expected;
        if (c.count != 0)
            expected.push_back("A1 x" + std::to_string(c.count));
        EXPECT_EQ(expected, Items());
    }
    dm.T_FrnSet.EmptyTable();
    ElementRow("C1", "E1", {{"ScaleCondition", 1}, {"ScaleStep", 0}});
    EXPECT_EQ(kRowPrefix + "имеющий масштабирование и шаг равный нулю!", ComputeError());
}

TEST_F(ElementWalk, LengthsFromTheFormula) {
    ElementRow("C1", "E1", {{"UseLen", 1}, {"LenFormula", "FFB-100"}, {"MinLen", 600}, {"Note", "тяга"}});
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(std::vector<std::string>{"A1 x1 l=600.0 [тяга]"}, Items());

    dm.T_FrnSet.EmptyTable();
    ElementRow("C1", "E1", {{"UseLen", 0}, {"LenFormula", "FFB-100"}});
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(std::vector<std::string>{"A1 x1"}, Items());

    dm.T_FrnSet.EmptyTable();
    ElementRow("C1", "E1", {{"UseLen", 1}, {"LenFormula", "FL(1)/4+0.25"}, {"MinLen", 351}});
    EXPECT_EQ(
        kRowPrefix +
            "имеющий недопустимое расчетное значение длины 350.3 (Мин. допустимая длина = 351)!\r\n(Одна из "
            "возможных причин - установлена недопустимая высота ручки при расчете тяги)",
        ComputeError());
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());
}

TEST_F(ElementWalk, DebugKeepsEveryDerivationApart) {
    ElementRow("C1", "E1");
    ElementRow("C1", "E1", {{"Number", 2}});
    EXPECT_EQ("", ComputeError());
    ASSERT_EQ(std::vector<std::string>{"A1 x3"}, Items());
    EXPECT_EQ("", Comp().Items[0]->History);

    debug = true;
    EXPECT_EQ("", ComputeError());
    ASSERT_EQ((std::vector<std::string>{"A1 x1", "A1 x2"}), Items());
    EXPECT_EQ("Комплект:C1 -> Элемент:E1 -> Артикул:A1", Comp().Items[0]->History);
}

TEST_F(ElementWalk, HandleHeightFromTheArticle) {
    // Side 1 carries the handle; the article sets its height, measured from the start point.
    Element("G1", {{"Virtual", 0}});
    Article("G1", "GA", {{"HandleHeight", 1050}});
    ElementRow("C1", "G1", {{"DefineHandleHeight", 1}});
    sash->Lines[0]->Handled = true;
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(1050, sash->Lines[0]->HandleHeight);

    // HandleSideNo names the side; the basis of principle 2 (FFH 140) halves to 70.
    dm.T_FrnArt.EmptyTable();
    Article("G1", "GA", {{"FFHMin", 0}, {"FFHMax", 999}});
    dm.T_FrnSet.EmptyTable();
    ElementRow("C1", "G1", {{"DefineHandleHeight", 1}, {"Condition", 2}, {"HandleSideNo", 3}});
    sash->Lines[2]->Handled = true;
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(70, sash->Lines[2]->HandleHeight);

    // The side rule's handle direction 1 measures the height from the side's end point.
    Row(dm.T_FrnSide, {{"ID", "C1"}, {"Side", 3}, {"HandleDirect", 1}});
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(70, sash->Lines[2]->HandleHeight);
    EXPECT_EQ(14000 - 700, sash->Lines[2]->HandleMark.Y); // side 3 runs down from (7000, 0) to (7000, 14000)

    // The user's own height wins.
    sash->Lines[2]->HandleHeight = 0;
    Comp().UserHandleHeightSet = true;
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ(0, sash->Lines[2]->HandleHeight);
}

TEST_F(ElementWalk, ColourByTheRowsCondition) {
    Element("EC", {{"HasColor", 1}});
    Article("EC", "A-IN", {{"Color", "IN"}});
    Article("EC", "A-OUT", {{"Color", "OUT"}});
    Article("EC", "A-RAL", {{"Color", "RAL"}});
    struct Case {
        const char* name;
        int colorCondition;
        int openType; // opening code of the position
        const char* article;
    } cases[] = {
        {"fittings colour", 0, 401, "A-RAL"},
        {"outer colour", 1, 401, "A-OUT"},
        {"inner colour", 2, 401, "A-IN"},
        {"outer for opening type 1", 3, 401, "A-OUT"},
        {"inner for other opening types", 3, 499, "A-IN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        position->OpenType = c.openType;
        dm.T_FrnSet.EmptyTable();
        ElementRow("C1", "EC", {{"ColorCondition", c.colorCondition}});
        EXPECT_EQ("", ComputeError());
        EXPECT_EQ(std::vector<std::string>{std::string(c.article) + " x1"}, Items());
    }
}

class Composite : public EngineTest {
protected:
    Composite() {
        Complect("C1");
        Element("V", {{"Virtual", 1}});
        Element("K");
        Element("P1");
        Element("P2");
        Article("V", "AV");
        Article("K", "AK");
        Article("P1", "AP1");
        Article("P2", "AP2");
        Row(dm.T_FrnItoI, {{"ID", "V"}, {"Item", "P1"}, {"Number", 2}, {"Note", "n1"}});
        Row(dm.T_FrnItoI, {{"ID", "V"}, {"Item", "P2"}, {"Number", 1}, {"ItemSideNo", 4}});
        Row(dm.T_FrnItoI, {{"ID", "K"}, {"Item", "P2"}, {"Number", 1}});
    }
};

TEST_F(Composite, VirtualElementAddsOnlyItsParts) {
    ElementRow("C1", "V", {{"Number", 3}, {"ItemSideNo", 2}});
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"AP1 x6 s=2 [n1]", "AP2 x3 s=4"}), Items());
}

TEST_F(Composite, OrdinaryElementAddsItselfAndItsParts) {
    debug = true;
    ElementRow("C1", "K", {{"ItemSideNo", 1}});
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"AK x1 s=1", "AP2 x1 s=1"}), Items());
    EXPECT_EQ("Комплект:C1 -> Элемент:K -> Элемент:P2 -> Артикул:AP2", Comp().Items[1]->History);
}

TEST_F(Composite, PartRulesAndErrors) {
    Row(dm.T_FrnItoI, {{"ID", "K"}, {"Item", "P1"}, {"Number", 1}, {"StulpType", 4}});
    ElementRow("C1", "K");
    EXPECT_EQ("", ComputeError());
    EXPECT_EQ((std::vector<std::string>{"AK x1", "AP2 x1"}), Items());

    Row(dm.T_FrnItoI, {{"ID", "K"}, {"Item", ""}});
    EXPECT_EQ("В составе составного элемента [Элемент K] содержится пустой элемент!", ComputeError());
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());

    dm.T_FrnSet.EmptyTable();
    Row(dm.T_FrnItoI, {{"ID", "W"}, {"Item", "P1"}});
    ElementRow("C1", "W");
    EXPECT_EQ("Элемент фурнитуры [W] не найден в документации!", ComputeError());
    EXPECT_EQ(std::vector<std::string>(), FilteredTables());
}

} // namespace
} // namespace kvf::test

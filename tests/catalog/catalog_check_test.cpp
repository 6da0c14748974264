#include "catalog/catalog_check.h"

#include "base/atomic_file.h"
#include "catalog_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace kvf {
namespace {

class CatalogCheckTest : public CatalogFixture {
protected:
    std::vector<std::string> Problems() {
        std::vector<std::string> lines;
        for (const CatalogProblem& problem : CheckCatalog(dm_))
            lines.push_back(FormatCatalogProblem(problem));
        return lines;
    }
};

// A clean small catalog: complect C1 of four sides whose one required row
// takes element E1 with article A1.
const char* const kCleanCatalog = R"SQL(
INSERT INTO "Currency" ("ID", "Name", "Value", "Dec") VALUES (1, 'руб.', 1, 2);
INSERT INTO "PriceGrp" ("GroupID", "Name", "Reduce_1") VALUES (1, 'Базовая', -10);
INSERT INTO "COLORSET" ("Color", "Name") VALUES ('WH', 'Белый');
INSERT INTO "SysProp" ("ID", "GroupName", "ValueName") VALUES (101, 'Микропроветривание', 'Да');
INSERT INTO "FrnProp" ("PropKey", "ID", "Default") VALUES (10, 101, 1);
INSERT INTO "Catalog" ("ID", "Name", "Unit", "Price", "PriceGrp", "Currency") VALUES
  ('A1', 'Запор', 'шт', 10, 1, 1), ('A2', 'Накладка', 'шт', 1, 0, 1);
INSERT INTO "FrnComp" ("ID", "Group", "Name", "PropKey") VALUES ('C1', 10, 'Комплект', 10), ('H1', 30, 'Ручка', 0);
INSERT INTO "FrnSide" ("ID", "Side", "MinSize", "MaxSize", "MinAngle", "MaxAngle", "OpenMode", "RotSide") VALUES
  ('C1', 1, 300, 2400, 89.5, 90.5, 0, 0), ('C1', 2, 300, 2400, 89.5, 90.5, 1, 4),
  ('C1', 3, 300, 2400, 89.5, 90.5, 1, 1), ('C1', 4, 300, 2400, 89.5, 90.5, 0, 0);
INSERT INTO "ParamList" ("ID", "Name", "FalzLuft", "FalzSize", "FalzPos", "DornMass") VALUES
  (101, '12/20-9', 12, 20, 9, 0), (215, '15 мм', 0, 0, 0, 15);
INSERT INTO "FrnItem" ("ID", "Name", "Virtual") VALUES ('E1', 'Запор', 0), ('V1', 'Набор', 1);
INSERT INTO "FrnItoI" ("ID", "Item", "Number", "Required") VALUES ('V1', 'E1', 1, 1);
INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "Color") VALUES ('E1', 'A1', 1, 'WH');
INSERT INTO "FrnSet" ("ID", "Item", "Key", "Number", "ItemSideNo", "Required", "PropKey", "UseLen", "LenFormula",
  "ScaleCondition", "ScaleScheme") VALUES
  ('C1', 'E1', 1, 1, 3, 1, 10, 1, 'FFН-FFG(3)-FFL(2)/2+FB', 2, '120;170'),
  ('C1', 'V1', 2, 1, 0, 1, 0, 0, '', 0, ''),
  ('H1', 'E1', 3, 1, 7, 0, 0, 0, '', 0, '');
INSERT INTO "FrnAbd" ("CatalogID", "Color", "AccessoryID", "Number") VALUES ('A1', 'WH', 'A2', 1);
INSERT INTO "FrnDop" ("CatalogID", "AccessoryID", "Key", "Number") VALUES ('A1', 'A2', 1, 2);
INSERT INTO "FrnSchl" ("CatalogID", "Item", "Key", "Number") VALUES ('A1', 'E1', 1, 1);
)SQL";

TEST_F(CatalogCheckTest, CleanCatalogHasNoProblems) {
    Sql(kCleanCatalog);
    OpenAll();
    EXPECT_EQ(std::vector<std::string>(), Problems());
}

TEST_F(CatalogCheckTest, FindsEachKindOfProblem) {
    struct Case {
        const char* name;
        const char* sql;
        std::vector<std::string> problems;
        bool messageFollows = false; // the one problem starts with the text given, a message follows
    } cases[] = {
        {"element row without element",
         R"(INSERT INTO "FrnSet" ("ID", "Item", "Key") VALUES ('C1', 'E9', 10))",
         {"FrnSet [ID=C1, Item=E9, Key=10]: Item \"E9\": нет записи в FrnItem"}},
        {"element row of an unknown complect",
         R"(INSERT INTO "FrnSet" ("ID", "Item", "Key") VALUES ('C9', 'E1', 10))",
         {"FrnSet [ID=C9, Item=E1, Key=10]: комплект \"C9\": нет записи в FrnComp"}},
        {"element row with an empty element",
         R"(INSERT INTO "FrnSet" ("ID", "Item", "Key") VALUES ('C1', '', 10))",
         {"FrnSet [ID=C1, Item=, Key=10]: поле [Item] пусто"}},
        {"adjacent-sash article missing",
         R"(INSERT INTO "FrnSet" ("ID", "Item", "Key", "UseIfArt") VALUES ('C1', 'E1', 10, 'A9'))",
         {"FrnSet [ID=C1, Item=E1, Key=10]: UseIfArt \"A9\": нет записи в Catalog"}},
        {"article of an element missing from the catalog",
         R"(INSERT INTO "FrnArt" ("ID", "CatalogID", "Key") VALUES ('E1', 'A9', 2))",
         {"FrnArt [ID=E1, CatalogID=A9, Key=2]: CatalogID \"A9\": нет записи в Catalog"}},
        {"article of an unknown colour",
         R"(INSERT INTO "FrnArt" ("ID", "CatalogID", "Key", "Color") VALUES ('E1', 'A2', 2, 'XX'))",
         {"FrnArt [ID=E1, CatalogID=A2, Key=2]: Color \"XX\": нет записи в COLORSET"}},
        {"accessory missing from the catalog",
         R"(INSERT INTO "FrnDop" ("CatalogID", "AccessoryID", "Key") VALUES ('A1', 'A9', 2))",
         {"FrnDop [CatalogID=A1, AccessoryID=A9, Key=2]: AccessoryID \"A9\": нет записи в Catalog"}},
        {"colour accessory of an unknown article",
         R"(INSERT INTO "FrnAbd" ("CatalogID", "Color", "AccessoryID") VALUES ('A9', '', 'A2'))",
         {"FrnAbd [CatalogID=A9, Color=, AccessoryID=A2]: CatalogID \"A9\": нет записи в Catalog"}},
        {"strike plate of an unknown article",
         R"(INSERT INTO "FrnSchl" ("CatalogID", "Item", "Key") VALUES ('A9', 'E1', 2))",
         {"FrnSchl [CatalogID=A9, Item=E1, Key=2]: CatalogID \"A9\": нет записи в Catalog"}},
        {"strike-plate element without articles",
         R"(INSERT INTO "FrnItem" ("ID", "Name") VALUES ('S1', 'Планка');
            INSERT INTO "FrnSchl" ("CatalogID", "Item", "Key") VALUES ('A1', 'S1', 2))",
         {"FrnSchl [CatalogID=A1, Item=S1, Key=2]: у обязательного элемента \"S1\" нет ни одной записи в "
          "FrnArt, он молча "
          "выпадает из каждой комплектации"}},
        {"main complect without side rules",
         R"(INSERT INTO "FrnComp" ("ID", "Group", "Name") VALUES ('C2', 11, 'Дверь'))",
         {"FrnComp [ID=C2]: у комплекта нет правил сторон в FrnSide, он не подходит ни к одной створке"}},
        {"side rules of an unknown complect",
         R"(INSERT INTO "FrnSide" ("ID", "Side", "MinSize", "MaxSize", "MinAngle", "MaxAngle")
            VALUES ('C9', 1, 300, 2400, 89.5, 90.5))",
         {"FrnSide [ID=C9, Side=1]: комплект \"C9\": нет записи в FrnComp"}},
        {"composite part without element",
         R"(INSERT INTO "FrnItoI" ("ID", "Item", "Number") VALUES ('V1', 'E9', 1))",
         {"FrnItoI [ID=V1, Item=E9]: Item \"E9\": нет записи в FrnItem"}},
        {"property value without SysProp",
         R"(INSERT INTO "FrnProp" ("PropKey", "ID") VALUES (10, 109))",
         {"FrnProp [PropKey=10, ID=109]: значение свойства 109: нет записи в SysProp"}},
        {"property key without properties",
         R"(UPDATE "FrnSet" SET "PropKey" = 77 WHERE "Key" = 2)",
         {"FrnSet [ID=C1, Item=V1, Key=2]: PropKey 77: нет записей в FrnProp, ключ ничего не ограничивает"}},
        {"article currency missing",
         R"(UPDATE "Catalog" SET "Currency" = 3 WHERE "ID" = 'A2')",
         {"Catalog [ID=A2]: Currency 3: нет записи в Currency"}},
        {"price group missing",
         R"(UPDATE "Catalog" SET "PriceGrp" = 7 WHERE "ID" = 'A2')",
         {"Catalog [ID=A2]: PriceGrp 7: нет записи в PriceGrp"}},
        {"item side beyond the complect's sides",
         R"(UPDATE "FrnSet" SET "ItemSideNo" = 5 WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: ItemSideNo 5 вне сторон комплекта 1-4"}},
        {"side-length condition on side 0",
         R"(UPDATE "FrnSet" SET "FFL1No" = 0, "FFL1Min" = 500 WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: FFL1No 0 вне сторон комплекта 1-4"}},
        {"arc-kind condition on a missing side",
         R"(UPDATE "FrnSet" SET "FFR2No" = 6, "FFR2Type" = 2 WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: FFR2No 6 вне сторон комплекта 1-4"}},
        {"angle condition on a missing corner",
         R"(UPDATE "FrnSet" SET "FFANo" = 9, "FFAMin" = 95 WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: FFANo 9 вне сторон комплекта 1-4"}},
        {"principle by side length without a side",
         R"(UPDATE "FrnSet" SET "Condition" = 6, "Side1No" = 2, "Side2No" = 0 WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: Side2No 0 вне сторон комплекта 1-4"}},
        {"handle side beyond the sides",
         R"(UPDATE "FrnSet" SET "HandleSideNo" = 8 WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: HandleSideNo 8 вне сторон комплекта 1-4"}},
        {"rotation side beyond the sides",
         R"(UPDATE "FrnSide" SET "RotSide" = 5 WHERE "Side" = 2)",
         {"FrnSide [ID=C1, Side=2]: RotSide 5 вне сторон комплекта 1-4"}},
        {"side rules with a gap",
         R"(UPDATE "FrnSide" SET "Side" = 5 WHERE "Side" = 4)",
         {"FrnSide [ID=C1, Side=5]: Side 5 вне сторон комплекта 1-4"}},
        {"rebate set with an air gap of 0",
         R"(INSERT INTO "ParamList" ("ID", "Name", "FalzLuft", "FalzSize", "FalzPos") VALUES (102, '0/12-9', 0, 12, 9))",
         {"ParamList [ID=102]: в наборе фальца 0/12-9 есть значение меньше 1, с ним не рассчитать ни одну "
          "створку"}},
        {"backset without a value",
         R"(INSERT INTO "ParamList" ("ID", "Name", "DornMass") VALUES (299, '?', 0))",
         {"ParamList [ID=299]: DornMass не больше 0, с этим дорнмассом не рассчитать ни одну створку"}},
        {"element row whose width range is empty",
         R"(UPDATE "FrnSet" SET "FFBMin" = 80, "FFBMax" = 60 WHERE "Key" = 2)",
         {"FrnSet [ID=C1, Item=V1, Key=2]: FFBMin 80 больше FFBMax 60, диапазон ничего не пропускает"}},
        {"element row with an open upper bound",
         R"(UPDATE "FrnSet" SET "FFHMin" = 80, "FFHMax" = 0 WHERE "Key" = 2)",
         {}},
        {"article whose angle range is empty",
         R"(UPDATE "FrnArt" SET "FFAMin" = 60.5, "FFAMax" = 30 WHERE "Key" = 1)",
         {"FrnArt [ID=E1, CatalogID=A1, Key=1]: FFAMin 60.5 больше FFAMax 30, диапазон ничего не "
          "пропускает"}},
        {"side rule whose lengths allow nothing",
         R"(UPDATE "FrnSide" SET "MaxSize" = 0 WHERE "Side" = 3)",
         {"FrnSide [ID=C1, Side=3]: MinSize 300 и MaxSize 0 ничего не допускают, комплект не подходит ни к "
          "одной створке"}},
        {"side rule whose radii allow nothing",
         R"(UPDATE "FrnSide" SET "MinRadius" = 500 WHERE "Side" = 2)",
         {"FrnSide [ID=C1, Side=2]: MinRadius 500 и MaxRadius 0 ничего не допускают, комплект не подходит "
          "ни к одной створке"}},
        {"unknown principle",
         R"(UPDATE "FrnSet" SET "Condition" = 11 WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: Condition 11 - нет такого принципа расчёта (0-10)"}},
        {"scale step 0 without scheme",
         R"(UPDATE "FrnSet" SET "ScaleScheme" = '', "ScaleStep" = 0 WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: шкала количества без ScaleScheme с ScaleStep 0 (нужно не меньше "
          "1)"}},
        {"scheme entry that is no integer",
         R"(UPDATE "FrnSet" SET "ScaleScheme" = '120;1x0' WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: значение ScaleScheme \"1x0\" не целое число и не учитывается"}},
        {"length formula that does not parse",
         R"(UPDATE "FrnSet" SET "LenFormula" = 'FFL(2' WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: формула длины \"FFL(2\" не разбирается: "},
         true},
        {"length formula with a Latin H",
         R"(UPDATE "FrnSet" SET "LenFormula" = 'FFH-FFX(1)' WHERE "Key" = 1)",
         {"FrnSet [ID=C1, Item=E1, Key=1]: формула длины \"FFH-FFX(1)\" использует FFH, FFX(), чего створка "
          "не знает "
          "(читается как 0); высота - это FН/FFН с русской буквой Н"}},
        {"required element without any article",
         R"(INSERT INTO "FrnItem" ("ID", "Name") VALUES ('E2', 'Петля');
            INSERT INTO "FrnSet" ("ID", "Item", "Key", "Required") VALUES ('C1', 'E2', 10, 1))",
         {"FrnSet [ID=C1, Item=E2, Key=10]: у обязательного элемента \"E2\" нет ни одной записи в FrnArt, он "
          "молча "
          "выпадает из каждой комплектации"}},
        {"required virtual element without parts",
         R"(INSERT INTO "FrnItem" ("ID", "Name", "Virtual") VALUES ('V2', 'Набор', 1);
            INSERT INTO "FrnSet" ("ID", "Item", "Key", "Required") VALUES ('C1', 'V2', 10, 1))",
         {"FrnSet [ID=C1, Item=V2, Key=10]: у обязательного виртуального элемента \"V2\" нет частей в "
          "FrnItoI"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dm_.CloseDatabases();
        std::filesystem::remove(dir_ / "catalog" / "catalog.sqlite");
        ASSERT_TRUE(dm_.OpenDatabases(folders_, prompter_));
        // The rows need not survive a crash; unsynced writes keep the cases quick.
        Sql("PRAGMA synchronous = OFF");
        Sql(kCleanCatalog);
        Sql(c.sql);
        OpenAll();
        const std::vector<std::string> problems = Problems();
        if (c.messageFollows) {
            ASSERT_EQ(1u, problems.size());
            EXPECT_EQ(c.problems[0], problems[0].substr(0, c.problems[0].size()));
        } else {
            EXPECT_EQ(c.problems, problems);
        }
    }
}

// Damage that the table objects hide (they read text in a number as 0 and
// keep both rows of a repeated key) or would trip over (a missing column).
TEST_F(CatalogCheckTest, DamagedStoredTablesAreReportedAndTheRestChecked) {
    Sql(kCleanCatalog);
    Sql(R"(DROP INDEX "Catalog_Key";
           INSERT INTO "Catalog" ("ID", "Name", "Price", "Currency") VALUES ('A1', 'Запор 2', 11, 1);
           UPDATE "Catalog" SET "Price" = '12,5' WHERE "Name" = 'Накладка';
           ALTER TABLE "Catalog" DROP COLUMN "PriceGrp";
           INSERT INTO "FrnSet" ("ID", "Item", "Key") VALUES ('C1', 'E9', 10))");
    OpenAll();
    EXPECT_EQ(std::vector<std::string>({
                  "Catalog [ID=A1]: ключ повторяется: 2 записи с ним",
                  "Catalog [ID=A2]: в числовом поле [Price] текст \"12,5\", он читается как 0",
                  "Catalog: Поле [PriceGrp] не найдено в таблице [Catalog]",
                  "FrnSet [ID=C1, Item=E9, Key=10]: Item \"E9\": нет записи в FrnItem",
              }),
              Problems());
}

TEST_F(CatalogCheckTest, LeavesFiltersAndCursorsAsTheyWere) {
    Sql(kCleanCatalog);
    OpenAll();
    dm_.T_FrnSet.SetFilter("ID = 'H1'");
    dm_.T_FrnSet.SetFiltered(true);
    dm_.T_FrnSet.First();
    CheckCatalog(dm_);
    EXPECT_TRUE(dm_.T_FrnSet.Filtered());
    EXPECT_EQ(1, dm_.T_FrnSet.RecordCount());
    EXPECT_EQ("H1", dm_.T_FrnSet.AsString("ID"));
}

TEST_F(CatalogCheckTest, DemoCatalogIsClean) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(KVF_SOURCE_DIR "/data/demo/catalog"))
        if (entry.path().extension() == ".sql")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    for (const auto& file : files)
        Sql(ReadFileBytes(file.string()));
    OpenAll();
    EXPECT_EQ(std::vector<std::string>(), Problems());
    EXPECT_LT(0, dm_.T_FrnSet.RecordCount());
}

} // namespace
} // namespace kvf

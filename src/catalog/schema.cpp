#include "catalog/schema.h"

#include "base/text.h"

namespace kvf {

// Declared column types carry the field kind and size the table objects read
// back through PRAGMA table_info: TEXT(n), MEMOTEXT, INT16, INT32, AUTOINC,
// DECIMAL(d), MONEY, DOUBLE, DATE, TIME, TIMESTAMP, LOGICAL, BLOB.
// Every table keeps SQLite's rowid, which is the stored (written or imported)
// order of its rows.

const char* const kCatalogSchema = R"SQL(
CREATE TABLE IF NOT EXISTS "PriceGrp" (
  "GroupID" INT16, "Name" TEXT(20),
  "Reduce_1" DECIMAL(2), "Reduce_2" DECIMAL(2), "Reduce_3" DECIMAL(2), "Reduce_4" DECIMAL(2),
  "Reduce_5" DECIMAL(2), "Reduce_6" DECIMAL(2), "Reduce_7" DECIMAL(2), "Reduce_8" DECIMAL(2),
  "Reduce_9" DECIMAL(2), "Reduce_10" DECIMAL(2));
CREATE TABLE IF NOT EXISTS "COLORSET" ("Color" TEXT(10), "Name" TEXT(30));
CREATE TABLE IF NOT EXISTS "Currency" (
  "ID" INT16, "Name" TEXT(5), "Value" DECIMAL(4), "Dec" INT16,
  "Nominative" TEXT(35), "Genitive" TEXT(35), "GenitivePlural" TEXT(35), "Gender" INT16,
  "DecNominative" TEXT(35), "DecGenitive" TEXT(35), "DecGenitivePlural" TEXT(35), "DecGender" INT16);
CREATE TABLE IF NOT EXISTS "SysList" (
  "ID" TEXT(10), "Group" INT16, "Name" TEXT(50), "ShortName" TEXT(30), "Use" INT16,
  "CommonGrp" INT32, "BaseColor" TEXT(10));
CREATE TABLE IF NOT EXISTS "Catalog" (
  "ID" TEXT(30), "Group" INT16, "System" TEXT(10), "Article" TEXT(20),
  "ProdArticle" TEXT(20), "ProdArticle2" TEXT(20), "ProdArticle3" TEXT(20), "UseArticle" INT16,
  "Name" TEXT(100), "Unit" TEXT(10), "Price" MONEY, "PriceGrp" INT16, "Currency" INT16,
  "MinTrade" DECIMAL(2), "Use" INT16, "CommonUse" INT16, "Integer" INT16, "Virtual" INT16,
  "FrontColor" TEXT(10), "GOST" TEXT(40), "ShortName" TEXT(50), "AltUnit_1" TEXT(10), "AltUnit_2" TEXT(10),
  "Coef" DECIMAL(6), "AltCoef_1" DECIMAL(6), "AltCoef_2" DECIMAL(6),
  "AltInteger_1" INT16, "AltInteger_2" INT16, "RoundedTotal" INT16,
  "MinLength" INT32, "MinWidth" INT32, "MinHeight" INT32, "MaxLength" INT32, "MaxWidth" INT32, "MaxHeight" INT32,
  "Thickness" INT16, "Weight" DECIMAL(2), "Volume" DECIMAL(2),
  "CutAvailable" INT16, "CalcPrinciple" INT16, "DustGrp" INT16, "PriceList" INT32,
  "PriceMethod" INT16, "CustomGrp" INT16, "GetCustom" INT16, "GetNDS" INT16, "ScreenColor" INT32,
  "SizeToSquare" INT16, "ArcPriceCoef" DECIMAL(2), "NotStdPriceCoef" DECIMAL(2), "CombinePriceCoef" DECIMAL(2),
  "IncludeToComp" INT16, "GarantGrp" INT16, "Laminating" INT16, "Reserve1" TEXT(30), "Reserve2" TEXT(30),
  "Mark" TEXT(10), "PrintGroup" TEXT(20), "SingleLam" INT16, "Export" TEXT(255), "SubSetID" INT32,
  "LamSqExt" DECIMAL(8), "LamSqInn" DECIMAL(8), "LamSqFull" DECIMAL(8), "AutoChange" INT16, "LenToSquare" INT16,
  "SinkDeltaW" INT32, "SinkDeltaL" INT32);
CREATE TABLE IF NOT EXISTS "SysProp" (
  "ID" INT32, "GroupName" TEXT(30), "ValueName" TEXT(50), "Printable" INT16, "Use" INT16, "PrintName" TEXT(100));
CREATE TABLE IF NOT EXISTS "FrnSide" (
  "ID" TEXT(30), "Side" INT16, "MinSize" INT16, "MaxSize" INT16, "MinAngle" DECIMAL(2), "MaxAngle" DECIMAL(2),
  "MinRadius" INT16, "MaxRadius" INT16, "FullRadius" INT16, "HalfRadius" INT16, "EllipseRadius" INT16,
  "OpenMode" INT16, "RotSide" INT16, "Handled" INT16, "HandleDirect" INT16, "Banded" INT16, "Drived" INT16);
CREATE TABLE IF NOT EXISTS "FrnComp" (
  "ID" TEXT(30), "Group" INT16, "SubGroup" INT16, "Kipp" INT16, "Name" TEXT(100), "SymmetricID" TEXT(30),
  "MultiSysID" TEXT(10), "Image" INT16, "MaxWeight" INT16, "ScrColor" INT32, "TFlugelAvailable" INT16,
  "Use" INT16, "CommonGrp" INT32, "Direct" INT16, "Note" TEXT(50), "Printable" INT16, "PrintName" TEXT(100),
  "Alert" TEXT(255), "PropKey" INT32, "DispHingeNum" INT32, "CompectImage" INT16, "Material" INT32,
  "HingeT" TEXT(30), "HingeB" TEXT(30), "HingeC" TEXT(30));
CREATE TABLE IF NOT EXISTS "FrnSet" (
  "ID" TEXT(30), "Item" TEXT(30), "Key" AUTOINC, "PropKey" INT32, "Number" INT16, "ItemSideNo" INT32,
  "FFBMin" INT16, "FFBMax" INT16, "FFHMin" INT16, "FFHMax" INT16,
  "FFL1No" INT16, "FFL1Min" INT16, "FFL1Max" INT16, "FFL2No" INT16, "FFL2Min" INT16, "FFL2Max" INT16,
  "FFL21No" INT16, "FFL21Min" INT16, "FFL21Max" INT16, "FFL22No" INT16, "FFL22Min" INT16, "FFL22Max" INT16,
  "FFANo" INT16, "FFAMin" DECIMAL(2), "FFAMax" DECIMAL(2),
  "FFR1No" INT16, "FFR1Min" INT16, "FFR1Max" INT16, "FFR1Type" INT16,
  "FFR2No" INT16, "FFR2Min" INT16, "FFR2Max" INT16, "FFR2Type" INT16,
  "StulpType" INT16, "UseIfArt" TEXT(30), "Condition" INT16, "Side1No" INT16, "Side2No" INT16, "AngleNo" INT16,
  "ColorCondition" INT16, "ScaleCondition" INT16, "ScaleStep" INT16, "ScaleStart" INT16, "ScaleNum" INT16,
  "ScaleScheme" TEXT(50), "UseLen" INT16, "LenFormula" TEXT(100), "MinLen" INT16,
  "DefineHandleHeight" INT16, "HandleSideNo" INT16, "Required" INT16, "Note" TEXT(50),
  "AlertIfNoArt" TEXT(100), "AlertIfIgnore" TEXT(100));
CREATE TABLE IF NOT EXISTS "FrnItem" (
  "ID" TEXT(30), "Name" TEXT(70), "HasDornMass" INT16, "HasProfSys" INT16, "HasColor" INT16,
  "HasFalzLuft" INT16, "HasFalzSize" INT16, "HasFalzPos" INT16, "CheckWeight" INT16, "CheckThickness" INT16,
  "CheckProfWidth" INT16, "CheckStulpType" INT16, "CheckDirect" INT16, "Virtual" INT16, "CommonGrp" INT32);
CREATE TABLE IF NOT EXISTS "FrnArt" (
  "ID" TEXT(30), "CatalogID" TEXT(30), "Key" AUTOINC, "FalzLuft" INT16, "FalzSize" INT16, "FalzPos" INT16,
  "DornMassMin" DECIMAL(2), "DornMassMax" DECIMAL(2), "HandleMin" INT16, "HandleMax" INT16, "HandleHeight" INT16,
  "WeightMin" DECIMAL(2), "WeightMax" DECIMAL(2), "ThicknessMin" INT16, "ThicknessMax" INT16,
  "ProfWidthMin" INT16, "ProfWidthMax" INT16, "ProfSys" TEXT(10),
  "FFBMin" INT16, "FFBMax" INT16, "FFHMin" INT16, "FFHMax" INT16,
  "FFL1Min" INT16, "FFL1Max" INT16, "FFL2Min" INT16, "FFL2Max" INT16, "FFAMin" DECIMAL(2), "FFAMax" DECIMAL(2),
  "FFR1Min" INT16, "FFR1Max" INT16, "FFR2Min" INT16, "FFR2Max" INT16,
  "Color" TEXT(10), "StulpType" INT16, "Direct" INT16);
CREATE TABLE IF NOT EXISTS "FrnDop" (
  "CatalogID" TEXT(30), "AccessoryID" TEXT(30), "Key" AUTOINC, "Number" INT16, "PropKey" INT32,
  "StulpType" INT16, "ItemSideNo" INT32, "ItemComplectID" TEXT(30));
CREATE TABLE IF NOT EXISTS "FrnAbd" (
  "CatalogID" TEXT(30), "Color" TEXT(10), "AccessoryID" TEXT(30), "Number" INT16, "ItemSideNo" INT32,
  "ItemComplectID" TEXT(30));
CREATE TABLE IF NOT EXISTS "FrnSchl" (
  "CatalogID" TEXT(30), "Item" TEXT(30), "Key" AUTOINC, "Number" INT16, "StulpType" INT16, "PropKey" INT32,
  "ItemSideNo" INT32, "ItemComplectID" TEXT(30));
CREATE TABLE IF NOT EXISTS "FrnProp" ("PropKey" INT32, "ID" INT32, "Default" INT16);
CREATE TABLE IF NOT EXISTS "FrnItoI" (
  "ID" TEXT(30), "Item" TEXT(30), "PropKey" INT32, "Number" INT16, "StulpType" INT16, "ColorCondition" INT16,
  "Required" INT16, "AlertIfNoArt" TEXT(100), "AlertIfIgnore" TEXT(100), "Note" TEXT(100), "ItemSideNo" INT32);
CREATE TABLE IF NOT EXISTS "ParamList" (
  "ID" INT32, "Group" INT16, "Name" TEXT(30), "FalzLuft" INT16, "FalzSize" INT16, "FalzPos" INT16,
  "DornMass" DECIMAL(1), "OpenType" INT16, "StulpType" INT16);
CREATE TABLE IF NOT EXISTS "SysColor" ("ID" TEXT(10), "System" TEXT(10), "Article" TEXT(20));
CREATE TABLE IF NOT EXISTS "SysProf" ("SchlSysID" TEXT(10), "FurnSysID" TEXT(10), "Name" TEXT(50));
CREATE TABLE IF NOT EXISTS "Material" ("ID" INT32, "Name" TEXT(50));
CREATE UNIQUE INDEX IF NOT EXISTS "COLORSET_Key" ON "COLORSET" ("Color");
CREATE UNIQUE INDEX IF NOT EXISTS "SysList_Key" ON "SysList" ("ID");
CREATE UNIQUE INDEX IF NOT EXISTS "Catalog_Key" ON "Catalog" ("ID");
CREATE UNIQUE INDEX IF NOT EXISTS "FrnSide_Key" ON "FrnSide" ("ID", "Side");
CREATE UNIQUE INDEX IF NOT EXISTS "FrnComp_Key" ON "FrnComp" ("ID");
CREATE UNIQUE INDEX IF NOT EXISTS "FrnSet_Key" ON "FrnSet" ("ID", "Item", "Key");
CREATE UNIQUE INDEX IF NOT EXISTS "FrnItem_Key" ON "FrnItem" ("ID");
CREATE UNIQUE INDEX IF NOT EXISTS "FrnArt_Key" ON "FrnArt" ("ID", "CatalogID", "Key");
CREATE UNIQUE INDEX IF NOT EXISTS "ParamList_Key" ON "ParamList" ("ID");
CREATE UNIQUE INDEX IF NOT EXISTS "SysColor_Key" ON "SysColor" ("ID", "System");
)SQL";

const char* const kRegistrySchema = R"SQL(
CREATE TABLE IF NOT EXISTS "OrderLst" (
  "No" TEXT(30), "RegDate" DATE, "Customer" TEXT(40), "Object" TEXT(40), "Address" TEXT(80),
  "Phone" TEXT(40), "Cost" MONEY, "Currency" INT16, "OrderFile" TEXT(255), "Note" TEXT(255));
)SQL";

const char* const kReportSchema = R"SQL(
CREATE TABLE IF NOT EXISTS "Report" (
  "Name" TEXT(100), "FileName" TEXT(100), "Group" INT16, "USE" INT16, "Default" INT16, "Copies" INT16);
)SQL";

namespace {

const std::vector<TableSpec> kTables = {
    {"PriceGrp", DatabaseKind::Catalog, {"GroupID"}, {}},
    {"COLORSET", DatabaseKind::Catalog, {"Color"}, {}, true},
    {"Currency", DatabaseKind::Catalog, {"ID"}, {}},
    {"SysList", DatabaseKind::Catalog, {"ID"}, {}, true},
    {"Catalog",
     DatabaseKind::Catalog,
     {"ID"},
     {{"ProdArticle", {"ProdArticle"}, true},
      {"ProdArticle2", {"ProdArticle2"}, true},
      {"System", {"System"}, true},
      {"Name", {"Name"}, true},
      {"Group", {"Group"}, true},
      {"Article", {"Article"}, true}},
     true},
    {"SysProp", DatabaseKind::Catalog, {"ID"}, {}},
    {"FrnSide", DatabaseKind::Catalog, {"ID", "Side"}, {}, true},
    {"FrnComp", DatabaseKind::Catalog, {"ID"}, {}, true},
    {"FrnSet", DatabaseKind::Catalog, {"ID", "Item", "Key"}, {}, true},
    {"FrnItem", DatabaseKind::Catalog, {"ID"}, {}, true},
    {"FrnArt", DatabaseKind::Catalog, {"ID", "CatalogID", "Key"}, {}, true},
    {"FrnDop", DatabaseKind::Catalog, {"CatalogID"}, {}},
    {"FrnAbd", DatabaseKind::Catalog, {"CatalogID"}, {}},
    {"FrnSchl", DatabaseKind::Catalog, {"CatalogID"}, {}},
    {"FrnProp", DatabaseKind::Catalog, {}, {}},
    {"FrnItoI", DatabaseKind::Catalog, {}, {}},
    {"ParamList", DatabaseKind::Catalog, {"ID"}, {}, true},
    {"SysColor", DatabaseKind::Catalog, {"ID", "System"}, {{"System", {"System", "ID"}, false}}, true},
    {"SysProf", DatabaseKind::Catalog, {"SchlSysID"}, {}},
    {"Material", DatabaseKind::Catalog, {"ID"}, {}},
    {"OrderLst",
     DatabaseKind::Registry,
     {"No"},
     {{"Date", {"RegDate"}, false}, {"CustName", {"Customer"}, true}, {"ObjName", {"Object"}, true}}},
    {"Report", DatabaseKind::Report, {}, {}},
};

} // namespace

const char* SchemaSql(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Catalog:
        return kCatalogSchema;
    case DatabaseKind::Registry:
        return kRegistrySchema;
    case DatabaseKind::Report:
        return kReportSchema;
    }
    return "";
}

const char* DatabaseFileName(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Catalog:
        return "catalog.sqlite";
    case DatabaseKind::Registry:
        return "registry.sqlite";
    case DatabaseKind::Report:
        return "reports.sqlite";
    }
    return "";
}

const std::vector<TableSpec>& TableSpecs() {
    return kTables;
}

std::string KeyText(const std::vector<std::string>& fields, const std::vector<std::string>& values) {
    std::string text;
    for (size_t i = 0; i < fields.size() && i < values.size(); ++i)
        text += (i ? ", " : "") + fields[i] + "=" + values[i];
    return text;
}

const TableSpec* FindTableSpec(std::string_view name) {
    for (const TableSpec& table : kTables)
        if (SameAsciiName(table.Name, name))
            return &table;
    return nullptr;
}

} // namespace kvf

#pragma once
// TDM: the catalog data module. It owns the three databases and one shared
// table object per table; every part of the program reads the catalog
// through these objects.

#include "catalog/database.h"
#include "catalog/table.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace kvf {

class Prompter;

struct DatabaseFolders {
    std::string Catalog;
    std::string Registry;
    std::string Report;
};

class TDM {
public:
    TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    Database DB_Catalog{"PZDB_Catalog", DatabaseKind::Catalog};
    Database DB_Registry{"PZDB_Registry", DatabaseKind::Registry};
    Database DB_Report{"PZDB_Report", DatabaseKind::Report};

    Table T_Color{"T_Color", DB_Catalog, "COLORSET"};
    Table T_Currency{"T_Currency", DB_Catalog, "Currency"};
    Table T_PriceGrp{"T_PriceGrp", DB_Catalog, "PriceGrp"};
    Table T_SysList{"T_SysList", DB_Catalog, "SysList"};
    Table T_SysColor{"T_SysColor", DB_Catalog, "SysColor"};
    Table T_SysProp{"T_SysProp", DB_Catalog, "SysProp"};
    Table T_SysProf{"T_SysProf", DB_Catalog, "SysProf"};
    Table T_Catalog{"T_Catalog", DB_Catalog, "Catalog"};
    Table T_Material{"T_Material", DB_Catalog, "Material", "ID <> 0"};
    Table T_FalzList{"T_FalzList", DB_Catalog, "ParamList", "ID >= 100 and ID <= 199"};
    Table T_DornList{"T_DornList", DB_Catalog, "ParamList", "ID >= 200 and ID <= 299"};
    Table T_StulpList{"T_StulpList", DB_Catalog, "ParamList", "ID >= 300 and ID <= 399"};
    Table T_OpenList{"T_OpenList", DB_Catalog, "ParamList", "ID >= 400 and ID <= 499"};
    Table T_FrnComp{"T_FrnComp", DB_Catalog, "FrnComp"};
    Table T_FrnSide{"T_FrnSide", DB_Catalog, "FrnSide"};
    Table T_FrnItem{"T_FrnItem", DB_Catalog, "FrnItem"};
    Table T_FrnSet{"T_FrnSet", DB_Catalog, "FrnSet"};
    Table T_FrnArt{"T_FrnArt", DB_Catalog, "FrnArt"};
    Table T_FrnSchl{"T_FrnSchl", DB_Catalog, "FrnSchl"};
    Table T_FrnDop{"T_FrnDop", DB_Catalog, "FrnDop"};
    Table T_FrnAbd{"T_FrnAbd", DB_Catalog, "FrnAbd"};
    Table T_FrnProp{"T_FrnProp", DB_Catalog, "FrnProp"};
    Table T_FrnItoI{"T_FrnItoI", DB_Catalog, "FrnItoI"};
    Table T_OrderList{"T_OrderList", DB_Registry, "OrderLst"};
    Table T_Report{"T_Report", DB_Report, "Report"};

    // The property grid's join of FrnProp and SysProp, and the report list.
    std::unique_ptr<Table> Q_Properties;
    std::unique_ptr<Table> Q_ReportList;

    // Opens the three databases. A folder that holds Paradox tables and no
    // SQLite file is imported first, with the user told. A database that
    // cannot be opened shows its error and stays closed; false then. Without
    // `createCatalog` (the desktop program) a catalog folder that has no
    // catalog is such an error, instead of a new empty catalog.
    bool OpenDatabases(const DatabaseFolders& folders, Prompter& prompter, int codePage = 0,
                       bool createCatalog = true);
    void CloseDatabases();

    // The catalog tables in their opening order.
    std::vector<Table*> CatalogTables();
    // Opens every catalog table in order; a table that fails shows its message
    // and the others still open. True when all opened.
    bool OpenCatalogTables(Prompter& prompter);

    // A table object by its name ("T_FrnArt"), its table name ("FrnArt") or
    // a slice's name without "T_" ("FalzList"); nullptr when unknown.
    Table* FindTable(const std::string& name);

    // Runs the property join for seven property keys (through OpenDataSet).
    bool OpenPropertyQuery(const std::array<int, 7>& keys, Prompter& prompter);
    // Runs the report list of one report group; `onlyUsed` adds "USE = 1".
    bool OpenReportList(int group, bool onlyUsed, Prompter& prompter);

    // Opens one database in `folder`, importing its Paradox tables first when
    // the folder has no SQLite file; without them a new empty database is made
    // unless `create` is off. Shows the error and returns false on failure.
    bool OpenDatabase(Database& db, const std::string& folder, Prompter& prompter, int codePage = 0,
                      bool create = true);
};

// Opens a table or query; on failure shows the error box and returns false.
bool OpenDataSet(Table& table, Prompter& prompter);
bool CloseDataSet(Table& table, Prompter& prompter);

} // namespace kvf

#include "catalog/tdm.h"

#include "base/error.h"
#include "base/prompter.h"
#include "base/text.h"
#include "catalog/paradox_import.h"

#include <cstdio>
#include <filesystem>

namespace kvf {

namespace fs = std::filesystem;

namespace {

std::string Format(const char* pattern, const std::string& a, const std::string& b = {}) {
    std::string out;
    int arg = 0;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            out += arg++ == 0 ? a : b;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

} // namespace

TDM::TDM() {
    Q_Properties = Table::MakeQuery("Q_Properties", DB_Catalog);
    Q_ReportList = Table::MakeQuery("Q_ReportList", DB_Report);
    T_Catalog.AddLookupField({"CurrencyLookup", "Currency", &T_Currency, "ID", "Name"});
    T_Catalog.AddLookupField({"PriceGroupLookup", "PriceGrp", &T_PriceGrp, "GroupID", "Name"});
    T_FrnSet.AddLookupField({"ItemLookup", "Item", &T_FrnItem, "ID", "Name"});
    T_FrnArt.AddLookupField({"CatalogNameLookup", "CatalogID", &T_Catalog, "ID", "Name"});
    T_SysColor.AddLookupField({"ColorName", "ID", &T_Color, "Color", "Name"});
}

bool OpenDataSet(Table& table, Prompter& prompter) {
    try {
        table.Open();
        return true;
    } catch (const std::exception& e) {
        if (table.IsQuery())
            prompter.Error(
                Format("Ошибка открытия SQL-запроса:\r\n(%s)\r\nSQL:\r\n(%s)", e.what(), table.DisplaySql()));
        else
            prompter.Error(Format("Ошибка открытия файла [%s]\r\n(%s)", table.TableName(), e.what()));
        return false;
    }
}

bool CloseDataSet(Table& table, Prompter& prompter) {
    try {
        table.Close();
        return true;
    } catch (const std::exception& e) {
        if (table.IsQuery())
            prompter.Error(
                Format("Ошибка закрытия SQL-запроса:\r\n(%s)\r\nSQL:\r\n(%s)", e.what(), table.DisplaySql()));
        else
            prompter.Error(Format("Ошибка закрытия файла [%s]\r\n(%s)", table.TableName(), e.what()));
        return false;
    }
}

bool TDM::OpenDatabase(Database& db, const std::string& folder, Prompter& prompter, int codePage,
                       bool create) {
    try {
        fs::path file = fs::path(folder) / DatabaseFileName(db.Kind());
        if (!fs::exists(file) && !ParadoxTableFiles(folder).empty()) {
            prompter.Information("В папке [" + folder +
                                 "] найдены таблицы Paradox.\r\nОни будут перенесены в файл [" +
                                 file.string() + "].");
            ImportResult result = ImportParadoxFolder(folder, folder, db.Kind(), codePage);
            if (!result.Warnings.empty()) {
                std::string text;
                for (const auto& w : result.Warnings)
                    text += (text.empty() ? "" : "\r\n") + w;
                prompter.Warning(text);
            }
        }
        db.Open(folder, create);
        return true;
    } catch (const std::exception& e) {
        prompter.Error("Ошибка открытия базы данных " + db.Alias() + " [" + folder + "]\r\n(" + e.what() +
                       ")");
        return false;
    }
}

bool TDM::OpenDatabases(const DatabaseFolders& folders, Prompter& prompter, int codePage,
                        bool createCatalog) {
    bool ok = OpenDatabase(DB_Catalog, folders.Catalog, prompter, codePage, createCatalog);
    ok = OpenDatabase(DB_Registry, folders.Registry, prompter, codePage) && ok;
    ok = OpenDatabase(DB_Report, folders.Report, prompter, codePage) && ok;
    return ok;
}

void TDM::CloseDatabases() {
    for (Table* t : CatalogTables())
        t->Close();
    T_OrderList.Close();
    T_Report.Close();
    Q_Properties->Close();
    Q_ReportList->Close();
    DB_Catalog.Close();
    DB_Registry.Close();
    DB_Report.Close();
}

std::vector<Table*> TDM::CatalogTables() {
    return {&T_Color,    &T_Currency, &T_PriceGrp, &T_SysList,  &T_SysColor, &T_SysProp,
            &T_SysProf,  &T_Catalog,  &T_Material, &T_FalzList, &T_DornList, &T_StulpList,
            &T_OpenList, &T_FrnComp,  &T_FrnSide,  &T_FrnItem,  &T_FrnSet,   &T_FrnArt,
            &T_FrnSchl,  &T_FrnDop,   &T_FrnAbd,   &T_FrnProp,  &T_FrnItoI};
}

bool TDM::OpenCatalogTables(Prompter& prompter) {
    bool all = true;
    for (Table* t : CatalogTables())
        all = OpenDataSet(*t, prompter) && all;
    return all;
}

Table* TDM::FindTable(const std::string& name) {
    std::vector<Table*> all = CatalogTables();
    all.push_back(&T_OrderList);
    all.push_back(&T_Report);
    for (Table* t : all)
        if (SameText(t->Name(), name) || SameText(t->Name(), "T_" + name))
            return t;
    for (Table* t : all)
        if (SameText(t->TableName(), name) && t->TableName() != "ParamList")
            return t;
    return nullptr;
}

bool TDM::OpenPropertyQuery(const std::array<int, 7>& keys, Prompter& prompter) {
    char in[160];
    std::snprintf(in, sizeof in, "%d, %d, %d, %d, %d, %d, %d", keys[0], keys[1], keys[2], keys[3], keys[4],
                  keys[5], keys[6]);
    std::string display =
        "select T1.\"ID\", T1.\"GroupName\", T1.\"ValueName\", T.\"Default\", T.\"PropKey\"\r\n"
        "from \":PZDB_Catalog:FrnProp.DB\" T, \":PZDB_Catalog:SysProp.DB\" T1\r\n"
        "where\r\n"
        "T.\"ID\" = T1.\"ID\"\r\n"
        "and\r\n"
        "T.\"PropKey\" IN (" +
        std::string(in) + ")";
    std::string sql = "select T1.\"ID\", T1.\"GroupName\", T1.\"ValueName\", T.\"Default\", T.\"PropKey\" "
                      "from \"FrnProp\" T, \"SysProp\" T1 where T.\"ID\" = T1.\"ID\" and T.\"PropKey\" IN (" +
                      std::string(in) + ") order by T.rowid, T1.rowid";
    Q_Properties->SetQuery(display, sql);
    return OpenDataSet(*Q_Properties, prompter);
}

bool TDM::OpenReportList(int group, bool onlyUsed, Prompter& prompter) {
    std::string g = std::to_string(group);
    std::string display = "SELECT *\r\nFROM \":PZDB_Report:Report.db\" T\r\nWHERE\r\nT.\"Group\" = " + g;
    std::string sql = "SELECT T.rowid AS _rowid_, T.* FROM \"Report\" T WHERE T.\"Group\" = " + g;
    if (onlyUsed) {
        display += "\r\nAND\r\nUSE = 1";
        sql += " AND T.\"USE\" = 1";
    }
    Q_ReportList->SetQuery(display, sql + " ORDER BY T.rowid");
    return OpenDataSet(*Q_ReportList, prompter);
}

} // namespace kvf

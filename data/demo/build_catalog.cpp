// kvf_demo_catalog [--report] OUT_DIR FILE.sql...: builds OUT_DIR/catalog.sqlite
// (with --report OUT_DIR/reports.sqlite, the report list) from the schema and
// the demo's SQL files, run in the order given, in one transaction. The database is built under a temporary
// name in OUT_DIR and renamed into place only when every file has loaded, so a broken file never leaves a
// half-filled catalog behind.

#include "base/atomic_file.h"
#include "base/error.h"
#include "catalog/database.h"
#include "catalog/schema.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const bool report = argc > 1 && std::string(argv[1]) == "--report";
    if (report) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::cerr << "usage: kvf_demo_catalog [--report] OUT_DIR FILE.sql...\n";
        return 2;
    }
    const kvf::DatabaseKind kind = report ? kvf::DatabaseKind::Report : kvf::DatabaseKind::Catalog;
    const fs::path folder = argv[1];
    const fs::path target = folder / kvf::DatabaseFileName(kind);
    const fs::path building = folder / (target.filename().string() + ".building");
    try {
        fs::create_directories(folder);
        fs::remove(building);
        {
            kvf::Database db(report ? "PZDB_Report" : "PZDB_Catalog", kind);
            db.OpenFile(building.string());
            kvf::Database::Transaction transaction(db);
            db.Exec(kvf::SchemaSql(kind));
            for (int i = 2; i < argc; ++i) {
                try {
                    db.Exec(kvf::ReadFileBytes(argv[i]));
                } catch (const std::exception& e) {
                    throw kvf::KvfError(std::string(argv[i]) + ": " + e.what());
                }
            }
            transaction.Commit();
        }
        fs::rename(building, target);
    } catch (const std::exception& e) {
        std::error_code ignored;
        fs::remove(building, ignored);
        std::cerr << "kvf_demo_catalog: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

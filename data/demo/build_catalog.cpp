// kvf_demo_catalog OUT_DIR FILE.sql...: builds OUT_DIR/catalog.sqlite from the
// catalog schema and the demo catalog's SQL files, run in the order given, in
// one transaction. The database is built under a temporary name in OUT_DIR and
// renamed into place only when every file has loaded, so a broken file never
// leaves a half-filled catalog behind.

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
    if (argc < 3) {
        std::cerr << "usage: kvf_demo_catalog OUT_DIR FILE.sql...\n";
        return 2;
    }
    const fs::path folder = argv[1];
    const fs::path target = folder / kvf::DatabaseFileName(kvf::DatabaseKind::Catalog);
    const fs::path building = folder / (target.filename().string() + ".building");
    try {
        fs::create_directories(folder);
        fs::remove(building);
        {
            kvf::Database db("PZDB_Catalog", kvf::DatabaseKind::Catalog);
            db.OpenFile(building.string());
            kvf::Database::Transaction transaction(db);
            db.Exec(kvf::SchemaSql(kvf::DatabaseKind::Catalog));
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

#pragma once
// A catalog in a temporary folder: empty databases created from the schema,
// rows added with SQL by each test, then opened through the data module.

#include "base/scripted_prompter.h"
#include "catalog/tdm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace kvf {

class CatalogFixture : public ::testing::Test {
protected:
    CatalogFixture() {
        static std::atomic<int> counter{0};
        dir_ = std::filesystem::temp_directory_path() /
               ("kvf_catalog_test_" + std::to_string(getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(dir_);
        for (const char* sub : {"catalog", "registry", "report"})
            std::filesystem::create_directories(dir_ / sub);
        folders_ = {(dir_ / "catalog").string(), (dir_ / "registry").string(), (dir_ / "report").string()};
        EXPECT_TRUE(dm_.OpenDatabases(folders_, prompter_));
    }
    ~CatalogFixture() override {
        dm_.CloseDatabases();
        std::filesystem::remove_all(dir_);
    }

    void Sql(const std::string& sql) { dm_.DB_Catalog.Exec(sql); }
    void OpenAll() { ASSERT_TRUE(dm_.OpenCatalogTables(prompter_)); }

    std::filesystem::path dir_;
    DatabaseFolders folders_;
    ScriptedPrompter prompter_;
    TDM dm_;
};

} // namespace kvf

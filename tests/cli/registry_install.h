#pragma once
// An installation for the registry and selection commands: a temporary home
// with the configuration "Демо" (catalog, server, reports and temporary
// folders), its settings file, and order files made in the test.

#include "../config/temp_home.h"
#include "base/atomic_file.h"
#include "base/scripted_prompter.h"
#include "base/text.h"
#include "run_kvf.h"
#include "test_orders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace kvf::cli {

struct RegistryInstall {
    test::TempHome home;

    RegistryInstall() {
        const Result added =
            run({"config", "add", "Демо", "--catalog", home.Path("cat"), "--server", home.Path("srv"),
                 "--reports", home.Path("rep"), "--temp", home.Path("tmp"), "--default"});
        EXPECT_EQ(0, added.status) << added.err;
        for (const char* folder : {"cat", "srv/Orders", "srv/Registry", "srv/Selection", "rep", "tmp"})
            std::filesystem::create_directories(home.Path(folder));
        WriteFileAtomic(home.Path("cat/KVFurniture.ini"), ToAnsi("[Money]\r\nCurCurrency=1\r\n"));
    }

    std::string Orders() const { return home.Path("srv/Orders"); }

    std::string WriteOrder(const std::string& path, const std::string& no,
                           const std::string& customer = "Иванов", int positions = 1) const {
        return test::WriteTestOrder(path, no, customer, positions);
    }
};

} // namespace kvf::cli

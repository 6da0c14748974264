#pragma once
// An installation for the registry and selection commands: a temporary home
// with the configuration "Демо" (catalog, server, reports and temporary
// folders), its settings file, and order files made in the test.

#include "../config/temp_home.h"
#include "base/atomic_file.h"
#include "base/scripted_prompter.h"
#include "base/text.h"
#include "model/construction.h"
#include "model/order.h"
#include "run_kvf.h"

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

    // An order with the given number and customer and `positions` positions
    // "1", "2", ... of 1000 x 1200 mm plus 100 mm per position; returns its path.
    std::string WriteOrder(const std::string& path, const std::string& no,
                           const std::string& customer = "Иванов", int positions = 1) const {
        TkvfOrder order;
        order.OrderNo = no;
        order.Customer = customer;
        order.ObjectName = "Дача";
        order.Address = "Лесная, 5";
        order.Phones = "123-45-67";
        order.RegDate = 46000;
        order.CurrencyID = 1;
        for (int i = 1; i <= positions; ++i) {
            TkvfConstruction& position = order.AddPosition();
            position.No = std::to_string(i);
            position.Name = "Окно " + std::to_string(i);
            position.Number = i;
            position.SetShape({1000.0 + 100 * i, 1200, 0, 0, 0, 0, 0}, 0);
        }
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ScriptedPrompter quiet;
        EXPECT_TRUE(order.SaveToFile(path, quiet));
        return path;
    }
};

} // namespace kvf::cli

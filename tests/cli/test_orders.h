#pragma once
// Small order files made in a test.

#include "base/scripted_prompter.h"
#include "model/construction.h"
#include "model/order.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kvf::test {

// An order with the given number and customer and `positions` positions
// "1", "2", ... named "Окно N", N pieces each, of (1000 + 100 N) x 1200 mm;
// returns its path.
inline std::string WriteTestOrder(const std::string& path, const std::string& no,
                                  const std::string& customer = "Иванов", int positions = 1) {
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

} // namespace kvf::test

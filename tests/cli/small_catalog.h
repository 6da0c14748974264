#pragma once
// Small catalogs and orders in a temporary folder for the commands that
// recalculate orders: complect C1 adds hinge article A1 twice, complect C2
// handle article A2 once; both articles cost 2.5 in currency 1 at rate 1.
// Position "1" chooses C1, position "2" C2, position "3" both (C2 as an
// additional complect); each is one 700 x 1400 mm sash.

#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "model/order.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace kvf::cli::test {

class SmallCatalogs {
public:
    SmallCatalogs();
    ~SmallCatalogs();

    // Writes the catalog into `folder / name`; `edit` changes it before it is closed.
    std::string WriteCatalog(const std::string& name, const std::function<void(TDM&)>& edit = {});
    // Writes the order of the three positions into `folder / order.kfo370`.
    std::string WriteOrder();

    static void Row(Table& table, std::initializer_list<std::pair<const char*, Value>> fields);
    // Sets one field of the row found by its key.
    static void Change(Table& table, const std::string& key, const char* field, const Value& value);
    static std::string Bytes(const std::string& file);

    std::filesystem::path folder;
};

} // namespace kvf::cli::test

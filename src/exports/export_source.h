#pragma once
// TExportSource: the order or the selection an export writes, and the
// material list built from it.

#include "model/matlist_item.h"

#include <string>

namespace kvf {

class CatalogLookups;
class Prompter;
class TkvfOrder;
class TkvfOrderSelection;

struct TExportSource {
    TkvfOrder* Order = nullptr;
    TkvfOrderSelection* Selection = nullptr;

    // The selection's number, else the order's.
    std::string Number() const;
    // Raises KvfError when there is nothing to export: no object, or no
    // position included in the calculation.
    void CheckExportable() const;
    // The order's material list in build order, or the selection's (sorted by
    // identifier and priced in the selection's currencies). Errors are raised.
    TkvfMatList BuildMatList(CatalogLookups& catalog, const std::string& ordersFolder,
                             Prompter& prompter) const;
};

} // namespace kvf

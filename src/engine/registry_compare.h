#pragma once
// The comparison of every order in the order registry between the current
// catalog and a new one: what each order and each of its positions would
// cost, and which articles would change, if the new catalog were installed.
// Nothing is saved.

#include "base/money.h"
#include "engine/order_compare.h"

#include <functional>
#include <string>
#include <vector>

namespace kvf {

class Prompter;
class TDM;

struct OrderComparison {
    std::string No;       // the registry row's
    std::string Customer; // the registry row's
    std::string File;     // the order file on disk
    std::string Error;    // why the order could not be compared; empty when it was
    Money OldTotal;       // the order's total with VAT against each catalog; a position
    Money NewTotal;       // that fails keeps its stored cost in it
    std::vector<PositionComparison> Positions;

    Money Difference() const { return NewTotal - OldTotal; }
    // The positions that failed against either catalog, by No.
    std::vector<std::string> ErrorPositions() const;
    bool Differs() const;
};

// Called after each order with the number done and the total; false stops the run.
using CompareProgress = std::function<bool(int done, int total)>;

// Every row of the registry table of `current` (whose catalog is the old one)
// in key order: its order file (OrderFile, stored relative to `ordersDir`) is
// loaded and compared against the catalog of `candidate`. The two catalogs are
// worked on at the same time, the new one on a second thread that shows no
// messages and takes the first row of any alternatives list; messages of the
// old side go to `prompter`. An order that cannot be loaded is listed with its
// error.
std::vector<OrderComparison> CompareRegistry(TDM& current, TDM& candidate, const std::string& ordersDir,
                                             Prompter& prompter, bool debug,
                                             const CompareProgress& progress = {});

} // namespace kvf

#pragma once
// Filling a selection from order files, shared by the selection window and
// `kvf selection`: a new selection's pricing defaults, and adding the
// positions of one order file (matched on order and position number).

#include <string>
#include <vector>

namespace kvf {

class CatalogLookups;
class Prompter;
class TkvfOrderSelection;

// A new selection's currency, VAT rate and price group 0, with the catalog's
// current currency rates.
void InitNewSelection(TkvfOrderSelection& selection, CatalogLookups& lookups, int currency, double ndsTax);

// One item touched by adding an order file.
struct SelectionChange {
    int Index = 0;
    bool Added = false; // appended; otherwise an existing item overwritten
};

// Adds every position of the order file in order: an item with the same order
// and position number (ignoring case) is overwritten, any other position is
// appended. The changes in the order made; nothing when the file could not be
// loaded (its message shown).
std::vector<SelectionChange> AddOrderFileToSelection(TkvfOrderSelection& selection, const std::string& file,
                                                     const std::string& ordersFolder, Prompter& prompter);

} // namespace kvf

#pragma once
// CheckCatalog: the catalog maintainer's consistency check. It finds what the
// program would only meet while computing a sash, or never notice at all:
// references that lead nowhere (elements, articles, complects, colours,
// properties, currencies, price groups) and rules the engine cannot carry out
// as meant (side numbers beyond a complect's sides, a count scale with step 0
// and no scheme, a length formula that does not parse or names something the
// sash does not know, a required element without any article, a range that
// passes nothing, a rebate set or backset the composition pass refuses).

#include <string>
#include <vector>

namespace kvf {

class TDM;

struct CatalogProblem {
    std::string Table;   // "FrnSet"
    std::string Key;     // the row's key fields: "ID=K-DK, Item=GETR, Key=101"
    std::string Problem; // what is wrong, in one sentence
};

// Checks the open catalog tables of `dm` (TDM::OpenCatalogTables). Problems
// come table by table in the tables' key order. The tables' filters and
// cursors are as they were when it returns.
std::vector<CatalogProblem> CheckCatalog(TDM& dm);

// "FrnSet [ID=K-DK, Item=GETR, Key=101]: <problem>"
std::string FormatCatalogProblem(const CatalogProblem& problem);

} // namespace kvf

#pragma once
// CheckCatalog: the catalog maintainer's consistency check. It finds what the
// program would only meet while computing a sash, or never notice at all:
// references that lead nowhere (elements, articles, complects, colours,
// properties, currencies, price groups) and rules the engine cannot carry out
// as meant (side numbers beyond a complect's sides, a count scale with step 0
// and no scheme, a length formula that does not parse or names something the
// sash does not know, a required element without any article, a range that
// passes nothing, a rebate set or backset the composition pass refuses), and
// damage to the stored tables (a key that repeats, text in a numeric column,
// a column or table that is missing). Its messages are in Russian.

#include <string>
#include <vector>

namespace kvf {

class TDM;

struct CatalogProblem {
    std::string Table;   // "FrnSet"
    std::string Key;     // the row's key fields: "ID=K-DK, Item=GETR, Key=101"; "" for the whole table
    std::string Problem; // what is wrong, in one sentence
};

// Checks the catalog tables of `dm` (TDM::OpenCatalogTables); a table that
// did not open is reported and checked as empty. Problems of the stored rows
// come first, then the others table by table in the tables' key order. The
// tables' filters and cursors are as they were when it returns.
std::vector<CatalogProblem> CheckCatalog(TDM& dm);

// "FrnSet [ID=K-DK, Item=GETR, Key=101]: <problem>", or "FrnSet: <problem>"
// for the whole table.
std::string FormatCatalogProblem(const CatalogProblem& problem);

} // namespace kvf

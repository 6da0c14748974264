#pragma once
// What the two fixed-column text exports share: the five heading lines and
// the per-article catalog texts. All results are Windows-1251 bytes.

#include <string>
#include <vector>

namespace kvf {

class CatalogLookups;
struct TExportValues;

// "                    Шифр фирмы %s" ... "                    Дата заявки %s".
// A value the code page cannot hold raises KvfError.
std::vector<std::string> OrderHeading(const TExportValues& values);

struct ArticleTexts {
    std::string ProdArticle;
    std::string ProdArticle2;
    std::string Name;
    std::string Unit;
};

// The catalog texts of an article; an article missing from the catalog
// raises the unit lookup's error.
ArticleTexts ArticleTextsOf(CatalogLookups& catalog, const std::string& id);

} // namespace kvf

#include "exports/text_export.h"

#include "base/ole_date.h"
#include "base/text.h"
#include "catalog/catalog_lookups.h"
#include "exports/export_values.h"
#include "exports/fixed_columns.h"

namespace kvf {

std::vector<std::string> OrderHeading(const TExportValues& values) {
    const std::string indent(20, ' ');
    return {
        indent + ToAnsi("Шифр фирмы ") + ToAnsiExact(values.FirmID, "Шифр фирмы"),
        indent + ToAnsi("Фирма ") + ToAnsiExact(values.FirmName, "Наименование фирмы"),
        indent + ToAnsi("Заявка № ") + std::to_string(values.OrderNo),
        indent + ToAnsi("Название ") + ToAnsiExact(values.OrderName, "Наименование заявки"),
        indent + ToAnsi("Дата заявки ") + FormatDate(values.OrderDate),
    };
}

ArticleTexts ArticleTextsOf(CatalogLookups& catalog, const std::string& id) {
    const std::string unit = catalog.GetArticleUnit(id);
    const ArticleInfo info = catalog.GetArticleInfo(id, true);
    return {ToAnsi(info.ProdArticle), ToAnsi(info.ProdArticle2), ToAnsi(info.Name), ToAnsi(unit)};
}

} // namespace kvf

#include "exports/tbm_export.h"

#include "base/number_format.h"
#include "base/text.h"
#include "exports/fixed_columns.h"
#include "exports/text_export.h"

namespace kvf {

std::string TbmFileImage(const TExportValues& values, TkvfMatList& list, CatalogLookups& catalog) {
    const std::string rule(80, '-');
    std::vector<std::string> lines = OrderHeading(values);
    lines.push_back(rule);
    lines.push_back(PlacedLine(80, {{5, "Артикул"}, {35, "Название"}, {65, "Кол."}, {71, "Ед.изм."}}));
    lines.push_back(rule);
    for (const auto& item : list) {
        const ArticleTexts texts = ArticleTextsOf(catalog, item->ID);
        lines.push_back(LeftColumn(texts.ProdArticle2, 16) + LeftColumn(texts.Name, 45) +
                        RightColumn(FormatFixed(item->Quantity, 0), 7) + RightColumn(texts.Unit, 9));
    }
    lines.push_back(rule);
    lines.push_back(std::string(80, ' '));
    lines.push_back(PlacedLine(80, {{21, "Заявку составил________________________"}}));
    return JoinLines(lines);
}

} // namespace kvf

#include "exports/vorne_export.h"

#include "base/number_format.h"
#include "base/text.h"
#include "exports/fixed_columns.h"
#include "exports/text_export.h"

namespace kvf {

std::string VorneFileImage(const TExportValues& values, TkvfMatList& list, CatalogLookups& catalog) {
    SortByID(list);
    const std::string rule(148, '-');
    std::vector<std::string> lines = OrderHeading(values);
    lines.push_back(rule);
    lines.push_back(PlacedLine(148, {{5, "Артикул"},
                                     {35, "Название"},
                                     {65, "Кол."},
                                     {71, "Ед.изм."},
                                     {79, "Цена без скидки"},
                                     {100, "Скидка"},
                                     {113, "Цена со скидкой"},
                                     {136, "Сумма"}}));
    lines.push_back(rule);
    for (const auto& item : list) {
        const ArticleTexts texts = ArticleTextsOf(catalog, item->ID);
        lines.push_back(LeftColumn(texts.ProdArticle, 16) + LeftColumn(texts.Name, 45) +
                        RightColumn(FormatFixed(item->Quantity, 0), 7) + RightColumn(texts.Unit, 9) +
                        RightColumn(item->CatalogPrice.Format4(), 17) +
                        RightColumn(item->ReservedAmount.Format4(), 17) +
                        RightColumn(item->Price.Format4(), 17) + RightColumn(item->Cost.Format4(), 17));
    }
    lines.push_back(rule);
    lines.push_back(std::string(148, ' '));
    lines.push_back(PlacedLine(148, {{65, "Заявку составил________________________"}}));
    return JoinLines(lines);
}

} // namespace kvf

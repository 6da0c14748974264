#include "exports/vbh_export.h"

#include "base/ole_date.h"
#include "base/rounding.h"
#include "catalog/catalog_lookups.h"
#include "exports/export_values.h"
#include "exports/vbh_xml.h"

#include <filesystem>
#include <sstream>

namespace kvf {

namespace {

const std::string& orId(const std::string& article, const std::string& id) {
    return article.empty() ? id : article;
}

} // namespace

std::string VbhFileImage(const TExportValues& values, TkvfMatList& list, CatalogLookups& catalog) {
    pugi::xml_document document;
    TXMLOrderType order = NewOrder(document);
    order.SetType("XML Order File");
    order.SetFileName(std::filesystem::path(values.FileName).filename().string());
    TXMLPropertyType property = order.Property();
    property.SetCustomerID(values.FirmID);
    property.SetCustomer(values.FirmName);
    property.SetNo(values.OrderNo);
    property.SetOrderList(values.OrderName);
    property.SetComment(values.Comment);
    property.SetDate(FormatDate(values.OrderDate));
    TXMLItemListType items = order.ItemList();
    for (const auto& line : list) {
        const ArticleInfo info = catalog.GetArticleInfo(line->ID, true);
        TXMLItemType item = items.Add();
        item.SetArticle(orId(info.ProdArticle, line->ID));
        item.SetArticle2(orId(info.ProdArticle2, line->ID));
        item.SetArticle3(line->ID);
        item.SetName(info.Name);
        item.SetNumber(RoundAway(line->Quantity));
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

} // namespace kvf

// The typed binding of the XML order document.

#include "base/error.h"
#include "exports/vbh_xml.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kvf {
namespace {

std::string Saved(const pugi::xml_document& document) {
    std::ostringstream out;
    document.save(out, "", pugi::format_raw | pugi::format_no_declaration);
    return out.str();
}

TEST(ExportXmlBinding, AttributesStandInTheOrderFirstSet) {
    pugi::xml_document document;
    TXMLOrderType order = NewOrder(document);
    order.SetType("XML Order File");
    order.SetFileName("Z.xml");
    order.SetType("changed in place");
    TXMLPropertyType property = order.Property();
    property.SetComment("c");
    property.SetNo(12);
    TXMLItemType item = order.ItemList().Add();
    item.SetNumber(3);
    item.SetName("Петля \"A&B\" <1>\x01");
    EXPECT_EQ("<Order Type=\"changed in place\" FileName=\"Z.xml\"><Property Comment=\"c\" No=\"12\"/>"
              "<ItemList><Item Number=\"3\" Name=\"Петля &quot;A&amp;B&quot; &lt;1> \"/></ItemList></Order>",
              Saved(document));
}

TEST(ExportXmlBinding, ReadingAnAbsentChildCreatesIt) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<Order Type=\"t\"/>"));
    TXMLOrderType order = GetOrder(document);
    EXPECT_EQ("t", order.Type());
    EXPECT_EQ("", order.FileName());
    EXPECT_EQ(0, order.ItemList().Count());
    EXPECT_EQ(0, order.Property().No());
    EXPECT_EQ("<Order Type=\"t\"><ItemList/><Property/></Order>", Saved(document));
    // The second read finds the child made by the first.
    order.ItemList().Add();
    EXPECT_EQ(1, order.ItemList().Count());
}

TEST(ExportXmlBinding, ItemListCountsIndexesAddsAndInserts) {
    pugi::xml_document document;
    TXMLItemListType items = NewOrder(document).ItemList();
    items.Add().SetArticle("b");
    items.Insert(0).SetArticle("a");
    items.Insert(2).SetArticle("c");
    items.Node().append_child("Other");
    ASSERT_EQ(3, items.Count());
    EXPECT_EQ("a", items.Item(0).Article());
    EXPECT_EQ("b", items.Item(1).Article());
    EXPECT_EQ("c", items.Item(2).Article());
    EXPECT_THROW(items.Item(3), KvfError);
    EXPECT_THROW(items.Insert(5), KvfError);
}

TEST(ExportXmlBinding, AnotherRootIsRefused) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string("<Invoice/>"));
    EXPECT_THROW(GetOrder(document), KvfError);
}

} // namespace
} // namespace kvf

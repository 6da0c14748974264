#pragma once
// Typed access to the XML order document of the VBH ordering system. Every
// value is an attribute; setting one the element lacks appends it, so the
// attributes stand in the order they were first set. Reading a child element
// the document lacks creates it.
//
//   <Order Type FileName>
//     <Property CustomerID Customer No OrderList Comment Date/>
//     <ItemList>
//       <Item Article Article2 Article3 Name Number/>  one per material line
//     </ItemList>
//   </Order>

#include <pugixml.hpp>

#include <string>

namespace kvf {

// The base of the four element classes: one element node and its attributes.
class TXMLNode {
public:
    explicit TXMLNode(pugi::xml_node node) : node_(node) {}
    pugi::xml_node Node() const { return node_; }

protected:
    std::string text(const char* name) const;
    void setText(const char* name, const std::string& value);
    int integer(const char* name) const;
    void setInteger(const char* name, int value);
    // The first child element `name`, appended when there is none.
    pugi::xml_node child(const char* name);

private:
    pugi::xml_node node_;
};

class TXMLItemType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Article() const { return text("Article"); }
    void SetArticle(const std::string& v) { setText("Article", v); }
    std::string Article2() const { return text("Article2"); }
    void SetArticle2(const std::string& v) { setText("Article2", v); }
    std::string Article3() const { return text("Article3"); }
    void SetArticle3(const std::string& v) { setText("Article3", v); }
    std::string Name() const { return text("Name"); }
    void SetName(const std::string& v) { setText("Name", v); }
    int Number() const { return integer("Number"); }
    void SetNumber(int v) { setInteger("Number", v); }
};

// The collection of "Item" child elements.
class TXMLItemListType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int Count() const;
    // The item at `index` (from 0); KvfError when there is none.
    TXMLItemType Item(int index) const;
    TXMLItemType Add();
    // A new item before the one at `index`; at Count() it is appended.
    TXMLItemType Insert(int index);
};

class TXMLPropertyType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    int No() const { return integer("No"); }
    void SetNo(int v) { setInteger("No", v); }
    std::string Date() const { return text("Date"); }
    void SetDate(const std::string& v) { setText("Date", v); }
    std::string CustomerID() const { return text("CustomerID"); }
    void SetCustomerID(const std::string& v) { setText("CustomerID", v); }
    std::string Customer() const { return text("Customer"); }
    void SetCustomer(const std::string& v) { setText("Customer", v); }
    std::string OrderList() const { return text("OrderList"); }
    void SetOrderList(const std::string& v) { setText("OrderList", v); }
    std::string Comment() const { return text("Comment"); }
    void SetComment(const std::string& v) { setText("Comment", v); }
};

class TXMLOrderType : public TXMLNode {
public:
    using TXMLNode::TXMLNode;
    std::string Type() const { return text("Type"); }
    void SetType(const std::string& v) { setText("Type", v); }
    std::string FileName() const { return text("FileName"); }
    void SetFileName(const std::string& v) { setText("FileName", v); }
    TXMLPropertyType Property() { return TXMLPropertyType(child("Property")); }
    TXMLItemListType ItemList() { return TXMLItemListType(child("ItemList")); }
};

// Empties the document and gives its new root element "Order".
TXMLOrderType NewOrder(pugi::xml_document& document);
// The document's root element "Order"; KvfError when the root is another one.
TXMLOrderType GetOrder(pugi::xml_document& document);

} // namespace kvf

#include "exports/vbh_xml.h"

#include "base/error.h"

#include <cstring>

namespace kvf {

std::string TXMLNode::text(const char* name) const {
    return node_.attribute(name).value();
}

void TXMLNode::setText(const char* name, const std::string& value) {
    pugi::xml_attribute attribute = node_.attribute(name);
    if (!attribute)
        attribute = node_.append_attribute(name);
    // XML 1.0 has no place for control characters but tab and line breaks.
    std::string clean = value;
    for (char& c : clean) {
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            c = ' ';
    }
    attribute.set_value(clean.c_str());
}

int TXMLNode::integer(const char* name) const {
    return node_.attribute(name).as_int();
}

void TXMLNode::setInteger(const char* name, int value) {
    setText(name, std::to_string(value));
}

pugi::xml_node TXMLNode::child(const char* name) {
    pugi::xml_node found = node_.child(name);
    return found ? found : node_.append_child(name);
}

int TXMLItemListType::Count() const {
    int count = 0;
    for (pugi::xml_node item = Node().child("Item"); item; item = item.next_sibling("Item"))
        ++count;
    return count;
}

TXMLItemType TXMLItemListType::Item(int index) const {
    int i = 0;
    for (pugi::xml_node item = Node().child("Item"); item; item = item.next_sibling("Item"), ++i) {
        if (i == index)
            return TXMLItemType(item);
    }
    throw KvfError("Элемент Item с индексом " + std::to_string(index) + " отсутствует");
}

TXMLItemType TXMLItemListType::Add() {
    return TXMLItemType(Node().append_child("Item"));
}

TXMLItemType TXMLItemListType::Insert(int index) {
    if (index == Count())
        return Add();
    return TXMLItemType(Node().insert_child_before("Item", Item(index).Node()));
}

TXMLOrderType NewOrder(pugi::xml_document& document) {
    document.reset();
    return TXMLOrderType(document.append_child("Order"));
}

TXMLOrderType GetOrder(pugi::xml_document& document) {
    pugi::xml_node root = document.document_element();
    if (!root || std::strcmp(root.name(), "Order") != 0)
        throw KvfError("Корневой элемент документа не Order");
    return TXMLOrderType(root);
}

} // namespace kvf

#pragma once
// The XML order file of the VBH ordering system (UTF-8, see vbh_xml.h for
// the elements). Per material line, in list order, from the catalog quietly:
//   Article   the producer article, or the identifier when it is empty
//   Article2  the producer article 2, or the identifier when it is empty
//   Article3  the identifier
//   Name      the catalog name
//   Number    the quantity rounded, halves away from zero

#include "model/matlist_item.h"

#include <string>

namespace kvf {

class CatalogLookups;
struct TExportValues;

std::string VbhFileImage(const TExportValues& values, TkvfMatList& list, CatalogLookups& catalog);

} // namespace kvf

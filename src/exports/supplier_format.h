#pragma once
// SupplierFormat: what differs between the three supplier exports: where
// their remembered values live, how the first use fills the firm, the file
// extension, the name in the write error and the writer of the file image.

#include "model/matlist_item.h"

#include <string>

namespace kvf {

class CatalogLookups;
struct TExportValues;

struct SupplierFormat {
    // The registry key (current user) of the remembered values.
    const char* RegistryKey;
    // ".txt" or ".xml".
    const char* Extension;
    // Completes "Ошибка записи данных в файл экспорта %s ...".
    const char* ExportName;
    // On first use the firm code comes from the firm's taxpayer number, and an
    // empty remembered value counts as absent (the XML export); otherwise the
    // code defaults to "0000" and only an absent value takes the default.
    bool FirmFromSettings;
    // The bytes of the export file for the material list (which it may sort).
    std::string (*FileImage)(const TExportValues& values, TkvfMatList& list, CatalogLookups& catalog);
};

extern const SupplierFormat TbmFormat;
extern const SupplierFormat VorneFormat;
extern const SupplierFormat XmlFormat;

} // namespace kvf

#pragma once
// TExportValues: what an export dialog asks for, loaded from and remembered
// in the format's registry key: "FirmID" and "FirmName" (strings), "OrderNo"
// (integer), "OrderDate" (binary date), "FileName" (string).

#include <string>

namespace kvf {

class Prompter;
class Registry;
class TkvfSetup;
struct SupplierFormat;

struct TExportValues {
    std::string FirmID;
    std::string FirmName;
    int OrderNo = 1;
    // The order name of the text exports, the order list of the XML export.
    std::string OrderName;
    double OrderDate = 0; // OLE date
    std::string FileName;
    // XML export only; not remembered.
    std::string Comment;
    bool Upload = false;
};

// The values for a new export of the order or selection numbered `number`:
// the remembered firm, the last order number + 1 and the last date (first
// use: the format's defaults, 1 and today), the file name built from them.
// A registry failure shows "Ошибка загрузки параметров из системного
// реестра!\r\n(%s)"; what was not read keeps its default.
TExportValues LoadExportValues(const SupplierFormat& format, Registry& registry, const TkvfSetup& setup,
                               const std::string& number, const std::string& exportDir, Prompter& prompter);

// Remembers the values; a failure shows "Ошибка записи параметров в
// системный реестр!\r\n(%s)" and is not raised.
void SaveExportValues(const SupplierFormat& format, const TExportValues& values, Registry& registry,
                      Prompter& prompter);

// Export folder + "/Z" + firm code + the order number in at least four digits
// + the format's extension; the bare name when there is no export folder.
std::string ExportFileName(const SupplierFormat& format, const std::string& exportDir,
                           const std::string& firmID, int orderNo);

} // namespace kvf

#pragma once
// Running one report template for an order or a selection: the shared
// operation of the print dialog and of `kvf print`. The template's stored
// file name is decoded against the report folder, the template is loaded,
// the report data module is bound to the object and the pages are built.

#include "reports/report.h"

#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace kvf {

class Prompter;
class TDM;
class TDM_Report;
class TkvfOrder;
class TkvfOrderSelection;

using ReportObject = std::variant<TkvfOrder*, TkvfOrderSelection*>;

// The report group of an object: 11 for an order, 12 for a selection.
int ReportGroupOf(const ReportObject& object);

// One row of the report table.
struct TReportRecord {
    long long RowId = 0;
    std::string Name;
    std::string FileName;
    int Group = 0;
    int Use = 0;
    int Default = 0;
    int Copies = 1;
};

// The rows of one group in stored order; only those in use unless `all`.
// KvfError when the table cannot be read.
std::vector<TReportRecord> ReadReportList(TDM& dm, int group, bool all, Prompter& prompter);
// Writes Default and Copies of the rows back into the report table.
void WriteReportChoices(TDM& dm, const std::vector<TReportRecord>& records);

// The template file of a stored name: "%" stands for the report folder;
// components are matched on the disk ignoring case.
std::string TemplatePath(const std::string& reportDir, const std::string& fileName);

// Loads the template at `path`, binds the data module to the object and
// builds the pages; the module is reset afterwards, also on failure.
// KvfError names the template, band and view.
TPreparedReport PrepareTemplate(TDM_Report& data, const ReportObject& object, const std::string& path,
                                const std::function<bool(int pages)>& progress = {});

} // namespace kvf

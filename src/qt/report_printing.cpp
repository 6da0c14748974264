#include "qt/report_printing.h"

#include "base/error.h"
#include "base/stored_path.h"
#include "catalog/tdm.h"
#include "qt/report_output.h"
#include "reports/report_data.h"

namespace kvf {

int ReportGroupOf(const ReportObject& object) {
    return std::holds_alternative<TkvfOrder*>(object) ? 11 : 12;
}

std::vector<TReportRecord> ReadReportList(TDM& dm, int group, bool all, Prompter& prompter) {
    if (!dm.OpenReportList(group, !all, prompter))
        throw KvfError("Не удалось прочитать список отчетов");
    Table& q = *dm.Q_ReportList;
    std::vector<TReportRecord> records;
    for (q.First(); !q.Eof(); q.Next()) {
        TReportRecord r;
        r.RowId = q.RowId();
        r.Name = q.AsString("Name");
        r.FileName = q.AsString("FileName");
        r.Group = static_cast<int>(q.AsInteger("Group"));
        r.Use = static_cast<int>(q.AsInteger("USE"));
        r.Default = static_cast<int>(q.AsInteger("Default"));
        r.Copies = static_cast<int>(q.AsInteger("Copies"));
        records.push_back(r);
    }
    return records;
}

void WriteReportChoices(TDM& dm, const std::vector<TReportRecord>& records) {
    Database::Transaction transaction(dm.DB_Report);
    for (const TReportRecord& r : records) {
        dm.DB_Report.Exec("UPDATE \"Report\" SET \"Default\" = " + std::to_string(r.Default) +
                          ", \"Copies\" = " + std::to_string(r.Copies) +
                          " WHERE rowid = " + std::to_string(r.RowId));
    }
    transaction.Commit();
}

std::string TemplatePath(const std::string& reportDir, const std::string& fileName) {
    if (!fileName.empty() && fileName[0] == '%')
        return ResolveStoredPath(ExpandRelativePath(reportDir, fileName));
    return ResolveStoredPath(fileName);
}

TPreparedReport PrepareTemplate(TDM_Report& data, const ReportObject& object, const std::string& path,
                                const std::function<bool(int)>& progress) {
    struct Reset {
        TDM_Report& data;
        ~Reset() {
            data.ResetReport();
            data.Report = nullptr;
        }
    } reset{data};
    std::visit([&](auto* o) { data.SetReportObject(o); }, object);
    TReport report;
    report.LoadFromFile(path);
    data.AttachReport(report);
    ReportMeasure measure;
    return report.PrepareReport(measure.canvas(), progress);
}

} // namespace kvf

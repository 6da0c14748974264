// kvf print FILE --template T.kfr --pdf OUT [--config NAME] [--yes]
// kvf print FILE --group --pdf-dir DIR [--config NAME] [--yes]
//   Prints an order (*.kfo370) or a selection (*.kfs370) into PDF files: one
//   template, or every template of the object's report group that is in use
//   and marked for the group print (one PDF each, named after the template,
//   copies ignored). A failure writes nothing and exits with status 1.
// kvf report eval FILE "EXPR" [--pos NO] [--sash N] [--item I] [--mat I [--by-name]] [--config NAME]
//   Prints the value of a report expression with the report data module
//   bound to FILE, its cursors placed on position NO, sash N (1 left, 2
//   right), composition item I (from 0) and, with --mat, on item I of the
//   material list built as the templates build it (sorted by name with
//   --by-name). Dates print as dd.mm.yyyy, booleans as true/false, money
//   with four decimals.

#include "base/error.h"
#include "base/stored_path.h"
#include "base/text.h"
#include "catalog/tdm.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/settings_run.h"
#include "model/construction.h"
#include "model/flugel.h"
#include "model/order.h"
#include "model/order_selection.h"
#include "qt/report_output.h"
#include "qt/report_printing.h"
#include "reports/report_data.h"

#include <QGuiApplication>

#include <filesystem>
#include <memory>
#include <ostream>

namespace kvf::cli {

namespace fs = std::filesystem;

namespace {

// Text layout needs a QGuiApplication; off-screen unless the environment names a platform.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kvf";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The order or selection of FILE with what the reports need: the settings,
// the catalog and the report table of the configuration.
struct ReportRun {
    ReportRun(std::ostream& err, bool yes) : run(err, yes) {}

    bool Start(const Args& args, const std::string& file) {
        if (!run.Start(args))
            return false;
        bool converted = false;
        if (fs::path(file).extension() == ".kfs370" || fs::path(file).extension() == ".KFS370") {
            selection = std::make_unique<TkvfOrderSelection>();
            if (!selection->LoadFromFile(file, converted, run.prompter))
                return false;
            object = selection.get();
        } else {
            order = std::make_unique<TkvfOrder>();
            if (!order->LoadFromFile(file, converted, run.prompter))
                return false;
            object = order.get();
        }
        const TkvfPaths& paths = run.paths;
        if (!dm.OpenDatabase(dm.DB_Catalog, paths.CatalogDir, run.prompter, 0, false) ||
            !dm.OpenCatalogTables(run.prompter))
            return false;
        if (!dm.OpenDatabase(dm.DB_Report, paths.ReportDir, run.prompter, 0, true))
            return false;
        data = std::make_unique<TDM_Report>(dm, *run.setup, run.paths, run.prompter);
        return true;
    }

    SettingsRun run;
    TDM dm;
    std::unique_ptr<TkvfOrder> order;
    std::unique_ptr<TkvfOrderSelection> selection;
    ReportObject object;
    std::unique_ptr<TDM_Report> data;
};

std::string pdfName(const std::string& templatePath) {
    return fs::path(templatePath).stem().string() + ".pdf";
}

} // namespace

int RunPrint(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {"group", "yes"});
    const std::string file = args.At(0, "FILE");
    const bool group = args.Switch("group");
    const std::optional<std::string> templateFile = args.Option("template");
    const std::optional<std::string> pdf = args.Option("pdf");
    const std::optional<std::string> pdfDir = args.Option("pdf-dir");
    if (group ? (!pdfDir || pdfDir->empty() || templateFile) : (!templateFile || !pdf || pdf->empty()))
        throw UsageError{"give --template T.kfr --pdf OUT, or --group --pdf-dir DIR"};
    const std::unique_ptr<QGuiApplication> application = guiApplication();
    ReportRun r(err, args.Switch("yes"));
    if (!r.Start(args, file))
        return 1;

    if (!group) {
        std::string path = *templateFile;
        if (!fs::is_regular_file(path) && !fs::path(path).is_absolute())
            path = JoinPath(r.run.paths.ReportDir, path);
        if (!fs::is_regular_file(path)) {
            err << "Невозможно найти файл отчета!\r\nФайл: " << path << ".\n";
            return 1;
        }
        SaveReportPdf(PrepareTemplate(*r.data, r.object, path), *pdf);
        out << *pdf << "\n";
        return 0;
    }

    // Every PDF is built before the first is written, so a failing template leaves none behind.
    std::vector<std::pair<std::string, TPreparedReport>> prepared;
    for (const TReportRecord& record : ReadReportList(r.dm, ReportGroupOf(r.object), false, r.run.prompter)) {
        if (record.Default != 1)
            continue;
        const std::string path = TemplatePath(r.run.paths.ReportDir, record.FileName);
        if (!fs::is_regular_file(path)) {
            err << "Невозможно найти файл отчета!\r\nФайл: " << path << ".\n";
            return 1;
        }
        prepared.emplace_back(JoinPath(*pdfDir, pdfName(path)), PrepareTemplate(*r.data, r.object, path));
    }
    fs::create_directories(*pdfDir);
    for (const auto& [target, pages] : prepared) {
        SaveReportPdf(pages, target);
        out << target << "\n";
    }
    return 0;
}

namespace {

int reportEval(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    const Args args(words, {"by-name", "yes"});
    const std::string file = args.At(0, "FILE");
    const std::string expression = args.At(1, "EXPR");
    if (args.Positional().size() > 2)
        throw UsageError{"unexpected argument \"" + args.Positional()[2] + "\""};
    const std::optional<long long> sash = args.IntOption("sash");
    if (sash && *sash != 1 && *sash != 2)
        throw UsageError{"--sash is 1 (left) or 2 (right)"};
    const std::optional<long long> item = args.IntOption("item");
    const std::optional<long long> mat = args.IntOption("mat");
    if (args.Switch("by-name") && !mat)
        throw UsageError{"--by-name goes with --mat I"};

    ReportRun r(err, args.Switch("yes"));
    if (!r.Start(args, file))
        return 1;
    TDM_Report& data = *r.data;
    TReport report;
    std::visit([&](auto* o) { data.SetReportObject(o); }, r.object);
    data.AttachReport(report);

    if (const std::optional<std::string> no = args.Option("pos")) {
        if (r.order) {
            for (data.FirstPos(); data.CurPos && !SameText(data.CurPos->No, *no); data.NextPos()) {
            }
        } else {
            for (data.FirstSelItem(); data.CurSelItem && !SameText(data.CurSelItem->PosNo, *no);
                 data.NextSelItem()) {
            }
        }
        if (!data.CurPos) {
            err << "kvf report eval: no included position \"" << *no << "\" in " << file << "\n";
            return 1;
        }
    }
    if (sash) {
        if (!data.CurPos) {
            throw UsageError{"--sash needs --pos NO"};
        }
        TkvfFlugel& flugel = *sash == 1 ? data.CurPos->LeftFlugel : data.CurPos->RightFlugel;
        data.CurComp = flugel.FurnComp.get();
    }
    if (item)
        data.CompItemIndex = static_cast<int>(*item);
    if (mat) {
        data.InitMatList(r.selection != nullptr, args.Switch("by-name"));
        data.MatIndex = static_cast<int>(*mat);
    }
    try {
        out << ReportValueText(report.Calc(expression)) << "\n";
    } catch (const KvfError& e) {
        err << e.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunReport(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty() || words[0] != "eval")
        throw UsageError{"kvf report eval FILE \"EXPR\" ..."};
    return reportEval(std::vector<std::string>(words.begin() + 1, words.end()), out, err);
}

} // namespace kvf::cli

#pragma once
// TReport: our band report engine. A template (".kfr", XML) holds the page
// settings and the bands with their views:
//
//   <report>
//     <page size="A4" orientation="portrait" left="10" top="10" right="10" bottom="10"/>
//     <band type="PageHeader" name="PageHeader1" height="8"> views </band>
//     <band type="ReportTitle" height="30"> ... </band>
//     <band type="MasterHeader" height="6"> ... </band>
//     <band type="MasterData" name="MasterData1" source="frdOrderPosSpec" height="40">
//       views
//       <band type="GroupHeader" condition="_POS_NAME" height="6"> ... </band>
//       <band type="DetailData" source="frdFrameFurnCompSpec" height="6">
//         views, and SubdetailData bands the same way
//       </band>
//       <band type="DetailFooter" height="6"> ... </band>
//       <band type="GroupFooter" height="6"> ... </band>
//     </band>
//     <band type="MasterFooter" height="6"> ... </band>
//     <band type="ReportSummary" height="20"> ... </band>
//     <band type="PageFooter" height="8"> ... </band>
//   </report>
//
// Views: <text> (its content with [expression] inserts, [PAGE#],
// [TOTALPAGES] and [LINE#], the record's number in its data band; font, size in points, bold, italic, color
// "#RRGGBB", align left|center|right, valign top|center|bottom, frame "all" or sides "left,top,right,bottom",
// fill, wrap, stretch), <picture> (file relative to the template), <line>, <rect> and <KVFImage> (the sketch
// view). Places and sizes are millimetres (left, top, width, height), relative to the band.
//
// A data band runs its data source (first, then next until the end test),
// printing itself and its inner bands for every record; a header band just
// before a data band and a footer band just after it belong to it. Group
// headers print when their condition's value changes, group footers close
// the group. Aggregates SUM(expr[, band]), MIN, MAX, AVG and COUNT([band])
// add up over the records of a data band (by default the one the footer
// belongs to) and restart after the band that shows them has printed.
//
// Named values and user functions come from the callbacks; user functions
// get their arguments as unevaluated texts. Pages are display lists in device
// pixels at 96 dots per inch.

#include "base/variant.h"
#include "reports/display_list.h"
#include "reports/report_view.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kvf {

constexpr int kReportDotsPerInch = 96;
// Millimetres to report pixels, rounded.
int ReportPixels(double millimetres);

enum class BandType {
    ReportTitle,
    ReportSummary,
    PageHeader,
    PageFooter,
    MasterHeader,
    MasterData,
    MasterFooter,
    DetailHeader,
    DetailData,
    DetailFooter,
    SubdetailHeader,
    SubdetailData,
    SubdetailFooter,
    GroupHeader,
    GroupFooter
};

class TReportBand {
public:
    BandType Type = BandType::MasterData;
    std::string Name;
    int Height = 0;
    std::string Source;                  // data bands
    std::optional<Expression> Condition; // group headers
    std::vector<std::unique_ptr<TReportView>> Views;
    std::vector<std::unique_ptr<TReportBand>> Bands; // inner bands of a data band
    TReportBand* Parent = nullptr;                   // the data band this band sits in
    TReportBand* Header = nullptr;                   // of a data band
    TReportBand* Footer = nullptr;                   // of a data band
    TReportBand* DataBand = nullptr;                 // of a header or footer

    bool IsData() const;
};

// A data source driven by callbacks: first, next, prior and the end test.
class TReportUserDataSet {
public:
    std::function<void()> OnFirst;
    std::function<void()> OnNext;
    std::function<void()> OnPrior;
    std::function<bool()> OnCheckEOF;

    void First();
    void Next();
    void Prior();
    bool Eof() const;
};

struct TReportPage {
    int Width = 0;
    int Height = 0;
    DisplayList Items;
};

struct TPreparedReport {
    std::vector<TReportPage> Pages;
    bool Landscape = false;
    double PageWidthMm = 210;
    double PageHeightMm = 297;
};

class TReport {
public:
    TReport();
    ~TReport();
    TReport(const TReport&) = delete;
    TReport& operator=(const TReport&) = delete;

    // Reads a template; KvfError naming the template (and the band and view)
    // on a file that cannot be read, bad XML or an expression with a syntax error.
    void LoadFromFile(const std::string& path);
    void LoadFromText(const std::string& xml, const std::string& name, const std::string& folder = {});
    const std::string& TemplateName() const { return name_; }

    // The view of that name; nullptr when none.
    TReportView* FindObject(const std::string& name) const;
    std::vector<TReportView*> AllViews() const;

    // The data sources by name; not owned.
    void SetDataSet(const std::string& name, TReportUserDataSet* dataSet);

    // A named value; false when the name is unknown.
    std::function<bool(const std::string& name, Variant& value)> OnGetValue;
    // A user function with its arguments' texts; nothing when the function is
    // unknown, an empty Variant for a function without a value.
    std::function<std::optional<Variant>(const std::string& name, const std::vector<std::string>& args)>
        OnUserFunction;
    // Called for every view just before it prints.
    std::function<void(TReportView& view)> OnBeforePrint;

    // Evaluates an expression in the report's scope (named values, user
    // functions, built-ins); KvfError when it fails.
    Variant Calc(const std::string& expression);

    // Builds the pages. `measure` answers text extents (the device the pages
    // are for); `progress` hears each finished page and may stop the run by
    // answering false. Errors name the template, the band and the view.
    TPreparedReport PrepareReport(Canvas& measure, const std::function<bool(int pages)>& progress = {});

    double PageWidthMm = 210;
    double PageHeightMm = 297;
    bool Landscape = false;
    double MarginLeft = 10, MarginTop = 10, MarginRight = 10, MarginBottom = 10;

private:
    class Builder;
    struct Aggregate;

    std::string name_;
    std::string folder_;
    std::vector<std::unique_ptr<TReportBand>> bands_;
    std::map<std::string, TReportUserDataSet*> dataSets_;
    std::vector<std::unique_ptr<Aggregate>> aggregates_;
};

} // namespace kvf

#pragma once
// TDM_Report: the report data module. It serves one order or one selection
// at a time to report templates: named variables (GetValue), five record
// sources that drive the data bands, user functions (UserFunction, arguments
// as unevaluated expression texts) and the sketch views' drawing
// (BeforePrint). The names are the contract with the templates. Beyond the
// classic set, offers read the money of positions and orders: _POS_PRICE (one
// piece), _POS_TOTAL, _POS_WIDTH and _POS_HEIGHT (mm), _ORDER_TOTAL,
// _ORDER_TOTALNDS and _ORDER_TOTALWITHNDS.

#include "base/variant.h"
#include "catalog/catalog_lookups.h"
#include "model/matlist_item.h"
#include "model/order_selection.h"
#include "reports/report.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kvf {

class Prompter;
class TDM;
class TkvfConstruction;
class TkvfFurnComp;
class TkvfOrder;
class TkvfOrderSelection;
class TkvfOrderSelectionItem;
class TkvfSetup;
struct TkvfPaths;

class TDM_Report {
public:
    TDM_Report(TDM& dm, const TkvfSetup& setup, const TkvfPaths& paths, Prompter& prompter);
    ~TDM_Report();
    TDM_Report(const TDM_Report&) = delete;
    TDM_Report& operator=(const TDM_Report&) = delete;

    // Forgets both objects and the position and selection cursors, then keeps
    // the one given; its currency list and currency become the pricing context.
    void SetReportObject(TkvfOrder* order);
    void SetReportObject(TkvfOrderSelection* selection);
    // Makes this module the report's value provider, user-function and
    // before-print handler and its data sources.
    void AttachReport(TReport& report);
    // Forgets the order and frees the material list.
    void ResetReport();

    // A report variable (name in any case); false when no group knows it.
    // Names of a group that is not active now give an empty value.
    bool GetValue(const std::string& name, Variant& value);
    // A user function; nothing when the name is unknown, an empty value for a
    // function that returns none.
    std::optional<Variant> UserFunction(const std::string& name, const std::vector<std::string>& args);
    // Hands a sketch view the drawing routine and the current position.
    void BeforePrint(TReportView& view);

    // Record sources.
    TReportUserDataSet frdOrderPosSpec;
    TReportUserDataSet frdSelPosSpec;
    TReportUserDataSet frdFrameFurnCompSpec;
    TReportUserDataSet frdFurnCompItemSpec;
    TReportUserDataSet frdOrderMatList;

    TReport* Report = nullptr;
    TkvfOrder* Order = nullptr;
    TkvfOrderSelection* Selection = nullptr;
    int PosIndex = -1;
    TkvfConstruction* CurPos = nullptr;
    int SelIndex = -1;
    TkvfOrderSelectionItem* CurSelItem = nullptr;
    TkvfFurnComp* CurComp = nullptr;
    int CompItemIndex = 0;
    std::unique_ptr<TkvfMatList> MatList;
    int MatIndex = 0;

    // Cursor moves of the record sources, also used to place the cursors by hand.
    void FirstPos();
    void NextPos();
    void FirstSelItem();
    void NextSelItem();
    void FirstComp();
    void NextComp();
    // Builds the material list as _INIT_ORDERMATLIST / _INIT_SELMATLIST do.
    void InitMatList(bool selection, bool byName);

    CatalogLookups& Lookups() { return lookups_; }

private:
    bool firmValue(const std::string& name, Variant& value) const;
    bool orderValue(const std::string& name, Variant& value);
    bool positionValue(const std::string& name, Variant& value);
    bool selectionValue(const std::string& name, Variant& value);
    bool matListValue(const std::string& name, Variant& value);
    bool compValue(const std::string& name, Variant& value);
    bool compItemValue(const std::string& name, Variant& value);
    std::string propertyList(bool printableOnly);
    std::string argument(const std::vector<std::string>& args, size_t i);
    void selectSelItem(int index);
    void clearCursors();

    TDM& dm_;
    const TkvfSetup& setup_;
    const TkvfPaths& paths_;
    Prompter& prompter_;
    CatalogLookups lookups_;
    // The order file read for the current selection item.
    TkvfLoadedPosition selPosition_;
    bool nextCompDone_ = false;
};

// The text `kvf report eval` prints for a value: dates dd.mm.yyyy, booleans
// true/false, money with four decimals, everything else as a report prints it.
std::string ReportValueText(const Variant& value);

} // namespace kvf

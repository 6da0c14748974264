#pragma once
// TReportListDlg ("Печать"): the report templates of the object being
// printed (group 11 for an order, 12 for a selection) from the report table:
// preview one, print one with its number of copies, or print the group of
// templates marked for printing. Edits of "Печать" and "Копий" are written
// back to the report table when the dialog closes.

// moc cannot parse the standard headers this one draws in; it needs none of it.
#ifndef Q_MOC_RUN
#include "qt/report_printing.h"
#endif

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;

namespace kvf {

struct TAppContext;
class TDM_Report;
class TkvfOrder;
class TkvfOrderSelection;

class TReportListDlg : public QDialog {
    Q_OBJECT
public:
    TReportListDlg(TAppContext& ctx, QWidget* parent = nullptr);
    ~TReportListDlg() override;

    // Shows the list for the object modally.
    int Execute(const ReportObject& object);
    // The object to print (the group follows from it); BuildList shows its list.
    void SetObject(const ReportObject& object) { object_ = object; }
    // Builds the list (also on "Показать все").
    void BuildList();

    void Preview();
    void Print();
    void PrintGroup();

    const std::vector<TReportRecord>& Records() const { return records_; }

    // Prints prepared pages on the chosen printer; replaceable by tests.
    std::function<bool(const TPreparedReport& pages, const QString& printer, int copies)> PrintPages;
    // Shows the preview window; replaceable by tests.
    std::function<void(TPreparedReport pages, const QString& title)> ShowPreview;

    QTableWidget* Grid = nullptr;
    QCheckBox* ShowAllCheck = nullptr;
    QComboBox* PrinterCombo = nullptr;
    QPushButton* PreviewBut = nullptr;
    QPushButton* PrintBut = nullptr;
    QPushButton* PrintGroupBut = nullptr;
    QPushButton* CancelBut = nullptr;
    QPushButton* OptionsBut = nullptr;

protected:
    void done(int result) override;

private:
    enum class Failure { None, MissingFile, Other };
    // Prepares the template of a record; Failure and its message when it cannot.
    std::optional<TPreparedReport> prepare(const TReportRecord& record, Failure& failure,
                                           std::string& message);
    // Prepares the template of the current row (record receives the row) and
    // shows why when it cannot; nothing without a current row.
    std::optional<TPreparedReport> prepareCurrent(TReportRecord& record);
    void takeEdits();
    void saveEdits();
    int currentRow() const;
    void setControlsEnabled(bool on);

    TAppContext& ctx_;
    std::unique_ptr<TDM_Report> data_;
    ReportObject object_;
    std::vector<TReportRecord> records_;
    // The rows as read: only rows the user changed are written back, so edits
    // of other rows by someone else sharing the report folder survive.
    std::vector<TReportRecord> read_;
    bool filling_ = false;
};

// The print dialog for an order and for a selection (the windows' Print).
void ExecuteReportList(TAppContext& ctx, TkvfOrder& order, QWidget* parent);
void ExecuteReportList(TAppContext& ctx, TkvfOrderSelection& selection, QWidget* parent);

} // namespace kvf

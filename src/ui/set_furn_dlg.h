#pragma once
// TSetFurnDlg: "Фурнитура", the fittings of one position. Page one holds the
// position's common choices (system, strike-plate system, colour, rebate,
// double-sash type, backset, sash type, profile width and thickness) and,
// for the sash shown, the complect and the optional parts with their catalog
// properties, the user-defined handle height and a sketch of the choice;
// page two the sash's additional complects; page three the computed
// composition with articles added or changed by hand. OK stores the choice
// into the position through its SetFurn, the same operation `kvf order
// recalc` runs, so both compute the same composition.

#include "ui/property_grid.h"

#include <QDialog>

#include <array>
#include <memory>
#include <string>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace kvf {

class CatalogLookups;
class TLookupCombo;
class TTraceView;
struct TkvfFurnChoice;
class TkvfConstruction;
class TkvfFlugel;
struct TAppContext;

// Runs the dialog modally on the position: true on OK (the position's choices
// and compositions changed in place), false on Cancel (the position as it was).
bool ExecuteSetFurnDlg(TAppContext& ctx, TkvfConstruction& position, QWidget* parent);

class TSetFurnDlg : public QDialog {
    Q_OBJECT
public:
    TSetFurnDlg(TAppContext& ctx, TkvfConstruction& position, QWidget* parent = nullptr);
    ~TSetFurnDlg() override;

    // The sash whose choices the controls show: 1 (left) or 2 (right).
    int CurrentSash() const { return currentSash_; }
    TkvfFlugel& CurrentFlugel() const;
    // The choice of sash k (1 or 2) as last stored from the controls.
    const TkvfFurnChoice& Slot(int k) const;
    // Stores the controls into the current sash's choice and returns it.
    const TkvfFurnChoice& StoreCurrent();
    // The private copy of the position the sketch shows.
    const TkvfConstruction& Preview() const;
    TkvfConstruction& Position() const { return position_; }
    CatalogLookups& Lookups() const;

    // Stores the choice into the position (the "Спецификация" page and OK use it);
    // false after a message when it cannot be done.
    bool ApplyFurn();
    // Refills the article list from the position's compositions.
    void FillItemList();

    // Page one.
    QLineEdit* PosNoEdit;
    QSpinBox* NumEdit;
    TLookupCombo* FurnSysCombo;
    TLookupCombo* ProfSysCombo;
    TLookupCombo* ColorCombo;
    TLookupCombo* FalzCombo;
    TLookupCombo* StulpTypeCombo;
    TLookupCombo* DornCombo;
    TLookupCombo* OpenTypeCombo;
    QDoubleSpinBox* WidthEdit;
    QDoubleSpinBox* ThicknessEdit;
    QLabel* FalzSizeLab;
    QLabel* StulpFlugelLab;
    QLabel* StulpTypeLab;
    QLabel* LatchLab;
    QRadioButton* LeftFlugelRadio;
    QRadioButton* RightFlugelRadio;
    TLookupCombo* ComplectCombo;
    TLookupCombo* HandleCombo;
    TLookupCombo* HingeCombo;
    TLookupCombo* LockCombo;
    TLookupCombo* CylinderCombo;
    TLookupCombo* DriveCombo;
    TLookupCombo* LatchCombo;
    QCheckBox* UserDefineHeightCheck;
    QSpinBox* UserDefineHeightEdit;
    QWidget* PaintBox;
    TPropertyGrid* DI;
    // Page two.
    QTableWidget* ComplectListView;
    QPushButton* AddComplectBut;
    QPushButton* DeleteComplectBut;
    // Page three.
    QTableWidget* ItemListView;
    QLabel* CostPanel;
    QPushButton* AddArticleBut;
    QPushButton* EditArticleBut;
    QPushButton* DeleteArticleBut;
    QCheckBox* NoRecalcCheck;
    // Page four: the composition trace of the sash shown.
    TTraceView* TraceView;
    // Below the pages.
    QTabWidget* Pages;
    QLabel* DopCompExistsLab;
    QPushButton* OkBut;
    QPushButton* CancelBut;

    void done(int result) override;

signals:
    // Another sash is shown.
    void CurrentSashChanged(int sash);
    // The preview copy holds the controls' current choice.
    void PreviewChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPage1(QWidget* page);
    void buildPage2(QWidget* page);
    void buildPage3(QWidget* page);
    void setUpLookups();
    void open();

    // The seven component combos by component index.
    std::array<TLookupCombo*, 7> components() const;
    TPropertyGrid::Keys propertyKeys() const;
    void loadSlotIntoControls(const TkvfFurnChoice& slot);

    void systemChanged();
    void componentChosen(int index);
    void componentCleared(int index);
    void complectClosedUp();
    void switchSash(int sash);
    // The check (when enabled) and the edit with its colour and value.
    void showUserHeight(bool on, int value);
    void updateUserHeight();
    void recomputePreview();
    void showSashInfo();
    void fillComplectList();
    void addComplect();
    void deleteComplect();
    void pageChanged(int index);
    // Computes the position again, as the "Спецификация" page does, with its
    // trace recorded, and shows the trace of the sash shown. With "Не
    // пересчитывать комплект" on the position is put back afterwards.
    void explain();
    bool knownArticle(const std::string& article);
    void addArticle();
    void editArticle();
    void deleteArticle();
    void okClicked();

    TAppContext& ctx_;
    TkvfConstruction& position_;
    // The lookups with the order's pricing, the preview copy and the two sashes' choices.
    struct State;
    std::unique_ptr<State> state_;
    CatalogLookups& lookups_;
    TkvfConstruction& preview_;
    std::array<TkvfFurnChoice, 2>& slots_;
    int material_ = 0;
    bool door_ = false;
    int systemGroup_ = 0;
    int systemFamily_ = 0;
    int currentSash_ = 1;
};

} // namespace kvf

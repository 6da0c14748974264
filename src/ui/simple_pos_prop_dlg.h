#pragma once
// TSimplePosPropDlg ("Новая позиция"): the first dialog of a new position. It
// asks for the label, count, name, product type, one of eight outline shapes
// and the shape's sizes, and builds the position's sash outline from them.
// The size fields keep each other consistent: an arch's rise and radius, and
// the two widths of a pair of sashes.

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace kvf {

class TkvfConstruction;
class TkvfOrder;
struct TAppContext;

class TSimplePosPropDlg : public QDialog {
    Q_OBJECT
public:
    TSimplePosPropDlg(TAppContext& ctx, TkvfOrder& order, TkvfConstruction& construction,
                      QWidget* parent = nullptr);

    int ShapeIndex() const;
    void SetShapeIndex(int index);
    // The field values as numbers (an empty or unreadable field reads 0).
    double WidthValue() const;
    double HeightValue() const;
    double XValue() const;
    double YValue() const;
    double RValue() const;

    // OK: builds the outline; on failure the position is restored and the error shown.
    void accept() override;

private:
    void presetFields();
    void shapeChanged();
    void widthEdited();
    void xEdited();
    void yEdited();
    void radiusEdited();
    void applyMinimumRadius();
    void setEnabledField(QLineEdit* edit, QLabel* label, bool enabled);
    void setX(double value);
    void setR(double value);
    bool isArch() const;
    bool isPair() const;

    TAppContext& ctx_;
    TkvfOrder& order_;
    TkvfConstruction& construction_;
    int defaultWidth_ = 700;
    int defaultHeight_ = 1400;

    QLineEdit* posNoEdit_ = nullptr;
    QLineEdit* numEdit_ = nullptr;
    QLineEdit* nameEdit_ = nullptr;
    QComboBox* objTypeCombo_ = nullptr;
    QScrollBar* figScroll_ = nullptr;
    QLabel* figImage_ = nullptr;
    QLineEdit* widthEdit_ = nullptr;
    QLineEdit* heightEdit_ = nullptr;
    QLineEdit* hxEdit_ = nullptr;
    QLineEdit* hyEdit_ = nullptr;
    QLineEdit* radiusEdit_ = nullptr;
    QLabel* heightLabel_ = nullptr;
    QLabel* hxLabel_ = nullptr;
    QLabel* hyLabel_ = nullptr;
    QLabel* radiusLabel_ = nullptr;
};

// Runs the dialog modally; true when OK built the outline.
bool ExecuteSimplePosPropDlg(TAppContext& ctx, TkvfOrder& order, TkvfConstruction& construction,
                             QWidget* parent = nullptr);

} // namespace kvf

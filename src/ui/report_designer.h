#pragma once
// TReportDesigner ("Дизайнер отчетов", developer mode): opens a template of
// the report folder, edits its XML, checks it, shows a live preview of its
// first pages built with an order of the user's choice, and saves it.

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;

namespace kvf {

struct TAppContext;
class TDM_Report;
class TkvfOrder;

class TReportDesigner : public QDialog {
    Q_OBJECT
public:
    explicit TReportDesigner(TAppContext& ctx, QWidget* parent = nullptr);
    ~TReportDesigner() override;

    // Opens a template file into the editor; false (shown) when it cannot be read.
    bool OpenTemplate(const QString& path);
    // Reads the order the preview is built with; false (shown) when it cannot be read.
    bool UseOrder(const QString& path);
    // Checks the text as a template; the status line tells the result.
    bool CheckTemplate();
    // Builds the preview of the text with the chosen order.
    void RefreshPreview();
    // Writes the text into the template file, atomically; refused while the text has errors.
    bool SaveTemplate();

    QComboBox* TemplateCombo = nullptr;
    QComboBox* OrderCombo = nullptr;
    QPlainTextEdit* Editor = nullptr;
    QLabel* StatusLabel = nullptr;
    QLabel* PageImage = nullptr;
    QSpinBox* PageSpin = nullptr;
    QPushButton* CheckBut = nullptr;
    QPushButton* SaveBut = nullptr;
    QPushButton* OrderBut = nullptr;
    QPushButton* CloseBut = nullptr;

private:
    TAppContext& ctx_;
    std::unique_ptr<TDM_Report> data_;
    std::unique_ptr<TkvfOrder> order_;
    QString templatePath_;
    QTimer* previewTimer_ = nullptr;
};

} // namespace kvf

#pragma once
// TReportPreview: the prepared pages of a report, one page at a time, with
// zoom, page buttons, printing and saving as PDF.

// moc cannot parse the standard headers this one draws in; it needs none of it.
#ifndef Q_MOC_RUN
#include "reports/report.h"
#endif

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace kvf {

class Prompter;

class TReportPreview : public QDialog {
    Q_OBJECT
public:
    // `print` prints the pages (the list's printer and copies); false when it could not.
    TReportPreview(TPreparedReport pages, const QString& title, Prompter& prompter,
                   std::function<bool(const TPreparedReport&)> print, QWidget* parent = nullptr);

    int PageIndex() const { return page_; }
    int PageCount() const { return static_cast<int>(pages_.Pages.size()); }
    double Zoom() const { return zoom_; }
    void ShowPage(int index);
    void SetZoom(double zoom);
    // Writes the pages as a PDF file; false after a failure, shown.
    bool SavePdf(const QString& path);

    QLabel* PageImage = nullptr;
    QLabel* PageLabel = nullptr;
    QComboBox* ZoomCombo = nullptr;
    QPushButton* FirstBut = nullptr;
    QPushButton* PriorBut = nullptr;
    QPushButton* NextBut = nullptr;
    QPushButton* LastBut = nullptr;
    QPushButton* PrintBut = nullptr;
    QPushButton* SaveBut = nullptr;
    QPushButton* CloseBut = nullptr;

private:
    void render();

    TPreparedReport pages_;
    Prompter& prompter_;
    std::function<bool(const TPreparedReport&)> print_;
    QScrollArea* scroll_ = nullptr;
    int page_ = 0;
    double zoom_ = 1.0;
};

} // namespace kvf

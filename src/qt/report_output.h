#pragma once
// Prepared report pages on Qt devices: the text measure the pages are laid
// out with, one page painted on a painter (preview, image), the whole report
// as a PDF file and on a printer. Pages are in report pixels (96 dots per
// inch); other devices are scaled to them.

#include "qt/qt_canvas.h"
#include "reports/report.h"

#include <QImage>
#include <QPainter>

#include <memory>
#include <string>

class QPrinter;

namespace kvf {

// The canvas that measures report texts as the PDF and the preview draw them.
class ReportMeasure {
public:
    ReportMeasure();
    Canvas& canvas() { return *canvas_; }

private:
    QImage image_;
    QPainter painter_;
    std::unique_ptr<QtCanvas> canvas_;
};

// Paints one page with its top left at the painter's origin, in report pixels.
void PaintReportPage(QPainter& painter, const TReportPage& page);

// The page as an image, `zoom` times its size in report pixels, on white.
QImage RenderReportPage(const TReportPage& page, double zoom);

// Writes every page into a PDF file (replaced atomically; nothing is written
// when it fails); KvfError on failure.
void SaveReportPdf(const TPreparedReport& report, const std::string& path);

// Prints every page `copies` times (the printer's own copy count when it
// keeps it, else page runs one after another). False when the printer could
// not be started.
bool PrintReport(const TPreparedReport& report, QPrinter& printer, int copies);

} // namespace kvf

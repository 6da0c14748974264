#include "qt/report_output.h"

#include "base/atomic_file.h"
#include "base/error.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>

namespace kvf {

namespace {

// 96 dots per inch in dots per metre.
constexpr int kDotsPerMetre = 3780;

QPageLayout pageLayout(const TPreparedReport& report) {
    return QPageLayout(QPageSize(QSizeF(report.PageWidthMm, report.PageHeightMm), QPageSize::Millimeter),
                       report.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void paintPages(QPainter& painter, QPagedPaintDevice& device, const TPreparedReport& report, double scale,
                int copies) {
    bool first = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (const TReportPage& page : report.Pages) {
            if (!first)
                device.newPage();
            first = false;
            painter.save();
            painter.scale(scale, scale);
            PaintReportPage(painter, page);
            painter.restore();
        }
    }
}

} // namespace

ReportMeasure::ReportMeasure() : image_(8, 8, QImage::Format_RGB32) {
    image_.setDotsPerMeterX(kDotsPerMetre);
    image_.setDotsPerMeterY(kDotsPerMetre);
    painter_.begin(&image_);
    canvas_ = std::make_unique<QtCanvas>(painter_);
}

void PaintReportPage(QPainter& painter, const TReportPage& page) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QtCanvas canvas(painter);
    page.Items.Replay(canvas, [&](const PictureItem& item) {
        const QImage picture(QString::fromStdString(item.FileName));
        if (picture.isNull())
            return;
        const QRectF box(item.TopLeft.X, item.TopLeft.Y, item.BottomRight.X - item.TopLeft.X,
                         item.BottomRight.Y - item.TopLeft.Y);
        QSizeF size = QSizeF(picture.size()).scaled(box.size(), Qt::KeepAspectRatio);
        painter.drawImage(QRectF(box.topLeft(), size), picture);
    });
}

QImage RenderReportPage(const TReportPage& page, double zoom) {
    QImage image(std::max(1, qRound(page.Width * zoom)), std::max(1, qRound(page.Height * zoom)),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(zoom, zoom);
    PaintReportPage(painter, page);
    return image;
}

void SaveReportPdf(const TPreparedReport& report, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kReportDotsPerInch);
        writer.setPageLayout(pageLayout(report));
        writer.setCreator("Korvena");
        QPainter painter;
        if (!painter.begin(&writer))
            throw KvfError("Не удалось записать файл " + path);
        paintPages(painter, writer, report, 1.0, 1);
        painter.end();
    }
    WriteFileAtomic(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

bool PrintReport(const TPreparedReport& report, QPrinter& printer, int copies) {
    copies = std::max(1, copies);
    printer.setPageLayout(pageLayout(report));
    printer.setFullPage(true);
    printer.setCopyCount(copies);
    // A driver that does not keep the count gets the pages as often as wanted.
    const int runs = printer.copyCount() == copies && printer.supportsMultipleCopies() ? 1 : copies;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    paintPages(painter, printer, report, printer.resolution() / static_cast<double>(kReportDotsPerInch),
               runs);
    painter.end();
    return true;
}

} // namespace kvf

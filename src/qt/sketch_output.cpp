#include "qt/sketch_output.h"

#include "base/atomic_file.h"
#include "base/error.h"
#include "drawing/sketch.h"
#include "qt/qt_canvas.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace kvf {

namespace {

constexpr int kDotsPerInch = 96;
// 96 dots per inch in dots per metre.
constexpr int kDotsPerMetre = 3780;

} // namespace

QImage RenderSketchImage(const TkvfConstruction& construction, QSize size, TSizeOptions options) {
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMetre);
    image.setDotsPerMeterY(kDotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QtCanvas canvas(painter);
    Draw(canvas, construction, 0, 0, size.width(), size.height(), 1, options);
    return image;
}

void SaveSketchPng(const TkvfConstruction& construction, const std::string& path, QSize size,
                   TSizeOptions options) {
    const QImage image = RenderSketchImage(construction, size, options);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        throw KvfError("Не удалось записать изображение " + path);
    }
    WriteFileAtomic(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void SaveSketchPdf(const TkvfConstruction& construction, const std::string& path, TSizeOptions options) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kDotsPerInch);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) {
            throw KvfError("Не удалось записать файл " + path);
        }
        const QRect page = writer.pageLayout().paintRectPixels(kDotsPerInch);
        QtCanvas canvas(painter);
        Draw(canvas, construction, 0, 0, page.width(), page.height(), 1, options);
        painter.end();
    }
    WriteFileAtomic(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace kvf

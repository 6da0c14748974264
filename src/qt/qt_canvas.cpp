#include "qt/qt_canvas.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygon>

#include <cmath>

namespace kvf {

namespace {

QColor toQColor(CanvasColor color) {
    return QColor::fromRgb(static_cast<QRgb>(color & 0xFFFFFF));
}

Qt::PenStyle toQPenStyle(PenStyle style) {
    switch (style) {
    case PenStyle::Solid:
        return Qt::SolidLine;
    case PenStyle::Dash:
        return Qt::DashLine;
    case PenStyle::Dot:
        return Qt::DotLine;
    case PenStyle::DashDot:
        return Qt::DashDotLine;
    case PenStyle::Clear:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

// The angle of the ray from c to p in degrees, counter-clockwise on the screen.
qreal rayAngle(QPointF c, QPointF p) {
    return std::atan2(-(p.y() - c.y()), p.x() - c.x()) * 180 / M_PI;
}

} // namespace

QtCanvas::QtCanvas(QPainter& painter) : painter(painter) {}

QFont QtCanvas::ToQFont(const CanvasFont& font) {
    QFont result(QString::fromStdString(font.Name));
    result.setPixelSize(std::max(1, font.Height));
    result.setBold(font.Bold);
    result.setItalic(font.Italic);
    result.setUnderline(font.Underline);
    result.setStrikeOut(font.StrikeOut);
    return result;
}

void QtCanvas::applyPen(bool withBrush) {
    QPen qpen(toQColor(pen.Color), std::max(1, pen.Width), toQPenStyle(pen.Style), Qt::RoundCap,
              Qt::RoundJoin);
    painter.setPen(qpen);
    if (withBrush && brush.Style == BrushStyle::Solid) {
        painter.setBrush(toQColor(brush.Color));
    } else {
        painter.setBrush(Qt::NoBrush);
    }
}

void QtCanvas::LineTo(TPoint p) {
    applyPen(false);
    painter.drawLine(QPoint(penPos.X + origin.X, penPos.Y + origin.Y),
                     QPoint(p.X + origin.X, p.Y + origin.Y));
    penPos = p;
}

void QtCanvas::Polyline(const std::vector<TPoint>& points) {
    QPolygon polygon;
    for (TPoint p : points) {
        polygon << QPoint(p.X + origin.X, p.Y + origin.Y);
    }
    applyPen(false);
    painter.drawPolyline(polygon);
}

void QtCanvas::Polygon(const std::vector<TPoint>& points) {
    QPolygon polygon;
    for (TPoint p : points) {
        polygon << QPoint(p.X + origin.X, p.Y + origin.Y);
    }
    applyPen(true);
    painter.drawPolygon(polygon);
}

// Boxes exclude their right and bottom edges, so the outline of (0,0)..(10,10)
// covers pixels 0 to 9.
void QtCanvas::Rectangle(TPoint topLeft, TPoint bottomRight) {
    applyPen(true);
    painter.drawRect(QRect(topLeft.X + origin.X, topLeft.Y + origin.Y, bottomRight.X - topLeft.X - 1,
                           bottomRight.Y - topLeft.Y - 1));
}

void QtCanvas::Ellipse(TPoint topLeft, TPoint bottomRight) {
    applyPen(true);
    painter.drawEllipse(QRect(topLeft.X + origin.X, topLeft.Y + origin.Y, bottomRight.X - topLeft.X - 1,
                              bottomRight.Y - topLeft.Y - 1));
}

void QtCanvas::Arc(TPoint topLeft, TPoint bottomRight, TPoint start, TPoint end) {
    const QRectF box(topLeft.X + origin.X, topLeft.Y + origin.Y, bottomRight.X - topLeft.X,
                     bottomRight.Y - topLeft.Y);
    const QPointF centre = box.center();
    const qreal from = rayAngle(centre, QPointF(start.X + origin.X, start.Y + origin.Y));
    const qreal to = rayAngle(centre, QPointF(end.X + origin.X, end.Y + origin.Y));
    qreal span = std::fmod(to - from + 720, 360);
    if (span == 0) {
        span = 360;
    }
    applyPen(false);
    painter.drawArc(box, qRound(from * 16), qRound(span * 16));
}

void QtCanvas::TextOut(TPoint p, const std::string& text) {
    const QString qtext = QString::fromStdString(text);
    const QFont qfont = ToQFont(font);
    const QFontMetricsF metrics(qfont, painter.device());
    const qreal width = metrics.horizontalAdvance(qtext);
    qreal x = 0;
    switch (align & TextAlign::HorizontalMask) {
    case TextAlign::Center:
        x = -width / 2;
        break;
    case TextAlign::Right:
        x = -width;
        break;
    default:
        break;
    }
    qreal baseline = metrics.ascent();
    switch (align & TextAlign::VerticalMask) {
    case TextAlign::Bottom:
        baseline = -metrics.descent();
        break;
    case TextAlign::Baseline:
        baseline = 0;
        break;
    default:
        break;
    }
    painter.save();
    painter.translate(p.X + origin.X, p.Y + origin.Y);
    // Escapement turns counter-clockwise on the screen; QPainter turns clockwise.
    painter.rotate(-font.Escapement / 10.0);
    if (brush.Style == BrushStyle::Solid) {
        painter.fillRect(QRectF(x, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
                         toQColor(brush.Color));
    }
    painter.setFont(qfont);
    painter.setPen(toQColor(font.Color));
    painter.drawText(QPointF(x, baseline), qtext);
    painter.restore();
}

TPoint QtCanvas::TextExtent(const std::string& text) {
    const QFontMetricsF metrics(ToQFont(font), painter.device());
    return {static_cast<std::int32_t>(std::ceil(metrics.horizontalAdvance(QString::fromStdString(text)))),
            static_cast<std::int32_t>(std::ceil(metrics.ascent() + metrics.descent()))};
}

} // namespace kvf

#include "geometry/recording_canvas.h"

#include <cstdio>
#include <sstream>

namespace kvf {

namespace {

std::string pointText(TPoint p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

std::string colorText(CanvasColor color) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06x", static_cast<unsigned>(color & 0xFFFFFF));
    return buffer;
}

const char* penStyleText(PenStyle style) {
    switch (style) {
    case PenStyle::Solid:
        return "";
    case PenStyle::Dash:
        return "/dash";
    case PenStyle::Dot:
        return "/dot";
    case PenStyle::DashDot:
        return "/dashdot";
    case PenStyle::Clear:
        return "/clear";
    }
    return "";
}

std::size_t codePoints(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

} // namespace

TPoint RecordingCanvas::device(TPoint p) const {
    return {p.X + origin.X, p.Y + origin.Y};
}

std::string RecordingCanvas::penText() const {
    return "pen=" + colorText(pen.Color) + "/" + std::to_string(pen.Width) + penStyleText(pen.Style);
}

std::string RecordingCanvas::brushText() const {
    return "brush=" + (brush.Style == BrushStyle::Clear ? std::string("clear") : colorText(brush.Color));
}

void RecordingCanvas::MoveTo(TPoint p) {
    penPos = p;
}

void RecordingCanvas::LineTo(TPoint p) {
    records.push_back("line " + pointText(device(penPos)) + " -> " + pointText(device(p)) + " " + penText());
    penPos = p;
}

void RecordingCanvas::Polyline(const std::vector<TPoint>& points) {
    std::string record = "polyline";
    for (TPoint p : points) {
        record += " " + pointText(device(p));
    }
    records.push_back(record + " " + penText());
}

void RecordingCanvas::Polygon(const std::vector<TPoint>& points) {
    std::string record = "polygon";
    for (TPoint p : points) {
        record += " " + pointText(device(p));
    }
    records.push_back(record + " " + penText() + " " + brushText());
}

void RecordingCanvas::Rectangle(TPoint topLeft, TPoint bottomRight) {
    records.push_back("rect " + pointText(device(topLeft)) + ".." + pointText(device(bottomRight)) + " " +
                      penText() + " " + brushText());
}

void RecordingCanvas::Ellipse(TPoint topLeft, TPoint bottomRight) {
    records.push_back("ellipse " + pointText(device(topLeft)) + ".." + pointText(device(bottomRight)) + " " +
                      penText() + " " + brushText());
}

void RecordingCanvas::Arc(TPoint topLeft, TPoint bottomRight, TPoint start, TPoint end) {
    records.push_back("arc box=" + pointText(device(topLeft)) + ".." + pointText(device(bottomRight)) +
                      " from=" + pointText(device(start)) + " to=" + pointText(device(end)) + " " +
                      penText());
}

void RecordingCanvas::TextOut(TPoint p, const std::string& text) {
    std::string record = "text \"" + text + "\" at " + pointText(device(p)) +
                         " align=" + std::to_string(align) + " font=" + font.Name + "/" +
                         std::to_string(font.Height) + " esc=" + std::to_string(font.Escapement);
    if (font.Bold) {
        record += " bold";
    }
    if (brush.Style == BrushStyle::Solid) {
        record += " bg=" + colorText(brush.Color);
    }
    records.push_back(record);
}

TPoint RecordingCanvas::TextExtent(const std::string& text) {
    return {static_cast<std::int32_t>(codePoints(text)) * CharWidth(font.Height), font.Height};
}

std::vector<std::string> RecordingCanvas::RecordsOf(const std::string& kind) const {
    std::vector<std::string> result;
    for (const std::string& record : records) {
        if (record.compare(0, kind.size(), kind) == 0 && record.size() > kind.size() &&
            record[kind.size()] == ' ') {
            result.push_back(record);
        }
    }
    return result;
}

std::string RecordingCanvas::Dump() const {
    std::ostringstream out;
    for (const std::string& record : records) {
        out << record << '\n';
    }
    return out.str();
}

} // namespace kvf

#include "reports/report_view.h"

#include "reports/display_list.h"

namespace kvf {

void TReportView::drawBackgroundAndFrame(Canvas& canvas, int x, int y, int width, int height) const {
    if (Fill) {
        canvas.SetPen({*Fill, 1, PenStyle::Clear});
        canvas.SetBrush({*Fill, BrushStyle::Solid});
        canvas.Rectangle({x, y}, {x + width + 1, y + height + 1});
    }
    if (Frame == 0)
        return;
    canvas.SetPen({FrameColor, FrameWidth, PenStyle::Solid});
    const auto side = [&](TPoint a, TPoint b) {
        canvas.MoveTo(a);
        canvas.LineTo(b);
    };
    if (Frame & FrameSide::Left)
        side({x, y}, {x, y + height});
    if (Frame & FrameSide::Top)
        side({x, y}, {x + width, y});
    if (Frame & FrameSide::Right)
        side({x + width, y}, {x + width, y + height});
    if (Frame & FrameSide::Bottom)
        side({x, y + height}, {x + width, y + height});
}

namespace {

std::vector<std::string> paragraphs(const std::string& text) {
    std::vector<std::string> result(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            result.emplace_back();
        } else if (text[i] == '\n') {
            result.emplace_back();
        } else {
            result.back() += text[i];
        }
    }
    return result;
}

size_t nextCharacter(const std::string& s, size_t i) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80)
        ++i;
    return i;
}

} // namespace

int TTextView::Prepare(Canvas& measure, const std::string& text) {
    measure.SetFont(Font);
    lineHeight_ = measure.TextExtent("Яg").Y;
    lines_.clear();
    const int room = Width - 2 * kGap;
    const auto fits = [&](const std::string& s) { return measure.TextExtent(s).X <= room; };
    for (const std::string& paragraph : paragraphs(text)) {
        if (!WordWrap || fits(paragraph)) {
            lines_.push_back(paragraph);
            continue;
        }
        std::string line;
        size_t i = 0;
        while (i < paragraph.size()) {
            size_t end = paragraph.find(' ', i);
            if (end == std::string::npos)
                end = paragraph.size();
            const std::string word = paragraph.substr(i, end - i);
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (fits(candidate)) {
                line = candidate;
            } else if (!line.empty() && fits(word)) {
                lines_.push_back(line);
                line = word;
            } else {
                // A word wider than the view is broken between characters.
                if (!line.empty())
                    lines_.push_back(line);
                line.clear();
                for (size_t c = 0; c < word.size();) {
                    const size_t n = nextCharacter(word, c);
                    const std::string piece = word.substr(c, n - c);
                    if (!line.empty() && !fits(line + piece)) {
                        lines_.push_back(line);
                        line.clear();
                    }
                    line += piece;
                    c = n;
                }
            }
            i = end + 1;
        }
        lines_.push_back(line);
    }
    return static_cast<int>(lines_.size()) * lineHeight_ + 2 * kGap;
}

void TTextView::Draw(Canvas& canvas, int x, int y, int height) {
    drawBackgroundAndFrame(canvas, x, y, Width, height);
    canvas.SetFont(Font);
    canvas.SetBrush({0xFFFFFF, BrushStyle::Clear});
    canvas.SetTextAlign(TextAlign::Left | TextAlign::Top);
    const int total = static_cast<int>(lines_.size()) * lineHeight_;
    int top = y + kGap;
    if (VerticalAlign == VAlign::Center)
        top = y + (height - total) / 2;
    else if (VerticalAlign == VAlign::Bottom)
        top = y + height - kGap - total;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const int lineTop = top + static_cast<int>(i) * lineHeight_;
        if (i > 0 && lineTop + lineHeight_ > y + height)
            break;
        int left = x + kGap;
        if (HAlign != TextAlign::Left) {
            const int width = canvas.TextExtent(lines_[i]).X;
            left = HAlign == TextAlign::Center ? x + (Width - width) / 2 : x + Width - kGap - width;
        }
        canvas.TextOut({left, lineTop}, lines_[i]);
    }
}

void TPictureView::Draw(Canvas& canvas, int x, int y, int height) {
    drawBackgroundAndFrame(canvas, x, y, Width, height);
    if (FileName.empty())
        return;
    if (auto* list = dynamic_cast<DisplayList*>(&canvas))
        list->Picture({x, y}, {x + Width, y + height}, FileName);
}

void TLineView::Draw(Canvas& canvas, int x, int y, int) {
    canvas.SetPen({Color, PenWidth, PenStyle::Solid});
    canvas.MoveTo({x, y});
    canvas.LineTo({x + Width, y + Height});
}

void TRectView::Draw(Canvas& canvas, int x, int y, int height) {
    canvas.SetPen({Color, PenWidth, PenStyle::Solid});
    canvas.SetBrush(Fill ? CanvasBrush{*Fill, BrushStyle::Solid} : CanvasBrush{0xFFFFFF, BrushStyle::Clear});
    canvas.Rectangle({x, y}, {x + Width + 1, y + height + 1});
}

void TkvfFRDrawView::Draw(Canvas& canvas, int x, int y, int height) {
    drawBackgroundAndFrame(canvas, x, y, Width, height);
    if (HasObject) {
        if (DrawProc)
            DrawProc(canvas, x, y, x + Width, y + height, DrawObject);
        return;
    }
    const std::string placeholder = "ЭСКИЗ ИЗДЕЛИЯ";
    CanvasFont font;
    font.Height = 13;
    font.Bold = true;
    font.Color = 0xFF0000;
    canvas.SetFont(font);
    canvas.SetBrush({0xFFFFFF, BrushStyle::Clear});
    canvas.SetTextAlign(TextAlign::Left | TextAlign::Top);
    const TPoint extent = canvas.TextExtent(placeholder);
    canvas.TextOut({x + (Width - extent.X) / 2, y + (height - extent.Y) / 2}, placeholder);
}

} // namespace kvf

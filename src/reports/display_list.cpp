#include "reports/display_list.h"

namespace kvf {

void DisplayList::SetPen(const CanvasPen& value) {
    pen_ = value;
    items_.emplace_back(SetPenItem{value});
}

void DisplayList::SetBrush(const CanvasBrush& value) {
    brush_ = value;
    items_.emplace_back(SetBrushItem{value});
}

void DisplayList::SetFont(const CanvasFont& value) {
    font_ = value;
    items_.emplace_back(SetFontItem{value});
}

void DisplayList::SetTextAlign(unsigned flags) {
    align_ = flags;
    items_.emplace_back(SetAlignItem{flags});
}

void DisplayList::SetOrigin(TPoint value) {
    origin_ = value;
    items_.emplace_back(SetOriginItem{value});
}

void DisplayList::MoveTo(TPoint p) {
    penPos_ = p;
    items_.emplace_back(MoveToItem{p});
}

void DisplayList::LineTo(TPoint p) {
    penPos_ = p;
    items_.emplace_back(LineToItem{p});
}

void DisplayList::Polyline(const std::vector<TPoint>& points) {
    items_.emplace_back(PolylineItem{points, false});
}

void DisplayList::Polygon(const std::vector<TPoint>& points) {
    items_.emplace_back(PolylineItem{points, true});
}

void DisplayList::Rectangle(TPoint topLeft, TPoint bottomRight) {
    items_.emplace_back(BoxItem{topLeft, bottomRight, false});
}

void DisplayList::Ellipse(TPoint topLeft, TPoint bottomRight) {
    items_.emplace_back(BoxItem{topLeft, bottomRight, true});
}

void DisplayList::Arc(TPoint topLeft, TPoint bottomRight, TPoint start, TPoint end) {
    items_.emplace_back(ArcItem{topLeft, bottomRight, start, end});
}

void DisplayList::TextOut(TPoint p, const std::string& text) {
    items_.emplace_back(TextItem{p, text});
}

TPoint DisplayList::TextExtent(const std::string& text) {
    if (!measure_)
        return {0, 0};
    measure_->SetFont(font_);
    return measure_->TextExtent(text);
}

void DisplayList::Picture(TPoint topLeft, TPoint bottomRight, const std::string& fileName) {
    items_.emplace_back(PictureItem{{topLeft.X + origin_.X, topLeft.Y + origin_.Y},
                                    {bottomRight.X + origin_.X, bottomRight.Y + origin_.Y},
                                    fileName});
}

void DisplayList::ReplaceText(const std::string& from, const std::string& to) {
    for (Item& item : items_) {
        if (auto* text = std::get_if<TextItem>(&item)) {
            for (size_t at = text->text.find(from); at != std::string::npos;
                 at = text->text.find(from, at + to.size()))
                text->text.replace(at, from.size(), to);
        }
    }
}

void DisplayList::Replay(Canvas& target, const PictureFn& picture) const {
    for (const Item& item : items_) {
        std::visit(
            [&](const auto& i) {
                using T = std::decay_t<decltype(i)>;
                if constexpr (std::is_same_v<T, SetPenItem>)
                    target.SetPen(i.pen);
                else if constexpr (std::is_same_v<T, SetBrushItem>)
                    target.SetBrush(i.brush);
                else if constexpr (std::is_same_v<T, SetFontItem>)
                    target.SetFont(i.font);
                else if constexpr (std::is_same_v<T, SetAlignItem>)
                    target.SetTextAlign(i.align);
                else if constexpr (std::is_same_v<T, SetOriginItem>)
                    target.SetOrigin(i.origin);
                else if constexpr (std::is_same_v<T, MoveToItem>)
                    target.MoveTo(i.p);
                else if constexpr (std::is_same_v<T, LineToItem>)
                    target.LineTo(i.p);
                else if constexpr (std::is_same_v<T, PolylineItem>) {
                    if (i.closed)
                        target.Polygon(i.points);
                    else
                        target.Polyline(i.points);
                } else if constexpr (std::is_same_v<T, BoxItem>) {
                    if (i.ellipse)
                        target.Ellipse(i.a, i.b);
                    else
                        target.Rectangle(i.a, i.b);
                } else if constexpr (std::is_same_v<T, ArcItem>)
                    target.Arc(i.a, i.b, i.start, i.end);
                else if constexpr (std::is_same_v<T, TextItem>)
                    target.TextOut(i.p, i.text);
                else if constexpr (std::is_same_v<T, PictureItem>) {
                    if (picture)
                        picture(i);
                }
            },
            item);
    }
}

std::vector<std::string> DisplayList::Texts() const {
    std::vector<std::string> texts;
    for (const Item& item : items_)
        if (const auto* text = std::get_if<TextItem>(&item))
            texts.push_back(text->text);
    return texts;
}

} // namespace kvf

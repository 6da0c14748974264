#pragma once
// DisplayList: a Canvas that keeps every call for replaying onto another
// canvas later: a prepared report page is one, replayed onto the preview, a
// printer, a PDF or an image. Text is measured by the canvas given at
// creation (the device the pages are laid out for). Pictures, which the
// Canvas interface does not draw, are kept as their own items and handed to
// the replayer's picture callback.

#include "geometry/canvas.h"

#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace kvf {

struct PictureItem {
    TPoint TopLeft;     // device coordinates, origin applied
    TPoint BottomRight; // exclusive
    std::string FileName;
};

class DisplayList : public Canvas {
public:
    // `measure` answers TextExtent; it must outlive the recording (not the replay).
    explicit DisplayList(Canvas* measure = nullptr) : measure_(measure) {}

    CanvasPen GetPen() const override { return pen_; }
    void SetPen(const CanvasPen& value) override;
    CanvasBrush GetBrush() const override { return brush_; }
    void SetBrush(const CanvasBrush& value) override;
    CanvasFont GetFont() const override { return font_; }
    void SetFont(const CanvasFont& value) override;
    unsigned GetTextAlign() const override { return align_; }
    void SetTextAlign(unsigned flags) override;
    TPoint GetOrigin() const override { return origin_; }
    void SetOrigin(TPoint value) override;
    TPoint GetPenPos() const override { return penPos_; }

    void MoveTo(TPoint p) override;
    void LineTo(TPoint p) override;
    void Polyline(const std::vector<TPoint>& points) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void Rectangle(TPoint topLeft, TPoint bottomRight) override;
    void Ellipse(TPoint topLeft, TPoint bottomRight) override;
    void Arc(TPoint topLeft, TPoint bottomRight, TPoint start, TPoint end) override;
    void TextOut(TPoint p, const std::string& text) override;
    TPoint TextExtent(const std::string& text) override;

    // A picture from a file, scaled into the box with its proportions kept.
    void Picture(TPoint topLeft, TPoint bottomRight, const std::string& fileName);

    // Every text item with `from` replaced by `to` (page totals known only at the end).
    void ReplaceText(const std::string& from, const std::string& to);

    using PictureFn = std::function<void(const PictureItem&)>;
    // Plays every call onto `target` in order; pictures go to `picture`
    // (skipped without one). The target's state is set by the played calls.
    void Replay(Canvas& target, const PictureFn& picture = {}) const;

    // The texts drawn, in order (for tests and searching).
    std::vector<std::string> Texts() const;
    size_t Size() const { return items_.size(); }

private:
    struct SetPenItem {
        CanvasPen pen;
    };
    struct SetBrushItem {
        CanvasBrush brush;
    };
    struct SetFontItem {
        CanvasFont font;
    };
    struct SetAlignItem {
        unsigned align;
    };
    struct SetOriginItem {
        TPoint origin;
    };
    struct MoveToItem {
        TPoint p;
    };
    struct LineToItem {
        TPoint p;
    };
    struct PolylineItem {
        std::vector<TPoint> points;
        bool closed;
    };
    struct BoxItem {
        TPoint a, b;
        bool ellipse;
    };
    struct ArcItem {
        TPoint a, b, start, end;
    };
    struct TextItem {
        TPoint p;
        std::string text;
    };
    using Item = std::variant<SetPenItem, SetBrushItem, SetFontItem, SetAlignItem, SetOriginItem, MoveToItem,
                              LineToItem, PolylineItem, BoxItem, ArcItem, TextItem, PictureItem>;

    Canvas* measure_;
    CanvasPen pen_;
    CanvasBrush brush_;
    CanvasFont font_;
    unsigned align_ = 0;
    TPoint origin_;
    TPoint penPos_;
    std::vector<Item> items_;
};

} // namespace kvf

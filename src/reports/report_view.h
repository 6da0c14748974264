#pragma once
// The objects a report template places on its bands ("views"): text with
// [expression] inserts, a picture, a line, a rectangle and the sketch view.
// Sizes and places are device pixels at 96 dots per inch, relative to the
// band; a view draws itself at a place on the page.

#include "base/expression.h"
#include "geometry/canvas.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kvf {

class TkvfConstruction;
class TReportBand;

// Frame sides of a view.
namespace FrameSide {
constexpr unsigned Left = 1;
constexpr unsigned Top = 2;
constexpr unsigned Right = 4;
constexpr unsigned Bottom = 8;
constexpr unsigned All = 15;
} // namespace FrameSide

class TReportView {
public:
    virtual ~TReportView() = default;

    std::string Name;
    std::string TypeName;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    unsigned Frame = 0;
    int FrameWidth = 1;
    CanvasColor FrameColor = 0x000000;
    std::optional<CanvasColor> Fill;
    TReportBand* Band = nullptr;

    // Draws the view with its top left at (x, y), `height` high (a stretched
    // text may be higher than Height).
    virtual void Draw(Canvas& canvas, int x, int y, int height) = 0;

protected:
    void drawBackgroundAndFrame(Canvas& canvas, int x, int y, int width, int height) const;
};

// One piece of a text: literal text, or an insert to evaluate.
struct TextSegment {
    enum class Kind { Literal, Expression, PageNo, TotalPages, LineNo };
    Kind kind = Kind::Literal;
    std::string literal;
    std::optional<Expression> expression;
};

class TTextView : public TReportView {
public:
    TTextView() { TypeName = "Text"; }

    std::string Text; // as written, with its [inserts]
    std::vector<TextSegment> Segments;
    CanvasFont Font;
    unsigned HAlign = TextAlign::Left; // Left, Center or Right
    enum class VAlign { Top, Center, Bottom } VerticalAlign = VAlign::Top;
    bool WordWrap = true;
    bool Stretch = false;

    // Lays out `text` for printing: the lines as they fit the width; returns
    // the height the text needs.
    int Prepare(Canvas& measure, const std::string& text);
    void Draw(Canvas& canvas, int x, int y, int height) override;

    static constexpr int kGap = 2;

private:
    std::vector<std::string> lines_;
    int lineHeight_ = 0;
};

class TPictureView : public TReportView {
public:
    TPictureView() { TypeName = "Picture"; }
    // The picture file; empty draws nothing. Callers set it before printing.
    std::string FileName;
    void Draw(Canvas& canvas, int x, int y, int height) override;
};

class TLineView : public TReportView {
public:
    TLineView() { TypeName = "Line"; }
    CanvasColor Color = 0x000000;
    int PenWidth = 1;
    // From (Left, Top) to (Left + Width, Top + Height).
    void Draw(Canvas& canvas, int x, int y, int height) override;
};

class TRectView : public TReportView {
public:
    TRectView() { TypeName = "Rectangle"; }
    CanvasColor Color = 0x000000;
    int PenWidth = 1;
    void Draw(Canvas& canvas, int x, int y, int height) override;
};

// The sketch view "KVFImage": draws a position through DrawProc into its
// rectangle, or the red placeholder "ЭСКИЗ ИЗДЕЛИЯ" while it has no object.
class TkvfFRDrawView : public TReportView {
public:
    TkvfFRDrawView() { TypeName = "KVFImage"; }

    using DrawProcFn = std::function<void(Canvas& canvas, int left, int top, int right, int bottom,
                                          const TkvfConstruction* object)>;
    DrawProcFn DrawProc;
    const TkvfConstruction* DrawObject = nullptr;
    bool HasObject = false;

    void Draw(Canvas& canvas, int x, int y, int height) override;
};

} // namespace kvf

#include "qt/qt_canvas.h"

#include "geometry/drawing_helpers.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace kvf {
namespace {

// A white image painted through a QtCanvas.
class Sheet {
public:
    Sheet(int width, int height) : image(width, height, QImage::Format_RGB32) {
        image.fill(Qt::white);
        painter.begin(&image);
    }
    QImage Finish() {
        painter.end();
        return image;
    }
    QImage image;
    QPainter painter;
};

bool inked(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The smallest rectangle holding every pixel that is not white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                box |= QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

TEST(QtCanvas, CyrillicFontIsInstalled) {
    EXPECT_FALSE(QFontDatabase::families(QFontDatabase::Cyrillic).isEmpty());
    EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Cyrillic).contains("DejaVu Sans"));
    // Cyrillic text leaves glyphs, not empty boxes: "Ш" and "ш" differ in ink.
    const auto ink = [](const char* text) {
        Sheet sheet(60, 40);
        QtCanvas canvas(sheet.painter);
        canvas.TextOut({5, 5}, text);
        return inkBox(sheet.Finish());
    };
    EXPECT_FALSE(ink("Ш").isEmpty());
    EXPECT_GT(ink("Ш").height(), ink("ш").height());
}

TEST(QtCanvas, LinesGoThroughTheOrigin) {
    Sheet sheet(40, 40);
    QtCanvas canvas(sheet.painter);
    canvas.SetOrigin({10, 5});
    DrawLine(canvas, {0, 0}, {20, 0});
    const QImage image = sheet.Finish();
    EXPECT_EQ(QRect(10, 5, 21, 1), inkBox(image));
}

TEST(QtCanvas, ArcRunsCounterClockwiseFromStartToEnd) {
    struct Case {
        const char* name;
        TPoint start, end;
        bool topInked, bottomInked;
    };
    const Case cases[] = {
        {"right to left over the top", {100, 50}, {0, 50}, true, false},
        {"left to right under the bottom", {0, 50}, {100, 50}, false, true},
        {"equal rays: the whole circle", {100, 50}, {100, 50}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet sheet(110, 110);
        QtCanvas canvas(sheet.painter);
        canvas.SetPen({0x000000, 3, PenStyle::Solid});
        canvas.Arc({0, 0}, {100, 100}, c.start, c.end);
        const QImage image = sheet.Finish();
        EXPECT_EQ(c.topInked, inked(image, 50, 0) || inked(image, 50, 1));
        EXPECT_EQ(c.bottomInked, inked(image, 50, 99) || inked(image, 50, 100));
    }
}

TEST(QtCanvas, TextAnchoredByTheAlignmentFlags) {
    struct Case {
        const char* name;
        unsigned align;
        double angle;
        // Where the ink lies relative to the anchor (200, 200).
        bool leftOf, rightOf, above, below;
    };
    const Case cases[] = {
        {"top left", TextAlign::Left | TextAlign::Top, 0, false, true, false, true},
        {"bottom right", TextAlign::Right | TextAlign::Bottom, 0, true, false, true, false},
        {"bottom centre", TextAlign::Center | TextAlign::Bottom, 0, true, true, true, false},
        {"bottom centre turned upright", TextAlign::Center | TextAlign::Bottom, 90, true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sheet sheet(400, 400);
        QtCanvas canvas(sheet.painter);
        canvas.SetBrush({0xFFFFFF, BrushStyle::Clear});
        canvas.SetTextAlign(c.align);
        const TPoint extent = DrawRotatedText(canvas, {200, 200}, "12345", 20, -1, c.angle);
        const QRect ink = inkBox(sheet.Finish());
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_EQ(c.leftOf, ink.left() < 198) << ink.left();
        EXPECT_EQ(c.rightOf, ink.right() > 202) << ink.right();
        EXPECT_EQ(c.above, ink.top() < 198) << ink.top();
        EXPECT_EQ(c.below, ink.bottom() > 202) << ink.bottom();
        // The ink fits in the reported box of the turned text.
        EXPECT_LE(ink.width(), extent.X + 1);
        EXPECT_LE(ink.height(), extent.Y + 1);
    }
}

TEST(QtCanvas, ExtentTurnsWithTheText) {
    Sheet sheet(10, 10);
    QtCanvas canvas(sheet.painter);
    const TPoint level = canvas.TextExtent("1000");
    EXPECT_GT(level.X, level.Y);
    EXPECT_GE(level.Y, 13);
    const TPoint upright = DrawRotatedText(canvas, {0, 0}, "1000", -1, -1, 90);
    EXPECT_EQ((TPoint{level.Y, level.X}), upright);
    sheet.Finish();
}

TEST(QtCanvas, BrushFillsOnlyWhenSolid) {
    Sheet sheet(30, 30);
    QtCanvas canvas(sheet.painter);
    canvas.SetBrush({0xFF0000, BrushStyle::Solid});
    canvas.Rectangle({0, 0}, {10, 10});
    canvas.SetBrush({0xFF0000, BrushStyle::Clear});
    canvas.Rectangle({15, 15}, {25, 25});
    const QImage image = sheet.Finish();
    EXPECT_EQ(qRgb(255, 0, 0), image.pixel(5, 5));
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(0, 0));
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(9, 9));
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(10, 10)) << "the box excludes its right and bottom edges";
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(20, 20));
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(15, 20));
}

} // namespace
} // namespace kvf

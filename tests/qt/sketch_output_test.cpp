#include "qt/sketch_output.h"

#include "../drawing/position_fixture.h"
#include "model/construction.h"
#include "model/furn_comp.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace kvf {
namespace {

std::string commandOutput(const std::string& command) {
    FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
    if (!pipe) {
        return {};
    }
    std::string text;
    char chunk[256];
    while (std::fgets(chunk, sizeof chunk, pipe)) {
        text += chunk;
    }
    pclose(pipe);
    return text;
}

// Pixels whose colour differs from the reference by more than a faint shade.
int differingPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 48 || std::abs(qGreen(p) - qGreen(q)) > 48 ||
                std::abs(qBlue(p) - qBlue(q)) > 48) {
                ++count;
            }
        }
    }
    return count;
}

// Reference images lie beside this test; KVF_UPDATE_REFERENCES=1 rewrites them.
TEST(SketchOutput, MatchesReferenceImages) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TkvfConstruction>()> make;
        QSize size;
        TSizeOptions options;
    };
    const Case cases[] = {
        {"rectangle", [] { return position(1000, 1500, 0); }, {400, 500}, soAll},
        {"pair", [] { return position(1200, 1400, 1, 700, 500); }, {500, 500}, soAll},
        {"arch",
         [] {
             auto construction = position(1000, 1400, 7, 200, 0, 725);
             fit(construction->LeftFlugel, 0, 3, 1);
             return construction;
         },
         {400, 500},
         soAll},
        {"sliding",
         [] {
             auto construction = position(2000, 1500, 0);
             fit(construction->LeftFlugel, 3, -1, -1);
             return construction;
         },
         {500, 400},
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage actual = RenderSketchImage(*c.make(), c.size, c.options);
        const QString reference = QString(KVF_TEST_DIR) + "/sketch_output_" + c.name + ".png";
        if (std::getenv("KVF_UPDATE_REFERENCES")) {
            ASSERT_TRUE(actual.save(reference, "PNG"));
            continue;
        }
        QImage expected(reference);
        ASSERT_FALSE(expected.isNull()) << reference.toStdString();
        expected = expected.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(expected.size(), actual.size());
        const int allowed = actual.width() * actual.height() / 500;
        const int differing = differingPixels(expected, actual);
        if (differing > allowed) {
            const QString saved = QString("sketch_output_%1_actual.png").arg(c.name);
            actual.save(saved, "PNG");
            ADD_FAILURE() << differing << " pixels differ (allowed " << allowed << "); the image is in "
                          << saved.toStdString();
        }
    }
}

TEST(SketchOutput, PngAndPdfFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto construction = position(1000, 1500, 0);

    const std::string png = dir.filePath("sketch.png").toStdString();
    SaveSketchPng(*construction, png, {300, 400}, soAll);
    const QImage written(QString::fromStdString(png));
    ASSERT_EQ(QSize(300, 400), written.size());
    EXPECT_EQ(0, differingPixels(RenderSketchImage(*construction, {300, 400}, soAll),
                                 written.convertToFormat(QImage::Format_RGB32)));
    EXPECT_EQ(3780, written.dotsPerMeterX());

    const std::string pdf = dir.filePath("sketch.pdf").toStdString();
    SaveSketchPdf(*construction, pdf, soAll);
    QFile file(QString::fromStdString(pdf));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
    file.close();
    // The dimension labels are real text in the PDF, in the embedded DejaVu Sans.
    const std::string text = commandOutput("pdftotext -raw '" + pdf + "' -");
    const std::string fonts = commandOutput("pdffonts '" + pdf + "'");
    EXPECT_NE(std::string::npos, fonts.find("DejaVuSans")) << fonts;
    EXPECT_NE(std::string::npos, text.find("1000")) << text;
    EXPECT_NE(std::string::npos, text.find("1500")) << text;
}

} // namespace
} // namespace kvf

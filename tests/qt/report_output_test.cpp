#include "base/error.h"
#include "qt/report_output.h"
#include "reports/report.h"

#include <QFile>
#include <QFontDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kvf {
namespace {

// Two pages of Cyrillic text with a picture-less logo, laid out with the Qt measure.
TPreparedReport twoPages() {
    TReport report;
    report.LoadFromText(
        "<report><page size=\"A5\" orientation=\"landscape\"/>"
        "<band type=\"ReportTitle\" height=\"100\"><text width=\"100\" height=\"8\" size=\"12\" "
        "bold=\"1\">Коммерческое предложение</text></band>"
        "<band type=\"ReportSummary\" height=\"100\"><text width=\"100\" height=\"8\">Итого: "
        "[FormatFloat('#,##0.00', 1234.5)]</text></band>"
        "<band type=\"PageFooter\" height=\"8\"><text width=\"100\" height=\"6\">Стр. [PAGE#] "
        "из [TOTALPAGES]</text></band></report>",
        "pages.kfr");
    ReportMeasure measure;
    return report.PrepareReport(measure.canvas());
}

TEST(ReportEnginePdf, WritesEveryPageWithCyrillicText) {
    ASSERT_FALSE(QFontDatabase::families(QFontDatabase::Cyrillic).isEmpty());
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.path() + "/out.pdf";
    const TPreparedReport pages = twoPages();
    ASSERT_EQ(2u, pages.Pages.size());
    EXPECT_TRUE(pages.Landscape);
    SaveReportPdf(pages, pdf.toStdString());

    QProcess process;
    process.start(pdftotext, {"-raw", pdf, "-"});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QString::fromUtf8("Коммерческое предложение"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("Итого: 1 234.50"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8("Стр. 2 из 2"))) << text.toStdString();
    EXPECT_EQ(2, text.count(QChar('\f')));
}

TEST(ReportEnginePdf, AFailedWriteLeavesNothingBehind) {
    QTemporaryDir dir;
    const std::string pdf = (dir.path() + "/missing-folder/out.pdf").toStdString();
    EXPECT_THROW(SaveReportPdf(twoPages(), pdf), KvfError);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(pdf)));
}

TEST(ReportEnginePdf, PagesRenderToImagesAtTheirZoom) {
    const TPreparedReport pages = twoPages();
    const QImage image = RenderReportPage(pages.Pages[0], 0.5);
    EXPECT_EQ(qRound(pages.Pages[0].Width * 0.5), image.width());
    // Black text on white: some pixels of the title are dark.
    int dark = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    EXPECT_GT(dark, 50);
}

} // namespace
} // namespace kvf

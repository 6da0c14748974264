#include "ui/report_designer.h"

#include "base/atomic_file.h"
#include "base/error.h"
#include "base/prompter.h"
#include "config/paths.h"
#include "model/order.h"
#include "qt/report_output.h"
#include "qt/report_printing.h"
#include "reports/report_data.h"
#include "ui/app_context.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace kvf {

namespace {

constexpr double kPreviewZoom = 0.6;

std::string text(const QPlainTextEdit* editor) {
    return editor->toPlainText().toStdString();
}

} // namespace

TReportDesigner::TReportDesigner(TAppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("ReportDesigner");
    setWindowTitle(QString::fromUtf8("Дизайнер отчетов"));
    resize(1300, 900);
    if (ctx_.Dm)
        data_ = std::make_unique<TDM_Report>(*ctx_.Dm, ctx_.Setup, ctx_.Paths, ctx_.prompter);

    TemplateCombo = new QComboBox(this);
    TemplateCombo->setObjectName("TemplateCombo");
    const QDir reports(QString::fromStdString(ctx_.Paths.ReportDir));
    for (const QFileInfo& file : reports.entryInfoList({"*.kfr", "*.KFR"}, QDir::Files, QDir::Name))
        TemplateCombo->addItem(file.fileName(), file.absoluteFilePath());
    OrderCombo = new QComboBox(this);
    OrderCombo->setObjectName("OrderCombo");
    const QDir orders(QString::fromStdString(ctx_.Paths.OrdersDir));
    for (const QFileInfo& file : orders.entryInfoList({"*.kfo370", "*.KFO370"}, QDir::Files, QDir::Name))
        OrderCombo->addItem(file.fileName(), file.absoluteFilePath());
    const auto button = [this](const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    OrderBut = button("OrderBut", "Заказ...");
    CheckBut = button("CheckBut", "Проверить");
    SaveBut = button("SaveBut", "Сохранить");
    CloseBut = button("CloseBut", "Закрыть");

    Editor = new QPlainTextEdit(this);
    Editor->setObjectName("Editor");
    Editor->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Editor->setLineWrapMode(QPlainTextEdit::NoWrap);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName("StatusLabel");
    StatusLabel->setWordWrap(true);
    PageImage = new QLabel;
    PageImage->setObjectName("PageImage");
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(PageImage);
    scroll->setBackgroundRole(QPalette::Dark);
    PageSpin = new QSpinBox(this);
    PageSpin->setObjectName("PageSpin");
    PageSpin->setMinimum(1);
    PageSpin->setPrefix(QString::fromUtf8("Страница "));

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QString::fromUtf8("Шаблон"), this));
    top->addWidget(TemplateCombo, 1);
    top->addWidget(new QLabel(QString::fromUtf8("Заказ"), this));
    top->addWidget(OrderCombo, 1);
    top->addWidget(OrderBut);
    top->addWidget(PageSpin);
    top->addWidget(CheckBut);
    top->addWidget(SaveBut);
    top->addWidget(CloseBut);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(Editor);
    splitter->addWidget(scroll);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    layout->addWidget(StatusLabel);

    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(800);
    connect(previewTimer_, &QTimer::timeout, this, &TReportDesigner::RefreshPreview);
    connect(Editor, &QPlainTextEdit::textChanged, previewTimer_, qOverload<>(&QTimer::start));
    connect(TemplateCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { OpenTemplate(TemplateCombo->itemData(index).toString()); });
    connect(OrderCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (UseOrder(OrderCombo->itemData(index).toString()))
            RefreshPreview();
    });
    connect(OrderBut, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, QString::fromUtf8("Заказ для просмотра"),
                                                          QString::fromStdString(ctx_.Paths.OrdersDir),
                                                          QString::fromUtf8("Заказы (*.kfo370)"));
        if (path.isEmpty())
            return;
        OrderCombo->addItem(QFileInfo(path).fileName(), path);
        OrderCombo->setCurrentIndex(OrderCombo->count() - 1);
    });
    connect(PageSpin, &QSpinBox::valueChanged, this, &TReportDesigner::RefreshPreview);
    connect(CheckBut, &QPushButton::clicked, this, &TReportDesigner::CheckTemplate);
    connect(SaveBut, &QPushButton::clicked, this, &TReportDesigner::SaveTemplate);
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::accept);

    if (OrderCombo->count() > 0)
        UseOrder(OrderCombo->itemData(0).toString());
    if (TemplateCombo->count() > 0)
        OpenTemplate(TemplateCombo->itemData(0).toString());
}

TReportDesigner::~TReportDesigner() = default;

bool TReportDesigner::OpenTemplate(const QString& path) {
    try {
        const std::string bytes = ReadFileBytes(path.toStdString());
        templatePath_ = path;
        Editor->setPlainText(QString::fromStdString(bytes));
        previewTimer_->stop();
        RefreshPreview();
        return true;
    } catch (const KvfError& e) {
        ctx_.prompter.Error(e.what());
        return false;
    }
}

bool TReportDesigner::UseOrder(const QString& path) {
    auto order = std::make_unique<TkvfOrder>();
    bool converted = false;
    if (!order->LoadFromFile(path.toStdString(), converted, ctx_.prompter))
        return false;
    order_ = std::move(order);
    return true;
}

bool TReportDesigner::CheckTemplate() {
    try {
        TReport report;
        report.LoadFromText(text(Editor), templatePath_.toStdString());
        StatusLabel->setText(QString::fromUtf8("Шаблон без ошибок"));
        return true;
    } catch (const KvfError& e) {
        StatusLabel->setText(QString::fromStdString(e.what()));
        return false;
    }
}

void TReportDesigner::RefreshPreview() {
    if (!CheckTemplate())
        return;
    if (!data_) {
        PageImage->clear();
        return;
    }
    struct Reset {
        TDM_Report& data;
        ~Reset() {
            data.ResetReport();
            data.Report = nullptr;
        }
    } reset{*data_};
    try {
        // Without an order the template shows its views as the designer
        // sees them: sketch views with their placeholder.
        data_->SetReportObject(order_.get());
        TReport report;
        report.LoadFromText(text(Editor), templatePath_.toStdString(),
                            QFileInfo(templatePath_).absolutePath().toStdString());
        if (order_)
            data_->AttachReport(report);
        ReportMeasure measure;
        const TPreparedReport pages = report.PrepareReport(measure.canvas());
        PageSpin->setMaximum(std::max<int>(1, static_cast<int>(pages.Pages.size())));
        const int page = std::min<int>(PageSpin->value(), static_cast<int>(pages.Pages.size())) - 1;
        if (page >= 0)
            PageImage->setPixmap(
                QPixmap::fromImage(RenderReportPage(pages.Pages[static_cast<size_t>(page)], kPreviewZoom)));
        PageImage->adjustSize();
        StatusLabel->setText(QString::fromUtf8("Шаблон без ошибок; страниц: %1").arg(pages.Pages.size()));
    } catch (const KvfError& e) {
        StatusLabel->setText(QString::fromStdString(e.what()));
    }
}

bool TReportDesigner::SaveTemplate() {
    if (templatePath_.isEmpty())
        return false;
    if (!CheckTemplate()) {
        ctx_.prompter.Error("Шаблон содержит ошибки и не сохранен!\r\n" + StatusLabel->text().toStdString());
        return false;
    }
    try {
        WriteFileAtomic(templatePath_.toStdString(), text(Editor));
        StatusLabel->setText(QString::fromUtf8("Шаблон сохранен: ") + templatePath_);
        return true;
    } catch (const KvfError& e) {
        ctx_.prompter.Error(e.what());
        return false;
    }
}

} // namespace kvf

#include "ui/report_preview.h"

#include "base/error.h"
#include "base/prompter.h"
#include "qt/report_output.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kvf {

namespace {

const double kZooms[] = {0.5, 0.75, 1.0, 1.5, 2.0};

} // namespace

TReportPreview::TReportPreview(TPreparedReport pages, const QString& title, Prompter& prompter,
                               std::function<bool(const TPreparedReport&)> print, QWidget* parent)
    : QDialog(parent), pages_(std::move(pages)), prompter_(prompter), print_(std::move(print)) {
    setObjectName("ReportPreview");
    setWindowTitle(QString::fromUtf8("Просмотр: ") + title);
    resize(900, 1000);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    FirstBut = button("FirstBut", "|<");
    PriorBut = button("PriorBut", "<");
    PageLabel = new QLabel(this);
    PageLabel->setObjectName("PageLabel");
    buttons->addWidget(PageLabel);
    NextBut = button("NextBut", ">");
    LastBut = button("LastBut", ">|");
    ZoomCombo = new QComboBox(this);
    ZoomCombo->setObjectName("ZoomCombo");
    for (double z : kZooms)
        ZoomCombo->addItem(QString::number(qRound(z * 100)) + "%", z);
    ZoomCombo->setCurrentIndex(2);
    buttons->addWidget(ZoomCombo);
    buttons->addStretch();
    PrintBut = button("PrintBut", "Печать");
    SaveBut = button("SaveBut", "Сохранить...");
    CloseBut = button("CloseBut", "Закрыть");

    PageImage = new QLabel;
    PageImage->setObjectName("PageImage");
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(PageImage);
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(scroll_);

    connect(FirstBut, &QPushButton::clicked, this, [this] { ShowPage(0); });
    connect(PriorBut, &QPushButton::clicked, this, [this] { ShowPage(page_ - 1); });
    connect(NextBut, &QPushButton::clicked, this, [this] { ShowPage(page_ + 1); });
    connect(LastBut, &QPushButton::clicked, this, [this] { ShowPage(PageCount() - 1); });
    connect(ZoomCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { SetZoom(ZoomCombo->itemData(index).toDouble()); });
    connect(PrintBut, &QPushButton::clicked, this, [this] {
        if (print_)
            print_(pages_);
    });
    connect(SaveBut, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, QString::fromUtf8("Сохранить отчет"), QString(), QString::fromUtf8("Документ PDF (*.pdf)"));
        if (!path.isEmpty())
            SavePdf(path);
    });
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::accept);
    render();
}

void TReportPreview::ShowPage(int index) {
    if (PageCount() == 0)
        return;
    page_ = std::clamp(index, 0, PageCount() - 1);
    render();
}

void TReportPreview::SetZoom(double zoom) {
    zoom_ = std::clamp(zoom, 0.25, 4.0);
    const QSignalBlocker quiet(ZoomCombo);
    const int index = ZoomCombo->findData(zoom_);
    if (index >= 0)
        ZoomCombo->setCurrentIndex(index);
    render();
}

bool TReportPreview::SavePdf(const QString& path) {
    try {
        SaveReportPdf(pages_, path.toStdString());
        return true;
    } catch (const KvfError& e) {
        prompter_.Error(e.what());
        return false;
    }
}

void TReportPreview::render() {
    const int count = PageCount();
    PageLabel->setText(QString::fromUtf8("Страница %1 из %2").arg(count == 0 ? 0 : page_ + 1).arg(count));
    FirstBut->setEnabled(page_ > 0);
    PriorBut->setEnabled(page_ > 0);
    NextBut->setEnabled(page_ + 1 < count);
    LastBut->setEnabled(page_ + 1 < count);
    PrintBut->setEnabled(count > 0);
    SaveBut->setEnabled(count > 0);
    if (count == 0) {
        PageImage->clear();
        return;
    }
    PageImage->setPixmap(
        QPixmap::fromImage(RenderReportPage(pages_.Pages[static_cast<size_t>(page_)], zoom_)));
    PageImage->adjustSize();
}

} // namespace kvf

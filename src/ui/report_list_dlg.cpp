#include "ui/report_list_dlg.h"

#include "base/error.h"
#include "base/prompter.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "qt/report_output.h"
#include "reports/report_data.h"
#include "ui/app_context.h"
#include "ui/report_preview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace kvf {

namespace {

enum Column { ColDefault, ColCopies, ColName };

QString utf(const std::string& s) {
    return QString::fromStdString(s);
}

bool printOnPrinter(const TPreparedReport& pages, const QString& printerName, int copies) {
    QPrinter printer(QPrinter::HighResolution);
    if (!printerName.isEmpty())
        printer.setPrinterName(printerName);
    return PrintReport(pages, printer, copies);
}

} // namespace

TReportListDlg::TReportListDlg(TAppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName("ReportListDlg");
    setWindowTitle(QString::fromUtf8("Печать"));
    resize(560, 380);
    if (ctx_.Dm)
        data_ = std::make_unique<TDM_Report>(*ctx_.Dm, ctx_.Setup, ctx_.Paths, ctx_.prompter);
    PrintPages = printOnPrinter;
    ShowPreview = [this](TPreparedReport pages, const QString& title) {
        TReportPreview preview(
            std::move(pages), title, ctx_.prompter,
            [this](const TPreparedReport& p) {
                const int row = currentRow();
                return PrintPages(p, PrinterCombo->currentText(), row < 0 ? 1 : records_[row].Copies);
            },
            this);
        preview.exec();
    };

    Grid = new QTableWidget(0, 3, this);
    Grid->setObjectName("Grid");
    Grid->setHorizontalHeaderLabels(
        {QString::fromUtf8("Печать"), QString::fromUtf8("Копий"), QString::fromUtf8("Документ")});
    Grid->horizontalHeader()->setSectionResizeMode(ColName, QHeaderView::Stretch);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setAlternatingRowColors(true);
    Grid->verticalHeader()->hide();

    ShowAllCheck = new QCheckBox(QString::fromUtf8("Показать все"), this);
    ShowAllCheck->setObjectName("ShowAllCheck");
    PrinterCombo = new QComboBox(this);
    PrinterCombo->setObjectName("PrinterCombo");
    PrinterCombo->addItems(QPrinterInfo::availablePrinterNames());
    PrinterCombo->setCurrentText(QPrinterInfo::defaultPrinterName());

    const auto button = [this](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(name);
        return b;
    };
    PreviewBut = button("PreviewBut", "Просмотр");
    PreviewBut->setDefault(true);
    PrintBut = button("PrintBut", "Печать");
    PrintGroupBut = button("PrintGroupBut", "Печать группы");
    CancelBut = button("CancelBut", "Отмена");
    OptionsBut = button("OptionsBut", "Настройка...");
    OptionsBut->setEnabled(false);

    auto* printerRow = new QHBoxLayout;
    printerRow->addWidget(new QLabel(QString::fromUtf8("Принтер"), this));
    printerRow->addWidget(PrinterCombo, 1);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {PreviewBut, PrintBut, PrintGroupBut, OptionsBut, CancelBut})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(Grid);
    left->addWidget(ShowAllCheck);
    left->addLayout(printerRow);
    top->addLayout(left, 1);
    top->addLayout(buttons);
    setLayout(top);

    connect(ShowAllCheck, &QCheckBox::toggled, this, [this] { BuildList(); });
    connect(PreviewBut, &QPushButton::clicked, this, &TReportListDlg::Preview);
    connect(PrintBut, &QPushButton::clicked, this, &TReportListDlg::Print);
    connect(PrintGroupBut, &QPushButton::clicked, this, &TReportListDlg::PrintGroup);
    connect(CancelBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(Grid, &QTableWidget::cellDoubleClicked, this, [this] { Preview(); });
    connect(Grid, &QTableWidget::itemChanged, this, [this] {
        if (!filling_)
            takeEdits();
    });
}

TReportListDlg::~TReportListDlg() = default;

int TReportListDlg::Execute(const ReportObject& object) {
    SetObject(object);
    BuildList();
    return exec();
}

void TReportListDlg::BuildList() {
    // Edits made so far are kept in the table before it is read again.
    saveEdits();
    records_.clear();
    if (ctx_.Dm) {
        try {
            records_ =
                ReadReportList(*ctx_.Dm, ReportGroupOf(object_), ShowAllCheck->isChecked(), ctx_.prompter);
            read_ = records_;
        } catch (const KvfError& e) {
            ctx_.prompter.Error(e.what());
        }
    }
    filling_ = true;
    Grid->setRowCount(static_cast<int>(records_.size()));
    for (int row = 0; row < static_cast<int>(records_.size()); ++row) {
        const TReportRecord& r = records_[static_cast<size_t>(row)];
        auto* check = new QTableWidgetItem;
        check->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        check->setCheckState(r.Default == 1 ? Qt::Checked : Qt::Unchecked);
        Grid->setItem(row, ColDefault, check);
        auto* copies = new QTableWidgetItem;
        copies->setData(Qt::EditRole, r.Copies);
        Grid->setItem(row, ColCopies, copies);
        auto* name = new QTableWidgetItem(utf(r.Name));
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        Grid->setItem(row, ColName, name);
    }
    filling_ = false;
    if (!records_.empty())
        Grid->selectRow(0);
}

void TReportListDlg::takeEdits() {
    for (int row = 0; row < Grid->rowCount() && row < static_cast<int>(records_.size()); ++row) {
        TReportRecord& r = records_[static_cast<size_t>(row)];
        if (QTableWidgetItem* check = Grid->item(row, ColDefault))
            r.Default = check->checkState() == Qt::Checked ? 1 : 0;
        if (QTableWidgetItem* copies = Grid->item(row, ColCopies))
            r.Copies = std::max(0, copies->data(Qt::EditRole).toInt());
    }
}

void TReportListDlg::saveEdits() {
    if (!ctx_.Dm || records_.empty())
        return;
    takeEdits();
    std::vector<TReportRecord> changed;
    for (size_t i = 0; i < records_.size() && i < read_.size(); ++i) {
        if (records_[i].Default != read_[i].Default || records_[i].Copies != read_[i].Copies)
            changed.push_back(records_[i]);
    }
    if (changed.empty())
        return;
    try {
        WriteReportChoices(*ctx_.Dm, changed);
        read_ = records_;
    } catch (const KvfError& e) {
        ctx_.prompter.Error(e.what());
    }
}

void TReportListDlg::done(int result) {
    saveEdits();
    QDialog::done(result);
}

int TReportListDlg::currentRow() const {
    const int row = Grid->currentRow();
    return row >= 0 && row < static_cast<int>(records_.size()) ? row : (records_.empty() ? -1 : 0);
}

void TReportListDlg::setControlsEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{Grid, ShowAllCheck, PrinterCombo, PreviewBut, PrintBut,
                                                      PrintGroupBut, CancelBut})
        w->setEnabled(on);
}

std::optional<TPreparedReport> TReportListDlg::prepare(const TReportRecord& record, Failure& failure,
                                                       std::string& message) {
    failure = Failure::None;
    const std::string path = TemplatePath(ctx_.Paths.ReportDir, record.FileName);
    if (!std::filesystem::is_regular_file(path)) {
        failure = Failure::MissingFile;
        message = path;
        return std::nullopt;
    }
    if (!data_) {
        failure = Failure::Other;
        message = "Нет данных каталога";
        return std::nullopt;
    }
    QProgressDialog progress(QString::fromUtf8("Построение отчета \"%1\"...").arg(utf(record.Name)),
                             QString::fromUtf8("Прервать"), 0, 0, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    try {
        return PrepareTemplate(*data_, object_, path, [&](int pages) {
            progress.setLabelText(
                QString::fromUtf8("Построение отчета \"%1\": страниц %2").arg(utf(record.Name)).arg(pages));
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    } catch (const KvfError& e) {
        failure = Failure::Other;
        message = e.what();
        return std::nullopt;
    }
}

std::optional<TPreparedReport> TReportListDlg::prepareCurrent(TReportRecord& record) {
    const int row = currentRow();
    if (row < 0)
        return std::nullopt;
    takeEdits();
    record = records_[static_cast<size_t>(row)];
    Failure failure;
    std::string message;
    std::optional<TPreparedReport> pages = prepare(record, failure, message);
    if (failure == Failure::MissingFile)
        ctx_.prompter.Error("Невозможно найти файл отчета!\r\nФайл: " + message + ".");
    else if (failure == Failure::Other)
        ctx_.prompter.ErrorDetail("Ошибка подготовки отчета", message);
    return pages;
}

void TReportListDlg::Preview() {
    TReportRecord record;
    if (std::optional<TPreparedReport> pages = prepareCurrent(record))
        ShowPreview(std::move(*pages), utf(record.Name));
}

void TReportListDlg::Print() {
    TReportRecord record;
    std::optional<TPreparedReport> pages = prepareCurrent(record);
    if (pages && !PrintPages(*pages, PrinterCombo->currentText(), record.Copies))
        ctx_.prompter.Error("Не удалось начать печать на принтере \"" +
                            PrinterCombo->currentText().toStdString() + "\"");
}

void TReportListDlg::PrintGroup() {
    if (records_.empty())
        return;
    takeEdits();
    const int remembered = currentRow();
    setControlsEnabled(false);
    const std::vector<TReportRecord> records = records_;
    for (size_t i = 0; i < records.size(); ++i) {
        const TReportRecord& record = records[i];
        if (record.Default != 1)
            continue;
        Grid->selectRow(static_cast<int>(i));
        Failure failure;
        std::string message;
        std::optional<TPreparedReport> pages = prepare(record, failure, message);
        if (failure == Failure::None && !PrintPages(*pages, PrinterCombo->currentText(), record.Copies)) {
            failure = Failure::Other;
            message = "Не удалось начать печать";
        }
        if (failure == Failure::MissingFile &&
            ctx_.prompter.TwoButton("Вопрос", "Невозможно найти файл отчета!\r\n" + message, "Продолжить",
                                    "Остановить") != 1)
            break;
        if (failure == Failure::Other &&
            ctx_.prompter.TwoButton("Вопрос", "Ошибка печати группы отчетов!\r\n" + message, "Продолжить",
                                    "Остановить") != 1)
            break;
    }
    if (remembered >= 0)
        Grid->selectRow(remembered);
    setControlsEnabled(true);
}

void ExecuteReportList(TAppContext& ctx, TkvfOrder& order, QWidget* parent) {
    TReportListDlg dialog(ctx, parent);
    dialog.Execute(&order);
}

void ExecuteReportList(TAppContext& ctx, TkvfOrderSelection& selection, QWidget* parent) {
    TReportListDlg dialog(ctx, parent);
    dialog.Execute(&selection);
}

} // namespace kvf

#include "ui/export_dlg.h"

#include "base/error.h"
#include "base/prompter.h"
#include "catalog/catalog_lookups.h"
#include "config/paths.h"
#include "config/setup.h"
#include "exports/export_source.h"
#include "exports/supplier_export.h"
#include "ui/app_context.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace kvf {

namespace {

const QDate kOleEpoch(1899, 12, 30);

QDate toQDate(double oleDate) {
    return kOleEpoch.addDays(static_cast<qint64>(std::floor(oleDate)));
}

double toOleDate(const QDate& date) {
    return static_cast<double>(kOleEpoch.daysTo(date));
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

TPZExpDlg::TPZExpDlg(const SupplierFormat& format, TAppContext& ctx, const char* caption, NameField nameField,
                     QWidget* parent)
    : QDialog(parent), format_(format), ctx_(ctx) {
    setWindowTitle(QString::fromUtf8(caption));
    auto* layout = new QVBoxLayout(this);
    form_ = new QFormLayout;
    auto edit = [&](const char* name, const char* label) {
        auto* line = new QLineEdit(this);
        line->setObjectName(name);
        form_->addRow(QString::fromUtf8(label), line);
        return line;
    };
    FirmIDEdit = edit("FirmIDEdit", "Шифр фирмы");
    FirmNameEdit = edit("FirmNameEdit", "Наименование фирмы");
    OrderNoEdit = new QSpinBox(this);
    OrderNoEdit->setObjectName("OrderNoEdit");
    OrderNoEdit->setRange(0, 9999);
    form_->addRow(QString::fromUtf8("Номер заявки"), OrderNoEdit);
    OrderNameEdit = edit(nameField.Object, nameField.Label);
    OrderDateEdit = new QDateEdit(this);
    OrderDateEdit->setObjectName("OrderDateEdit");
    OrderDateEdit->setCalendarPopup(true);
    OrderDateEdit->setDisplayFormat("dd.MM.yyyy");
    form_->addRow(QString::fromUtf8("Дата"), OrderDateEdit);
    FileNameEdit = edit("FileNameEdit", "Файл экспорта");
    FileNameEdit->setMinimumWidth(360);
    layout->addLayout(form_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkBut = buttons->button(QDialogButtonBox::Ok);
    OkBut->setObjectName("OkBut");
    OkBut->setDefault(true);
    CancelBut = buttons->button(QDialogButtonBox::Cancel);
    CancelBut->setObjectName("CancelBut");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(FirmIDEdit, &QLineEdit::textEdited, this, [this] { RebuildFileName(); });
    connect(OrderNoEdit, &QSpinBox::valueChanged, this, [this] { RebuildFileName(); });
}

void TPZExpDlg::RebuildFileName() {
    FileNameEdit->setText(qt(ExportFileName(format_, ctx_.Paths.ExportDir, FirmIDEdit->text().toStdString(),
                                            OrderNoEdit->value())));
}

void TPZExpDlg::LoadValues(const TExportValues& values) {
    const QSignalBlocker block(OrderNoEdit);
    FirmIDEdit->setText(qt(values.FirmID));
    FirmNameEdit->setText(qt(values.FirmName));
    OrderNoEdit->setValue(values.OrderNo);
    OrderNameEdit->setText(qt(values.OrderName));
    OrderDateEdit->setDate(toQDate(values.OrderDate));
    FileNameEdit->setText(qt(values.FileName));
}

TExportValues TPZExpDlg::Values() const {
    TExportValues values;
    values.FirmID = FirmIDEdit->text().toStdString();
    values.FirmName = FirmNameEdit->text().toStdString();
    values.OrderNo = OrderNoEdit->value();
    values.OrderName = OrderNameEdit->text().toStdString();
    values.OrderDate = toOleDate(OrderDateEdit->date());
    values.FileName = FileNameEdit->text().toStdString();
    CompleteValues(values);
    return values;
}

bool TPZExpDlg::ExportOrder(TkvfOrder& order) {
    return runExport({&order, nullptr});
}

bool TPZExpDlg::ExportSelection(TkvfOrderSelection& selection) {
    return runExport({nullptr, &selection});
}

bool TPZExpDlg::runExport(const TExportSource& source) {
    Prompter& prompter = ctx_.prompter;
    try {
        source.CheckExportable();
        if (ctx_.Dm == nullptr)
            throw KvfError("Каталог не открыт: экспорт невозможен.");
    } catch (const KvfError& e) {
        prompter.Warning(e.what());
        return false;
    }
    LoadValues(LoadExportValues(format_, ctx_.registry, ctx_.Setup, source.Number(), ctx_.Paths.ExportDir,
                                prompter));
    if (exec() != QDialog::Accepted)
        return false;
    const TExportValues values = Values();
    SaveExportValues(format_, values, ctx_.registry, prompter);
    CatalogLookups catalog(*ctx_.Dm);
    ExportWriteContext context{prompter, catalog, ctx_.Paths.OrdersDir};
    WriteExportFile(format_, values, source, context);
    AfterWrite(values);
    return true;
}

} // namespace kvf

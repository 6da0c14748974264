#include "ui/selection_prop_dlg.h"

#include "base/number_format.h"
#include "base/ole_date.h"
#include "base/prompter.h"
#include "base/text.h"
#include "catalog/catalog_lookups.h"
#include "config/setup.h"
#include "model/order_selection.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kvf {

namespace {

QString qs(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QDate qdate(double ole) {
    int y = 0, m = 0, d = 0;
    DecodeDate(ole, y, m, d);
    return QDate(y, m, d);
}

} // namespace

TSelectionPropDlg::TSelectionPropDlg(TkvfSetup& setup, CatalogLookups& lookups, Prompter& prompter,
                                     QWidget* parent)
    : QDialog(parent), setup_(setup), lookups_(lookups), prompter_(prompter) {
    setObjectName("SelectionPropDlg");
    setWindowTitle(QString::fromUtf8("Выборка"));
    auto* pages = new QTabWidget(this);

    auto* page1 = new QWidget;
    page1->setObjectName("TS_1");
    auto* form = new QFormLayout(page1);
    selectionNoEdit_ = new QLineEdit(page1);
    selectionNoEdit_->setObjectName("SelectionNoEdit");
    form->addRow(QString::fromUtf8("Выборка №"), selectionNoEdit_);
    regDateEdit_ = new QDateEdit(page1);
    regDateEdit_->setObjectName("RegDateEdit");
    regDateEdit_->setDisplayFormat("dd.MM.yyyy");
    regDateEdit_->setCalendarPopup(true);
    form->addRow(QString::fromUtf8("От"), regDateEdit_);
    nameEdit_ = new QLineEdit(page1);
    nameEdit_->setObjectName("NameEdit");
    form->addRow(QString::fromUtf8("Наименование"), nameEdit_);
    ndsTaxEdit_ = new QDoubleSpinBox(page1);
    ndsTaxEdit_->setObjectName("NDSTaxEdit");
    ndsTaxEdit_->setDecimals(2);
    ndsTaxEdit_->setRange(0, 100);
    form->addRow(QString::fromUtf8("Ставка НДС, %"), ndsTaxEdit_);
    priceGrpNoCombo_ = new QComboBox(page1);
    priceGrpNoCombo_->setObjectName("PriceGrpNoCombo");
    priceGrpNoCombo_->hide();
    roundModeCombo_ = new QComboBox(page1);
    roundModeCombo_->setObjectName("RoundModeCombo");
    roundModeCombo_->addItems({QString::fromUtf8("Нет"), QString::fromUtf8("До мин. торговой величины")});
    form->addRow(QString::fromUtf8("Режим округления"), roundModeCombo_);
    currencyCombo_ = new QComboBox(page1);
    currencyCombo_->setObjectName("CurrencyCombo");
    form->addRow(QString::fromUtf8("Валюта"), currencyCombo_);
    rateList_ = new QTreeWidget(page1);
    rateList_->setObjectName("ListView");
    rateList_->setRootIsDecorated(false);
    rateList_->setHeaderLabels({QString::fromUtf8("Валюта"), QString::fromUtf8("Курс")});
    rateList_->installEventFilter(this);
    form->addRow(new QLabel(QString::fromUtf8("Курсы валют"), page1));
    form->addRow(rateList_);
    rateEdit_ = new QLineEdit(rateList_->viewport());
    rateEdit_->setObjectName("RateEdit");
    auto* validator = new QDoubleValidator(0, 1e9, 4, rateEdit_);
    validator->setLocale(QLocale::c());
    rateEdit_->setValidator(validator);
    rateEdit_->hide();
    rateEdit_->installEventFilter(this);
    auto* currencyBut = new QPushButton(QString::fromUtf8("Установить текущий курс"), page1);
    currencyBut->setObjectName("CurrencyBut");
    form->addRow(currencyBut);
    pages->addTab(page1, QString::fromUtf8("Реквизиты"));

    auto* page3 = new QWidget;
    page3->setObjectName("TS_3");
    auto* notes = new QVBoxLayout(page3);
    memo_ = new QPlainTextEdit(page3);
    memo_->setObjectName("Memo");
    notes->addWidget(memo_);
    auto* clearBut = new QPushButton(QString::fromUtf8("Очистить"), page3);
    clearBut->setObjectName("ClearBut");
    notes->addWidget(clearBut, 0, Qt::AlignLeft);
    pages->addTab(page3, QString::fromUtf8("Примечания"));

    auto* okBut = new QPushButton(QString::fromUtf8("OK"), this);
    okBut->setObjectName("OkBut");
    okBut->setDefault(true);
    auto* cancelBut = new QPushButton(QString::fromUtf8("Отмена"), this);
    cancelBut->setObjectName("CancelBut");
    auto* helpBut = new QPushButton(QString::fromUtf8("Справка"), this);
    helpBut->setObjectName("HelpBut");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBut);
    buttons->addWidget(cancelBut);
    buttons->addWidget(helpBut);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages);
    layout->addLayout(buttons);

    connect(okBut, &QPushButton::clicked, this, &TSelectionPropDlg::accept);
    connect(cancelBut, &QPushButton::clicked, this, &TSelectionPropDlg::reject);
    connect(clearBut, &QPushButton::clicked, memo_, &QPlainTextEdit::clear);
    connect(currencyBut, &QPushButton::clicked, this, &TSelectionPropDlg::CurrencyButClick);
    connect(rateList_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { editRate(item); });
}

bool TSelectionPropDlg::Run(TkvfOrderSelection& selection) {
    selection_ = &selection;
    fill(selection);
    const bool ok = exec() == QDialog::Accepted;
    selection_ = nullptr;
    return ok;
}

void TSelectionPropDlg::fill(const TkvfOrderSelection& selection) {
    priceGrpNoCombo_->clear();
    for (const std::string& name : setup_.PriceGroupNames)
        priceGrpNoCombo_->addItem(qs(name));
    selectionNoEdit_->setText(qs(selection.SelNo));
    regDateEdit_->setDate(qdate(selection.SelDate));
    nameEdit_->setText(qs(selection.SelName));
    priceGrpNoCombo_->setCurrentIndex(selection.PriceGroupNo);
    ndsTaxEdit_->setValue(selection.NDSTax);
    roundModeCombo_->setCurrentIndex(selection.RoundMode);
    QStringList note;
    for (const std::string& line : selection.Note)
        note << qs(line);
    memo_->setPlainText(note.join('\n'));
    rates_.clear();
    for (const auto& item : selection.Currencies)
        rates_.push_back(*item);
    showRates(selection.CurrencyID);
}

void TSelectionPropDlg::showRates(int currency) {
    rateList_->clear();
    currencyCombo_->clear();
    int selected = -1;
    for (size_t i = 0; i < rates_.size(); ++i) {
        const QString name = qs(lookups_.GetCurrencyName(rates_[i].CurrencyID));
        currencyCombo_->addItem(name);
        rateList_->addTopLevelItem(new QTreeWidgetItem({name, qs(FormatFixed(rates_[i].Rate, 4))}));
        if (rates_[i].CurrencyID == currency && selected < 0)
            selected = static_cast<int>(i);
    }
    currencyCombo_->setCurrentIndex(selected);
}

void TSelectionPropDlg::CurrencyButClick() {
    closeRateEdit(false);
    TkvfCurrencyList list;
    lookups_.LoadCurrencyRates(&list);
    rates_.clear();
    for (const auto& item : list)
        rates_.push_back(*item);
    showRates(selection_ != nullptr ? selection_->CurrencyID : 0);
}

void TSelectionPropDlg::editRate(QTreeWidgetItem* item) {
    if (item == nullptr)
        return;
    editedRow_ = rateList_->indexOfTopLevelItem(item);
    const QRect row = rateList_->visualItemRect(item);
    const int x = rateList_->header()->sectionPosition(1);
    rateEdit_->setGeometry(x, row.top(), rateList_->viewport()->width() - x, row.height());
    rateEdit_->setText(item->text(1));
    rateEdit_->show();
    rateEdit_->setFocus();
    rateEdit_->selectAll();
}

void TSelectionPropDlg::closeRateEdit(bool store) {
    if (!rateEdit_->isVisible() || closingRateEdit_)
        return;
    closingRateEdit_ = true;
    if (store && editedRow_ >= 0 && editedRow_ < static_cast<int>(rates_.size())) {
        if (const std::optional<double> rate = ParseDecimal(Trim(rateEdit_->text().toStdString()))) {
            rates_[static_cast<size_t>(editedRow_)].Rate = static_cast<float>(*rate);
            rateList_->topLevelItem(editedRow_)
                ->setText(1, qs(FormatFixed(rates_[static_cast<size_t>(editedRow_)].Rate, 4)));
        }
    }
    rateEdit_->hide();
    editedRow_ = -1;
    closingRateEdit_ = false;
}

bool TSelectionPropDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == rateList_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            editRate(rateList_->currentItem());
            return true;
        }
    }
    if (watched == rateEdit_) {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape) {
                closeRateEdit(key->key() != Qt::Key_Escape);
                rateList_->setFocus();
                return true;
            }
        }
        if (event->type() == QEvent::FocusOut)
            closeRateEdit(true);
    }
    return QDialog::eventFilter(watched, event);
}

void TSelectionPropDlg::accept() {
    closeRateEdit(true);
    if (Trim(selectionNoEdit_->text().toStdString()).empty()) {
        prompter_.Warning("Не указан номер выборки!");
        return;
    }
    if (selection_ != nullptr)
        apply(*selection_);
    QDialog::accept();
}

void TSelectionPropDlg::apply(TkvfOrderSelection& selection) {
    const QDate date = regDateEdit_->date();
    selection.SelNo = Trim(selectionNoEdit_->text().toStdString());
    selection.SelName = Trim(nameEdit_->text().toStdString());
    selection.SelDate = EncodeDate(date.year(), date.month(), date.day());
    selection.Note = SplitLines(memo_->toPlainText().toStdString());
    const int priceGroup = std::max(0, priceGrpNoCombo_->currentIndex());
    const float ndsTax = static_cast<float>(ndsTaxEdit_->value());
    const auto roundMode = static_cast<std::uint8_t>(std::max(0, roundModeCombo_->currentIndex()));
    const int index = currencyCombo_->currentIndex();
    const int currency = index >= 0 && index < static_cast<int>(rates_.size())
                             ? rates_[static_cast<size_t>(index)].CurrencyID
                             : 0;
    pricingChanged_ = priceGroup != selection.PriceGroupNo || ndsTax != selection.NDSTax ||
                      roundMode != selection.RoundMode || currency != selection.CurrencyID;
    selection.PriceGroupNo = priceGroup;
    selection.NDSTax = ndsTax;
    selection.RoundMode = roundMode;
    selection.ClearCurrencies();
    for (const TkvfCurrencyItem& rate : rates_)
        selection.Currencies.push_back(std::make_unique<TkvfCurrencyItem>(rate));
    selection.CurrencyID = currency;
}

} // namespace kvf

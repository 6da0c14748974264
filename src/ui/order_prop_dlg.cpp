#include "ui/order_prop_dlg.h"

#include "base/number_format.h"
#include "base/prompter.h"
#include "base/text.h"
#include "catalog/catalog_lookups.h"
#include "catalog/order_registration.h"
#include "catalog/tdm.h"
#include "config/last_order_no.h"
#include "config/paths.h"
#include "config/setup.h"
#include "model/order.h"
#include "qt/ok_cancel_buttons.h"
#include "ui/app_context.h"
#include "ui/furn_filters.h"
#include "ui/lookup_combo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>
#include <functional>

namespace kvf {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

std::string trimmed(const QLineEdit* edit) {
    return edit->text().trimmed().toStdString();
}

const QDate OleEpoch(1899, 12, 30);

// A parameter code from its key; 0 for none.
std::int32_t keyNumber(const std::string& key) {
    try {
        return static_cast<std::int32_t>(std::stol(key));
    } catch (const std::exception&) {
        return 0;
    }
}

QDate oleToDate(double date) {
    return OleEpoch.addDays(static_cast<qint64>(std::floor(date)));
}

QString rateText(float rate) {
    return qs(FormatFixed(rate, 4));
}

QLineEdit* textEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    return edit;
}

Table* tableOf(TAppContext& ctx, Table TDM::*table) {
    return ctx.Dm == nullptr ? nullptr : &(ctx.Dm->*table);
}

} // namespace

TOrderPropDlg::TOrderPropDlg(TAppContext& ctx, TkvfOrder& order, QWidget* parent)
    : QDialog(parent), ctx_(ctx), order_(order), openedNo_(order.OrderNo), openedCurrency_(order.CurrencyID) {
    setObjectName("OrderPropDlg");
    setWindowTitle(QString::fromUtf8("Заказ"));
    setMinimumWidth(520);
    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControl");
    pages_->addTab(createRequisitesPage(), QString::fromUtf8("Реквизиты"));
    pages_->addTab(createTechnicalPage(), QString::fromUtf8("Тех. данные"));
    pages_->addTab(createCurrencyPage(), QString::fromUtf8("Валюта"));
    pages_->addTab(createNotesPage(), QString::fromUtf8("Примечания"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OkBut");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBut");
    layout->addWidget(buttons);
    fillFromOrder();
    pages_->setCurrentIndex(0);
    orderNoEdit_->setFocus();
}

QWidget* TOrderPropDlg::createRequisitesPage() {
    auto* page = new QWidget;
    page->setObjectName("TS_1");
    auto* form = new QFormLayout(page);
    orderNoEdit_ = textEdit(page, "OrderNoEdit");
    auto* lastNo = new QToolButton(page);
    lastNo->setObjectName("OrderNoBut");
    lastNo->setText("...");
    connect(lastNo, &QToolButton::clicked, this, [this] { ShowLastOrderNo(); });
    auto* number = new QHBoxLayout;
    number->addWidget(orderNoEdit_, 1);
    number->addWidget(lastNo);
    form->addRow(QString::fromUtf8("Заказ №"), number);
    regDateEdit_ = new QDateEdit(page);
    regDateEdit_->setObjectName("RegDateEdit");
    regDateEdit_->setCalendarPopup(true);
    regDateEdit_->setDisplayFormat("dd.MM.yyyy");
    regDateSet_ = new QCheckBox(page);
    regDateSet_->setObjectName("RegDateSet");
    connect(regDateSet_, &QCheckBox::toggled, regDateEdit_, &QWidget::setEnabled);
    auto* date = new QHBoxLayout;
    date->addWidget(regDateSet_);
    date->addWidget(regDateEdit_, 1);
    form->addRow(QString::fromUtf8("От"), date);
    altOrderNoEdit_ = textEdit(page, "AltOrderNoEdit");
    form->addRow(QString::fromUtf8("Служебный №"), altOrderNoEdit_);
    customerEdit_ = textEdit(page, "CustomerEdit");
    form->addRow(QString::fromUtf8("Заказчик"), customerEdit_);
    objectNameEdit_ = textEdit(page, "ObjectNameEdit");
    form->addRow(QString::fromUtf8("Наименование объекта"), objectNameEdit_);
    addressEdit_ = textEdit(page, "AddressEdit");
    form->addRow(QString::fromUtf8("Адрес объекта"), addressEdit_);
    phonesEdit_ = textEdit(page, "PhonesEdit");
    form->addRow(QString::fromUtf8("Контактный телефон"), phonesEdit_);
    remEdit_ = textEdit(page, "RemEdit");
    remEdit_->setMaxLength(15);
    form->addRow(QString::fromUtf8("Метка"), remEdit_);
    return page;
}

QWidget* TOrderPropDlg::createTechnicalPage() {
    auto* page = new QWidget;
    page->setObjectName("TS_2");
    auto* form = new QFormLayout(page);
    // A lookup over `table` offering the rows `filter` lets through when the list opens.
    auto combo = [&](const char* name, Table TDM::*table, const char* key, const char* display,
                     const char* caption, std::function<std::string()> filter = {}) {
        auto* edit = new TLookupCombo(page);
        edit->setObjectName(name);
        if (Table* rows = tableOf(ctx_, table)) {
            edit->ListRows = [this, rows, key, display, filter] {
                std::string text;
                if (filter) {
                    try {
                        text = filter();
                    } catch (const std::exception& e) {
                        ctx_.prompter.Error(e.what());
                    }
                }
                return LookupRows(*rows, text, key, display);
            };
            edit->TextOf = [rows, key, display](const std::string& value) {
                return LookupText(*rows, key, value, display);
            };
        }
        form->addRow(QString::fromUtf8(caption), edit);
        return edit;
    };
    furnSysEdit_ = combo("FurnSysEdit", &TDM::T_SysList, "ID", "Name", "Фурнитура", SysListFilter);
    profSysEdit_ = combo("ProfSysEdit", &TDM::T_SysProf, "SchlSysID", "Name", "Система отв. планок",
                         [this] { return SysProfFilter(furnSysEdit_->Value()); });
    innerProfColorEdit_ =
        combo("InnerProfColorEdit", &TDM::T_Color, "Color", "Name", "Цвет профиля (изнутри)");
    outerProfColorEdit_ =
        combo("OuterProfColorEdit", &TDM::T_Color, "Color", "Name", "Цвет профиля (снаружи)");
    furnColorEdit_ = combo("FurnColorEdit", &TDM::T_SysColor, "ID", "ColorName", "Цвет декор. накладок",
                           [this] { return SysColorFilter(furnSysEdit_->Value()); });
    handleEdit_ =
        combo("HandleEdit", &TDM::T_FrnComp, "ID", "Name", "Ручка", [this] { return handleFilter(); });
    falzCombo_ = combo("FalzCombo", &TDM::T_FalzList, "ID", "Name", "Параметры фальца: ");
    dornCombo_ = combo("DornCombo", &TDM::T_DornList, "ID", "Name", "Дорнмасс: ");
    stulpTypeCombo_ = combo("StulpTypeCombo", &TDM::T_StulpList, "ID", "Name", "Тип штульпа: ");
    openTypeCombo_ = combo("OpenTypeCombo", &TDM::T_OpenList, "ID", "Name", "Тип створки: ");
    materialEdit_ = combo("MaterialEdit", &TDM::T_Material, "ID", "Name", "Материал");
    return page;
}

std::string TOrderPropDlg::handleFilter() const {
    if (ctx_.Dm == nullptr) {
        return {};
    }
    CatalogLookups catalog(*ctx_.Dm);
    const int group = catalog.GetSystemGroup(furnSysEdit_->Value(), false);
    const std::string g = std::to_string(group);
    const std::string g100 = std::to_string(group - group % 100);
    return "(Group=30 or Group=31 or Group=32) and Use=1 and (CommonGrp=" + g + " or CommonGrp=" + g100 +
           " or CommonGrp=0)";
}

QWidget* TOrderPropDlg::createCurrencyPage() {
    auto* page = new QWidget;
    page->setObjectName("TS_5");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(new QLabel(QString::fromUtf8("Курсы валют"), page));
    listView_ = new QTreeWidget(page);
    listView_->setObjectName("ListView");
    listView_->setRootIsDecorated(false);
    listView_->setHeaderLabels({QString::fromUtf8("Валюта"), QString::fromUtf8("Курс")});
    listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView_->installEventFilter(this);
    connect(listView_, &QTreeWidget::itemDoubleClicked, this, [this] { StartRateEdit(); });
    layout->addWidget(listView_, 1);
    rateEdit_ = new QLineEdit(listView_->viewport());
    rateEdit_->setObjectName("RateEdit");
    rateEdit_->hide();
    rateEdit_->installEventFilter(this);
    auto* form = new QFormLayout;
    currencyCombo_ = new QComboBox(page);
    currencyCombo_->setObjectName("CurrencyCombo");
    form->addRow(QString::fromUtf8("Валюта"), currencyCombo_);
    ndsTaxEdit_ = new QDoubleSpinBox(page);
    ndsTaxEdit_->setObjectName("NDSTaxEdit");
    ndsTaxEdit_->setDecimals(2);
    ndsTaxEdit_->setRange(0, 100);
    form->addRow(QString::fromUtf8("Ставка НДС, %"), ndsTaxEdit_);
    layout->addLayout(form);
    auto* currencyBut = new QPushButton(QString::fromUtf8("Установить текущий курс"), page);
    currencyBut->setObjectName("CurrencyBut");
    connect(currencyBut, &QPushButton::clicked, this, [this] { SetCurrentRates(); });
    layout->addWidget(currencyBut);
    return page;
}

QWidget* TOrderPropDlg::createNotesPage() {
    auto* page = new QWidget;
    page->setObjectName("TS_7");
    auto* layout = new QVBoxLayout(page);
    memo_ = new QPlainTextEdit(page);
    memo_->setObjectName("Memo");
    layout->addWidget(memo_, 1);
    auto* clear = new QPushButton(QString::fromUtf8("Очистить"), page);
    clear->setObjectName("ClearBut");
    connect(clear, &QPushButton::clicked, memo_, &QPlainTextEdit::clear);
    layout->addWidget(clear, 0, Qt::AlignRight);
    return page;
}

void TOrderPropDlg::fillFromOrder() {
    orderNoEdit_->setText(qs(order_.OrderNo));
    regDateEdit_->setDate(oleToDate(order_.RegDate));
    regDateSet_->setChecked(order_.RegDateSet);
    regDateEdit_->setEnabled(order_.RegDateSet);
    altOrderNoEdit_->setText(qs(order_.AltOrderNo));
    customerEdit_->setText(qs(order_.Customer));
    objectNameEdit_->setText(qs(order_.ObjectName));
    addressEdit_->setText(qs(order_.Address));
    phonesEdit_->setText(qs(order_.Phones));
    remEdit_->setText(qs(order_.Remark));
    profSysEdit_->SetValue(order_.ProfSys);
    innerProfColorEdit_->SetValue(order_.InnerProfColor);
    outerProfColorEdit_->SetValue(order_.OuterProfColor);
    furnSysEdit_->SetValue(order_.FurnSys);
    furnColorEdit_->SetValue(order_.FurnColor);
    handleEdit_->SetValue(order_.Handle);
    falzCombo_->SetValue(std::to_string(order_.Falz));
    dornCombo_->SetValue(std::to_string(order_.Dorn));
    stulpTypeCombo_->SetValue(std::to_string(order_.StulpType));
    openTypeCombo_->SetValue(std::to_string(order_.OpenType));
    materialEdit_->SetValue(std::to_string(order_.Material));
    ndsTaxEdit_->setValue(order_.NDSTax);
    QStringList memo;
    for (const std::string& line : order_.Memo) {
        memo << qs(line);
    }
    memo_->setPlainText(memo.join('\n'));
    fillCurrencies(order_.Currencies);
    currencyCombo_->setCurrentIndex(FindCurrencyIndex(&rows_, order_.CurrencyID));
}

void TOrderPropDlg::fillCurrencies(const TkvfCurrencyList& list) {
    rows_.clear();
    listView_->clear();
    std::unique_ptr<CatalogLookups> catalog;
    if (ctx_.Dm != nullptr) {
        catalog = std::make_unique<CatalogLookups>(*ctx_.Dm);
    }
    for (const auto& entry : list) {
        rows_.push_back(std::make_unique<TkvfCurrencyItem>(entry->CurrencyID, entry->Rate));
        QString name;
        if (catalog) {
            try {
                name = qs(catalog->GetCurrencyName(entry->CurrencyID));
            } catch (const std::exception&) {
            }
        }
        listView_->addTopLevelItem(new QTreeWidgetItem(QStringList{name, rateText(entry->Rate)}));
    }
    fillCurrencyCombo();
}

void TOrderPropDlg::fillCurrencyCombo() {
    currencyCombo_->clear();
    for (int i = 0; i < listView_->topLevelItemCount(); ++i) {
        currencyCombo_->addItem(listView_->topLevelItem(i)->text(0));
    }
}

void TOrderPropDlg::SetCurrentRates() {
    if (ctx_.Dm == nullptr) {
        return;
    }
    TkvfCurrencyList current;
    try {
        CatalogLookups(*ctx_.Dm).LoadCurrencyRates(&current);
    } catch (const std::exception& e) {
        ctx_.prompter.Error(e.what());
        return;
    }
    fillCurrencies(current);
    currencyCombo_->setCurrentIndex(FindCurrencyIndex(&rows_, openedCurrency_));
}

void TOrderPropDlg::StartRateEdit() {
    QTreeWidgetItem* item = listView_->currentItem();
    if (item == nullptr) {
        return;
    }
    const int row = listView_->indexOfTopLevelItem(item);
    rateEdit_->setGeometry(
        listView_->visualItemRect(item).adjusted(listView_->columnViewportPosition(1), 0, 0, 0));
    rateEdit_->setText(rateText(rows_[static_cast<size_t>(row)]->Rate));
    rateEdit_->setProperty("row", row);
    rateEdit_->show();
    rateEdit_->setFocus();
    rateEdit_->selectAll();
}

void TOrderPropDlg::finishRateEdit() {
    rateEdit_->hide();
    if (rateEditCancelled_) {
        return;
    }
    const int row = rateEdit_->property("row").toInt();
    if (row < 0 || row >= static_cast<int>(rows_.size())) {
        return;
    }
    QString text = rateEdit_->text().trimmed();
    text.replace(',', '.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok) {
        return;
    }
    TkvfCurrencyItem& entry = *rows_[static_cast<size_t>(row)];
    entry.Rate = static_cast<float>(ParseDecimal(FormatFixed(value, 4)).value_or(value));
    listView_->topLevelItem(row)->setText(1, rateText(entry.Rate));
}

bool TOrderPropDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == rateEdit_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
                rateEditCancelled_ = key == Qt::Key_Escape;
                listView_->setFocus();
                // An inactive window gets no focus-out: the edit ends here then.
                if (rateEdit_->isVisible()) {
                    finishRateEdit();
                }
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && rateEdit_->isVisible()) {
            finishRateEdit();
        }
    } else if (watched == listView_) {
        if (event->type() == QEvent::FocusIn) {
            rateEditCancelled_ = false;
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                StartRateEdit();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TOrderPropDlg::ShowLastOrderNo() {
    const auto number = ReadLastOrderNo(LastOrderNoFolder(ctx_.Paths.OrdersDir, ctx_.ExeFolder));
    ctx_.prompter.Information("Номер последнего заказа: " + number.value_or("???"));
}

bool TOrderPropDlg::closeCheck() {
    const std::string number = orderNoEdit_->text().toStdString();
    if (Trim(number).empty()) {
        ctx_.prompter.Warning("Не указан номер заказа!");
        return false;
    }
    const std::string trimmedNumber = Trim(number);
    if (trimmedNumber == openedNo_ || ctx_.Dm == nullptr || !ctx_.Dm->DB_Registry.IsOpen()) {
        return true;
    }
    try {
        if (auto regDate = FindRegisteredOrder(ctx_.Dm->T_OrderList, trimmedNumber)) {
            ctx_.prompter.Warning(AlreadyRegisteredMessage(trimmedNumber, *regDate));
            return false;
        }
    } catch (const std::exception& e) {
        ctx_.prompter.Error(e.what());
    }
    return true;
}

void TOrderPropDlg::writeBack() {
    order_.OrderNo = trimmed(orderNoEdit_);
    order_.AltOrderNo = trimmed(altOrderNoEdit_);
    order_.Customer = trimmed(customerEdit_);
    order_.ObjectName = trimmed(objectNameEdit_);
    order_.Address = trimmed(addressEdit_);
    order_.Phones = trimmed(phonesEdit_);
    order_.Remark = trimmed(remEdit_);
    // An unchanged day keeps the time of day the order was registered at.
    if (regDateEdit_->date() != oleToDate(order_.RegDate)) {
        order_.RegDate = static_cast<double>(OleEpoch.daysTo(regDateEdit_->date()));
    }
    order_.RegDateSet = regDateSet_->isChecked();
    order_.Memo = SplitLines(memo_->toPlainText().toStdString());
    order_.ProfSys = profSysEdit_->Value();
    order_.InnerProfColor = innerProfColorEdit_->Value();
    order_.OuterProfColor = outerProfColorEdit_->Value();
    order_.FurnSys = furnSysEdit_->Value();
    order_.FurnColor = furnColorEdit_->Value();
    order_.Handle = handleEdit_->Value();
    order_.Falz = keyNumber(falzCombo_->Value());
    order_.Dorn = keyNumber(dornCombo_->Value());
    order_.StulpType = keyNumber(stulpTypeCombo_->Value());
    order_.OpenType = keyNumber(openTypeCombo_->Value());
    order_.Material = keyNumber(materialEdit_->Value());
    const auto tax = static_cast<float>(ndsTaxEdit_->value());
    pricesChanged_ = tax != order_.NDSTax;
    order_.NDSTax = tax;
    order_.Currencies = std::move(rows_);
    rows_.clear();
    const int index = currencyCombo_->currentIndex();
    const int currency = index >= 0 && index < order_.CurrencyCount() ? order_.Currency(index).CurrencyID : 0;
    pricesChanged_ = pricesChanged_ || currency != order_.CurrencyID;
    order_.CurrencyID = currency;
}

void TOrderPropDlg::storeDefaults() {
    TkvfSetup& setup = ctx_.Setup;
    setup.NDSTax = order_.NDSTax;
    setup.PriceGrpNo = order_.PriceGroupNo;
    setup.CurCurrency = order_.CurrencyID;
    setup.DefProfSys = order_.ProfSys;
    setup.DefInnerProfColor = order_.InnerProfColor;
    setup.DefOuterProfColor = order_.OuterProfColor;
    setup.DefFurnSys = order_.FurnSys;
    setup.DefFurnColor = order_.FurnColor;
    setup.DefHandle = order_.Handle;
    setup.DefFalzType = order_.Falz;
    setup.DefDornType = order_.Dorn;
    setup.DefStulpFalzType = order_.StulpType;
    setup.DefFlugelType = order_.OpenType;
    setup.DefMaterial = order_.Material;
}

void TOrderPropDlg::accept() {
    if (rateEdit_->isVisible()) {
        finishRateEdit();
    }
    if (!closeCheck()) {
        return;
    }
    writeBack();
    storeDefaults();
    QDialog::accept();
}

bool ExecuteOrderPropDlg(TAppContext& ctx, TkvfOrder& order, bool& pricesChanged, QWidget* parent) {
    TOrderPropDlg dialog(ctx, order, parent);
    const bool ok = dialog.exec() == QDialog::Accepted;
    pricesChanged = ok && dialog.PricesChanged();
    return ok;
}

} // namespace kvf

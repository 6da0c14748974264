#include "ui/set_furn_dlg.h"

#include "base/error.h"
#include "base/prompter.h"
#include "base/typed_stream.h"
#include "catalog/catalog_lookups.h"
#include "catalog/tdm.h"
#include "config/setup.h"
#include "drawing/sketch.h"
#include "engine/composition_trace.h"
#include "engine/fittings_engine.h"
#include "engine/order_recalc.h"
#include "model/construction.h"
#include "model/order.h"
#include "qt/qt_canvas.h"
#include "ui/app_context.h"
#include "ui/furn_filters.h"
#include "ui/lookup_combo.h"
#include "ui/trace_view.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace kvf {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QString u(const char* text) {
    return QString::fromUtf8(text);
}

int toInt(const std::string& text) {
    try {
        return std::stoi(text);
    } catch (const std::exception&) {
        return 0;
    }
}

// The sketch of the dialog's private copy of the position.
class TPreviewBox : public QWidget {
public:
    TPreviewBox(const TkvfConstruction& preview, QWidget* parent) : QWidget(parent), preview_(preview) {
        setMinimumSize(260, 260);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        setPalette(p);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        try {
            QtCanvas canvas(painter);
            Draw(canvas, preview_, 4, 4, width() - 4, height() - 4, 1, 0);
        } catch (const std::exception&) {
            // A sketch that cannot be drawn stays empty; the choice itself is unaffected.
        }
    }

private:
    const TkvfConstruction& preview_;
};

} // namespace

struct TSetFurnDlg::State {
    CatalogLookups Lookups;
    std::unique_ptr<TkvfConstruction> Preview;
    std::array<TkvfFurnChoice, 2> Slots;
    // The trace of the last computation for the "Разбор" page; Recording
    // points at it while that computation runs.
    CompositionTrace Trace;
    CompositionTrace* Recording = nullptr;
};

bool ExecuteSetFurnDlg(TAppContext& ctx, TkvfConstruction& position, QWidget* parent) {
    if (ctx.Dm == nullptr) {
        ctx.prompter.Error("Каталог фурнитуры не открыт!");
        return false;
    }
    // The "Спецификация" page stores the choice before OK; Cancel puts the position back.
    TSpecStream before;
    position.Backup(before);
    TSetFurnDlg dialog(ctx, position, parent);
    if (dialog.exec() == QDialog::Accepted)
        return true;
    position.Restore(before);
    return false;
}

TSetFurnDlg::TSetFurnDlg(TAppContext& ctx, TkvfConstruction& position, QWidget* parent)
    : QDialog(parent), ctx_(ctx), position_(position),
      state_(new State{CatalogLookups(*ctx.Dm, position.Order ? CatalogPricing{&position.Order->Currencies,
                                                                               position.Order->CurrencyID}
                                                              : CatalogPricing{}),
                       std::make_unique<TkvfConstruction>(position.Order),
                       {}}),
      lookups_(state_->Lookups), preview_(*state_->Preview), slots_(state_->Slots) {
    setWindowTitle(u("Фурнитура"));
    preview_.CopyFrom(position_);
    material_ = position_.Order ? position_.Order->Material : 0;
    door_ = position_.ObjectType != 0;

    auto* layout = new QVBoxLayout(this);
    Pages = new QTabWidget(this);
    Pages->setObjectName("Pages");
    auto* page1 = new QWidget(Pages);
    auto* page2 = new QWidget(Pages);
    auto* page3 = new QWidget(Pages);
    TraceView = new TTraceView(Pages);
    page1->setObjectName("TS_1");
    page2->setObjectName("TS_2");
    page3->setObjectName("TS_3");
    buildPage1(page1);
    buildPage2(page2);
    buildPage3(page3);
    Pages->addTab(page1, u("Основной комплект"));
    Pages->addTab(page2, u("Доп. комплектация"));
    Pages->addTab(page3, u("Спецификация"));
    Pages->addTab(TraceView, u("Разбор"));
    layout->addWidget(Pages);

    auto* bottom = new QHBoxLayout;
    DopCompExistsLab = new QLabel(u(">> Смотри также дополнительную комплектацию <<"), this);
    DopCompExistsLab->setObjectName("DopCompExistsLab");
    OkBut = new QPushButton(u("OK"), this);
    OkBut->setObjectName("OkBut");
    OkBut->setDefault(true);
    CancelBut = new QPushButton(u("Отмена"), this);
    CancelBut->setObjectName("CancelBut");
    bottom->addWidget(DopCompExistsLab);
    bottom->addStretch();
    bottom->addWidget(OkBut);
    bottom->addWidget(CancelBut);
    layout->addLayout(bottom);
    connect(OkBut, &QPushButton::clicked, this, &TSetFurnDlg::okClicked);
    connect(CancelBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(Pages, &QTabWidget::currentChanged, this, &TSetFurnDlg::pageChanged);

    setUpLookups();
    open();
    resize(980, 680);
}

TSetFurnDlg::~TSetFurnDlg() = default;

const TkvfFurnChoice& TSetFurnDlg::Slot(int k) const {
    return slots_[k - 1];
}

const TkvfConstruction& TSetFurnDlg::Preview() const {
    return preview_;
}

CatalogLookups& TSetFurnDlg::Lookups() const {
    return lookups_;
}

TkvfFlugel& TSetFurnDlg::CurrentFlugel() const {
    return currentSash_ == 1 ? position_.LeftFlugel : position_.RightFlugel;
}

std::array<TLookupCombo*, 7> TSetFurnDlg::components() const {
    return {ComplectCombo, HandleCombo, HingeCombo, LockCombo, CylinderCombo, DriveCombo, LatchCombo};
}

void TSetFurnDlg::buildPage1(QWidget* page) {
    auto* grid = new QGridLayout(page);
    auto combo = [this](const char* name) {
        auto* c = new TLookupCombo(this);
        c->setObjectName(name);
        return c;
    };

    auto* common = new QFormLayout;
    PosNoEdit = new QLineEdit(page);
    PosNoEdit->setObjectName("PosNoEdit");
    NumEdit = new QSpinBox(page);
    NumEdit->setObjectName("NumEdit");
    NumEdit->setRange(0, 99999);
    auto* posRow = new QHBoxLayout;
    posRow->addWidget(PosNoEdit);
    posRow->addWidget(new QLabel(u("Кол-во:"), page));
    posRow->addWidget(NumEdit);
    common->addRow(u("Позиция:"), posRow);
    FurnSysCombo = combo("FurnSysCombo");
    ProfSysCombo = combo("ProfSysCombo");
    ColorCombo = combo("ColorCombo");
    FalzCombo = combo("FalzCombo");
    StulpTypeCombo = combo("StulpTypeCombo");
    DornCombo = combo("DornCombo");
    OpenTypeCombo = combo("OpenTypeCombo");
    common->addRow(u("Система фурнитуры:"), FurnSysCombo);
    common->addRow(u("Система ответных планок:"), ProfSysCombo);
    common->addRow(u("Цвет фурнитуры:"), ColorCombo);
    common->addRow(u("Фальц:"), FalzCombo);
    StulpTypeLab = new QLabel(u("Тип штульпа:"), page);
    common->addRow(StulpTypeLab, StulpTypeCombo);
    common->addRow(u("Дорн:"), DornCombo);
    common->addRow(u("Тип створки:"), OpenTypeCombo);
    WidthEdit = new QDoubleSpinBox(page);
    WidthEdit->setObjectName("WidthEdit");
    ThicknessEdit = new QDoubleSpinBox(page);
    ThicknessEdit->setObjectName("ThicknessEdit");
    for (QDoubleSpinBox* edit : {WidthEdit, ThicknessEdit}) {
        edit->setDecimals(1);
        edit->setRange(0, 9999);
    }
    auto* profile = new QHBoxLayout;
    profile->addWidget(WidthEdit);
    profile->addWidget(new QLabel(u("x"), page));
    profile->addWidget(ThicknessEdit);
    common->addRow(u("Профиль (ширина x толщина):"), profile);

    auto* sash = new QHBoxLayout;
    StulpFlugelLab = new QLabel(u("ПОКАЗАТЬ:"), page);
    LeftFlugelRadio = new QRadioButton(u("Левая створка"), page);
    LeftFlugelRadio->setObjectName("LeftFlugelRadio");
    RightFlugelRadio = new QRadioButton(u("Правая створка"), page);
    RightFlugelRadio->setObjectName("RightFlugelRadio");
    for (QRadioButton* radio : {LeftFlugelRadio, RightFlugelRadio})
        radio->setAutoExclusive(false);
    sash->addWidget(StulpFlugelLab);
    sash->addWidget(LeftFlugelRadio);
    sash->addWidget(RightFlugelRadio);
    sash->addStretch();
    FalzSizeLab = new QLabel(page);
    FalzSizeLab->setObjectName("FalzSizeLab");
    sash->addWidget(FalzSizeLab);
    common->addRow(sash);

    ComplectCombo = combo("ComplectCombo");
    HandleCombo = combo("HandleCombo");
    HingeCombo = combo("HingeCombo");
    LockCombo = combo("LockCombo");
    CylinderCombo = combo("CylinderCombo");
    DriveCombo = combo("DriveCombo");
    LatchCombo = combo("LatchCombo");
    common->addRow(u("Комплект:"), ComplectCombo);
    common->addRow(u("Ручка:"), HandleCombo);
    common->addRow(u("Петли:"), HingeCombo);
    common->addRow(u("Замок:"), LockCombo);
    common->addRow(u("Цилиндр:"), CylinderCombo);
    common->addRow(u("Доводчик:"), DriveCombo);
    LatchLab = new QLabel(u("Шпингалеты:"), page);
    common->addRow(LatchLab, LatchCombo);
    UserDefineHeightCheck = new QCheckBox(u("Определить свою высоту ручки"), page);
    UserDefineHeightCheck->setObjectName("UserDefineHeightCheck");
    UserDefineHeightEdit = new QSpinBox(page);
    UserDefineHeightEdit->setObjectName("UserDefineHeightEdit");
    UserDefineHeightEdit->setRange(0, 99999);
    UserDefineHeightEdit->setAutoFillBackground(true);
    common->addRow(UserDefineHeightCheck, UserDefineHeightEdit);
    grid->addLayout(common, 0, 0);

    auto* right = new QVBoxLayout;
    PaintBox = new TPreviewBox(preview_, page);
    PaintBox->setObjectName("PaintBox");
    right->addWidget(PaintBox, 1);
    DI = new TPropertyGrid(*ctx_.Dm, ctx_.prompter, page);
    DI->setObjectName("DI");
    right->addWidget(DI, 1);
    grid->addLayout(right, 0, 1);
    grid->setColumnStretch(1, 1);
}

void TSetFurnDlg::setUpLookups() {
    TDM& dm = *ctx_.Dm;
    FurnSysCombo->ListRows = [&dm] { return LookupRows(dm.T_SysList, SysListFilter(), "ID", "Name"); };
    FurnSysCombo->TextOf = [&dm](const std::string& key) {
        return LookupText(dm.T_SysList, "ID", key, "Name");
    };
    ProfSysCombo->ListRows = [this, &dm] {
        return LookupRows(dm.T_SysProf, SysProfFilter(FurnSysCombo->Value()), "SchlSysID", "Name");
    };
    ProfSysCombo->TextOf = [&dm](const std::string& key) {
        return LookupText(dm.T_SysProf, "SchlSysID", key, "Name");
    };
    ColorCombo->ListRows = [this, &dm] {
        return LookupRows(dm.T_SysColor, SysColorFilter(FurnSysCombo->Value()), "ID", "ColorName");
    };
    ColorCombo->TextOf = [&dm](const std::string& key) {
        return LookupText(dm.T_SysColor, "ID", key, "ColorName");
    };
    const std::pair<TLookupCombo*, Table*> params[] = {{FalzCombo, &dm.T_FalzList},
                                                       {StulpTypeCombo, &dm.T_StulpList},
                                                       {DornCombo, &dm.T_DornList},
                                                       {OpenTypeCombo, &dm.T_OpenList}};
    for (auto [combo, table] : params) {
        combo->ListRows = [table] { return LookupRows(*table, {}, "ID", "Name"); };
        combo->TextOf = [table](const std::string& key) { return LookupText(*table, "ID", key, "Name"); };
    }

    auto frnComp = [&dm](std::function<std::string()> filter) {
        return [&dm, filter] { return LookupRows(dm.T_FrnComp, filter(), "ID", "Name"); };
    };
    ComplectCombo->ListRows = [this, &dm] {
        BusyCursor busy(ctx_.prompter);
        const std::string filter =
            ComplectFilter(systemGroup_, systemFamily_, door_,
                           ComplectSubGroups(position_.ConstrType, currentSash_), material_);
        const TkvfFlugel& sash = CurrentFlugel();
        std::vector<TLookupRow> rows;
        try {
            rows = LookupRows(dm.T_FrnComp, filter, "ID", "Name");
        } catch (const std::exception&) {
            rows = LookupRows(dm.T_FrnComp, {}, "ID", "Name");
        }
        std::erase_if(rows, [&](const TLookupRow& row) { return !lookups_.ComplectFitsSash(sash, row.Key); });
        return rows;
    };
    HandleCombo->ListRows =
        frnComp([this] { return HandleFilter(systemGroup_, systemFamily_, door_, material_); });
    HingeCombo->ListRows =
        frnComp([this] { return HingeFilter(systemGroup_, systemFamily_, door_, material_); });
    LockCombo->ListRows = frnComp([this] {
        return LockFilter(systemGroup_, systemFamily_, door_, lookups_.GetComplectGroup(HandleCombo->Value()),
                          material_);
    });
    CylinderCombo->ListRows =
        frnComp([this] { return CylinderFilter(systemGroup_, systemFamily_, material_); });
    DriveCombo->ListRows = frnComp([this] { return DriveFilter(systemGroup_, systemFamily_, material_); });
    LatchCombo->ListRows = frnComp([this] { return LatchFilter(systemGroup_, systemFamily_); });

    const auto parts = components();
    for (int i = 0; i < 7; ++i) {
        TLookupCombo* combo = parts[i];
        combo->TextOf = [this](const std::string& key) {
            std::string name;
            lookups_.TryGetComplectName(key, name);
            return name;
        };
        if (i == 0) {
            connect(combo, &TLookupCombo::CloseUp, this, [this] { complectClosedUp(); });
        } else {
            connect(combo, &TLookupCombo::CloseUp, this, [this, i](bool changed) {
                if (changed)
                    componentChosen(i);
                recomputePreview();
            });
        }
        connect(combo, &TLookupCombo::Cleared, this, [this, i] {
            componentCleared(i);
            recomputePreview();
        });
    }

    connect(FurnSysCombo, &TLookupCombo::CloseUp, this, [this](bool changed) {
        if (changed)
            systemChanged();
    });
    connect(LeftFlugelRadio, &QRadioButton::clicked, this, [this] { switchSash(1); });
    connect(RightFlugelRadio, &QRadioButton::clicked, this, [this] { switchSash(2); });
    connect(UserDefineHeightCheck, &QCheckBox::toggled, this, [this] { updateUserHeight(); });
    connect(UserDefineHeightEdit, &QSpinBox::editingFinished, this, [this] { recomputePreview(); });
}

TPropertyGrid::Keys TSetFurnDlg::propertyKeys() const {
    TPropertyGrid::Keys keys{};
    const auto parts = components();
    TDM& dm = *ctx_.Dm;
    for (int i = 0; i < 7; ++i) {
        const std::string& id = parts[i]->Value();
        if (!id.empty() && dm.T_FrnComp.Locate("ID", {Value(id)}))
            keys[i] = static_cast<int>(dm.T_FrnComp.AsInteger("PropKey"));
    }
    return keys;
}

void TSetFurnDlg::systemChanged() {
    systemGroup_ = 0;
    try {
        systemGroup_ = lookups_.GetSystemGroup(FurnSysCombo->Value(), false);
    } catch (const KvfError& e) {
        ctx_.prompter.Error(e.what());
    }
    systemFamily_ = systemGroup_ / 100 * 100;
    ProfSysCombo->Clear();
}

void TSetFurnDlg::componentChosen(int index) {
    if (index == 1)
        LockCombo->Clear();
    DI->BuildComponent(propertyKeys(), index);
    if (index == 1)
        DI->RemoveComponent(3);
}

void TSetFurnDlg::componentCleared(int index) {
    DI->RemoveComponent(index);
    if (index == 1) {
        LockCombo->Clear();
        DI->RemoveComponent(3);
    }
}

void TSetFurnDlg::complectClosedUp() {
    DI->Build(propertyKeys());
    recomputePreview();
}

void TSetFurnDlg::loadSlotIntoControls(const TkvfFurnChoice& slot) {
    ComplectCombo->SetValue(slot.Complect);
    HandleCombo->SetValue(slot.HandlePart);
    HingeCombo->SetValue(slot.Hinge);
    LockCombo->SetValue(slot.Lock);
    CylinderCombo->SetValue(slot.Cylinder);
    DriveCombo->SetValue(slot.Drive);
    LatchCombo->SetValue(slot.Latch);
}

const TkvfFurnChoice& TSetFurnDlg::StoreCurrent() {
    TkvfFurnChoice& slot = slots_[currentSash_ - 1];
    slot.Complect = ComplectCombo->Value();
    slot.HandlePart = HandleCombo->Value();
    slot.Hinge = HingeCombo->Value();
    slot.Lock = LockCombo->Value();
    slot.Cylinder = CylinderCombo->Value();
    slot.Drive = DriveCombo->Value();
    slot.Latch = LatchCombo->Value();
    slot.UserHandleHeightSet = UserDefineHeightCheck->isChecked();
    slot.UserHandleHeight = UserDefineHeightEdit->value();
    slot.Dorn = toInt(DornCombo->Value());
    slot.Properties = DI->ReadBack();
    return slot;
}

void TSetFurnDlg::open() {
    PosNoEdit->setText(qs(position_.No));
    NumEdit->setValue(position_.Number);

    const bool pair = position_.ConstrType != 2;
    if (position_.ConstrType == 0) {
        LeftFlugelRadio->setChecked(true);
        LeftFlugelRadio->setText(LeftFlugelRadio->text() + u(" (Главная)"));
        currentSash_ = 1;
    } else if (position_.ConstrType == 1) {
        RightFlugelRadio->setChecked(true);
        RightFlugelRadio->setText(RightFlugelRadio->text() + u(" (Главная)"));
        currentSash_ = 2;
    } else {
        currentSash_ = 1;
    }
    for (QWidget* w : std::initializer_list<QWidget*>{LeftFlugelRadio, RightFlugelRadio, StulpFlugelLab,
                                                      StulpTypeLab, StulpTypeCombo, LatchLab, LatchCombo})
        w->setEnabled(pair);

    slots_[0] = StoredChoice(position_.LeftFlugel);
    slots_[1] = StoredChoice(position_.RightFlugel);

    const TkvfFurnComp* comp = CurrentFlugel().FurnComp.get();
    if (comp != nullptr && !comp->FurnSys.empty()) {
        FurnSysCombo->SetValue(comp->FurnSys);
        try {
            systemGroup_ = lookups_.GetSystemGroup(comp->FurnSys, false);
        } catch (const KvfError& e) {
            ctx_.prompter.Error(e.what());
        }
        systemFamily_ = systemGroup_ / 100 * 100;
        ProfSysCombo->SetValue(comp->ProfSys);
        ColorCombo->SetValue(comp->Color);
        FalzCombo->SetValue(std::to_string(position_.Falz));
        StulpTypeCombo->SetValue(std::to_string(position_.StulpType));
        OpenTypeCombo->SetValue(std::to_string(position_.OpenType));
        WidthEdit->setValue(position_.ProfWidth);
        ThicknessEdit->setValue(position_.Thickness);
        DornCombo->SetValue(std::to_string(CurrentFlugel().Dorn));
        loadSlotIntoControls(slots_[currentSash_ - 1]);
        DI->Build(propertyKeys());
        DI->Apply(slots_[currentSash_ - 1].Properties);
    } else {
        FurnSysCombo->SetValue(position_.FurnSys);
        if (!position_.FurnSys.empty())
            systemChanged();
        ProfSysCombo->SetValue(position_.ProfSys);
        ColorCombo->SetValue(position_.Color);
        const TkvfOrder* order = position_.Order;
        HandleCombo->SetValue(order ? order->Handle : std::string());
        FalzCombo->SetValue(std::to_string(order ? order->Falz : 0));
        StulpTypeCombo->SetValue(std::to_string(order ? order->StulpType : 0));
        OpenTypeCombo->SetValue(std::to_string(order ? order->OpenType : 0));
        DornCombo->SetValue(std::to_string(CurrentFlugel().Dorn));
        WidthEdit->setValue(ctx_.Setup.DefProfWidth);
        ThicknessEdit->setValue(ctx_.Setup.DefProfThickness);
        DI->Build(propertyKeys());
    }
    showSashInfo();

    UserDefineHeightCheck->setEnabled(ctx_.Setup.UserDefineHeight);
    // A height the user defined before is shown again, so OK does not drop it unseen.
    const TkvfFurnChoice& shown = slots_[currentSash_ - 1];
    if (shown.UserHandleHeightSet && UserDefineHeightCheck->isEnabled()) {
        showUserHeight(true, shown.UserHandleHeight);
        recomputePreview();
    } else {
        updateUserHeight();
    }
    Pages->setCurrentIndex(0);
}

void TSetFurnDlg::showSashInfo() {
    std::int32_t width = 0, height = 0;
    CurrentFlugel().GetSize(width, height);
    char text[64];
    std::snprintf(text, sizeof text, "%d x %d", width, height);
    FalzSizeLab->setText(text);
    fillComplectList();
}

void TSetFurnDlg::switchSash(int sash) {
    QRadioButton* clicked = sash == 1 ? LeftFlugelRadio : RightFlugelRadio;
    QRadioButton* other = sash == 1 ? RightFlugelRadio : LeftFlugelRadio;
    if (sash == currentSash_) {
        clicked->setChecked(true);
        return;
    }
    StoreCurrent();
    currentSash_ = sash;
    const TkvfFurnChoice& slot = slots_[sash - 1];
    loadSlotIntoControls(slot);
    showUserHeight(slot.UserHandleHeightSet, slot.UserHandleHeight);
    DornCombo->SetValue(std::to_string(slot.Dorn));
    DI->Build(propertyKeys());
    DI->Apply(slot.Properties);
    other->setChecked(false);
    clicked->setChecked(true);
    showSashInfo();
    recomputePreview();
    TraceView->SetTrace(state_->Trace.Find(sash));
    emit CurrentSashChanged(sash);
}

void TSetFurnDlg::showUserHeight(bool on, int value) {
    {
        const QSignalBlocker block(UserDefineHeightCheck);
        UserDefineHeightCheck->setChecked(on && UserDefineHeightCheck->isEnabled());
    }
    on = UserDefineHeightCheck->isChecked();
    UserDefineHeightEdit->setEnabled(on);
    QPalette p = UserDefineHeightEdit->palette();
    p.setColor(QPalette::Base, palette().color(on ? QPalette::Base : QPalette::Button));
    UserDefineHeightEdit->setPalette(p);
    UserDefineHeightEdit->setValue(on ? value : 0);
}

void TSetFurnDlg::updateUserHeight() {
    std::int32_t width = 0, height = 0;
    CurrentFlugel().GetSize(width, height);
    showUserHeight(UserDefineHeightCheck->isChecked(), height / 2);
    recomputePreview();
}

void TSetFurnDlg::recomputePreview() {
    {
        BusyCursor busy(ctx_.prompter);
        StoreCurrent();
        TSpecStream backup;
        preview_.Backup(backup);
        try {
            preview_.SetFurnPreview(lookups_, slots_[0], slots_[1]);
        } catch (const std::exception& e) {
            preview_.Restore(backup);
            ctx_.prompter.Error(e.what());
        }
    }
    PaintBox->update();
    emit PreviewChanged();
}

bool TSetFurnDlg::ApplyFurn() {
    StoreCurrent();
    if (position_.ConstrType == 2) {
        if (slots_[0].Complect.empty()) {
            ctx_.prompter.Error("Не указан комплект фурнитуры!");
            return false;
        }
    } else {
        if (slots_[0].Complect.empty()) {
            ctx_.prompter.Error("Не указан левый комплект фурнитуры!");
            return false;
        }
        if (slots_[1].Complect.empty()) {
            ctx_.prompter.Error("Не указан правый комплект фурнитуры!");
            return false;
        }
    }
    BusyCursor busy(ctx_.prompter);
    TSpecStream backup;
    position_.Backup(backup);
    try {
        position_.No = PosNoEdit->text().toStdString();
        position_.Number = NumEdit->value();
        FittingsEngine engine(
            EngineContext{*ctx_.Dm, lookups_, ctx_.prompter, ctx_.Setup.Debug, state_->Recording});
        position_.SetFurn(lookups_, engine, FurnSysCombo->Value(), ProfSysCombo->Value(), ColorCombo->Value(),
                          toInt(FalzCombo->Value()), toInt(StulpTypeCombo->Value()),
                          toInt(OpenTypeCombo->Value()), static_cast<float>(WidthEdit->value()),
                          static_cast<float>(ThicknessEdit->value()), slots_[0], slots_[1]);
    } catch (const std::exception& e) {
        position_.Restore(backup);
        ctx_.prompter.Error(e.what());
        return false;
    }
    return true;
}

void TSetFurnDlg::explain() {
    TSpecStream kept;
    position_.Backup(kept);
    state_->Trace.Sashes.clear();
    state_->Recording = &state_->Trace;
    ApplyFurn();
    state_->Recording = nullptr;
    if (NoRecalcCheck->isChecked())
        position_.Restore(kept);
    TraceView->SetTrace(state_->Trace.Find(currentSash_));
}

void TSetFurnDlg::pageChanged(int index) {
    if (index == 3)
        explain();
    if (index == 2) {
        ItemListView->hide();
        // With "Не пересчитывать комплект" on, the articles changed by hand are kept.
        if (!NoRecalcCheck->isChecked() && !ApplyFurn()) {
            Pages->setCurrentIndex(0);
            return;
        }
        FillItemList();
        ItemListView->show();
    }
}

void TSetFurnDlg::okClicked() {
    if (NoRecalcCheck->isChecked()) {
        TSpecStream backup;
        position_.Backup(backup);
        try {
            position_.RecalcCost(lookups_);
        } catch (const std::exception& e) {
            position_.Restore(backup);
            ctx_.prompter.Error(e.what());
            return;
        }
        accept();
        return;
    }
    if (ApplyFurn())
        accept();
}

void TSetFurnDlg::done(int result) {
    TDM& dm = *ctx_.Dm;
    for (Table* table : {&dm.T_SysList, &dm.T_SysProp, &dm.T_FrnComp}) {
        table->SetFiltered(false);
        table->SetFilter("");
    }
    ctx_.Setup.DefProfWidth = WidthEdit->value();
    ctx_.Setup.DefProfThickness = ThicknessEdit->value();
    QDialog::done(result);
}

} // namespace kvf

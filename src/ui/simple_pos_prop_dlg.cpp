#include "ui/simple_pos_prop_dlg.h"

#include "base/number_format.h"
#include "base/prompter.h"
#include "base/typed_stream.h"
#include "config/setup.h"
#include "geometry/measures.h"
#include "model/construction.h"
#include "model/order.h"
#include "model/shape.h"
#include "qt/ok_cancel_buttons.h"
#include "ui/app_context.h"
#include "ui/shape_pictures.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <cstdio>

namespace kvf {

namespace {

struct ShapeRow {
    const char* NameSuffix;
    bool XUsed;
    bool YUsed;
    bool RUsed;
};

const ShapeRow Shapes[ShapeCount] = {
    {"Комплект стандартный", false, false, false}, {"Комплект штульповый", true, true, false},
    {"Комплект штульповый", true, true, false},    {"Комплект трапеция", true, false, false},
    {"Комплект трапеция", true, false, false},     {"Комплект треугольный", false, false, false},
    {"Комплект треугольный", false, false, false}, {"Комплект арка", true, false, true},
};

constexpr int ArchShape = 7;

double fieldValue(const QLineEdit* edit) {
    QString text = edit->text().trimmed();
    text.replace(',', '.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0;
}

QString oneDecimal(double value) {
    return QString::fromStdString(FormatFixed(value, 1));
}

QLineEdit* sizeEdit(QWidget* parent, const char* name, bool integer) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(integer ? 5 : 8);
    if (integer) {
        edit->setValidator(new QIntValidator(0, 99999, edit));
    }
    return edit;
}

} // namespace

TSimplePosPropDlg::TSimplePosPropDlg(TAppContext& ctx, TkvfOrder& order, TkvfConstruction& construction,
                                     QWidget* parent)
    : QDialog(parent), ctx_(ctx), order_(order), construction_(construction) {
    setObjectName("SimplePosPropDlg");
    setWindowTitle(QString::fromUtf8("Новая позиция"));

    posNoEdit_ = new QLineEdit(this);
    posNoEdit_->setObjectName("PosNoEdit");
    numEdit_ = sizeEdit(this, "NumEdit", true);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName("NameEdit");
    objTypeCombo_ = new QComboBox(this);
    objTypeCombo_->setObjectName("ObjTypeCombo");
    objTypeCombo_->addItems({QString::fromUtf8("Окно"), QString::fromUtf8("Дверь с порогом")});
    figScroll_ = new QScrollBar(Qt::Vertical, this);
    figScroll_->setObjectName("FigScroll");
    figScroll_->setRange(0, ShapeCount - 1);
    figScroll_->setPageStep(3);
    figImage_ = new QLabel(this);
    figImage_->setObjectName("FigImage");
    figImage_->setFixedSize(ShapePictureSize, ShapePictureSize);
    figImage_->setFrameShape(QFrame::Box);
    widthEdit_ = sizeEdit(this, "WidthEdit", true);
    heightEdit_ = sizeEdit(this, "HeightEdit", true);
    // X takes a decimal for the arch, so it has no integer validator.
    hxEdit_ = sizeEdit(this, "HXEdit", false);
    hyEdit_ = sizeEdit(this, "HYEdit", true);
    radiusEdit_ = sizeEdit(this, "RadiusEdit", false);
    heightLabel_ = new QLabel(QString::fromUtf8("Размер H"), this);
    hxLabel_ = new QLabel(QString::fromUtf8("Размер X"), this);
    hyLabel_ = new QLabel(QString::fromUtf8("Размер Y"), this);
    radiusLabel_ = new QLabel(QString::fromUtf8("Радиус R"), this);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel(QString::fromUtf8("Позиция №"), this), row, 0);
    grid->addWidget(posNoEdit_, row++, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("Кол-во, комп."), this), row, 0);
    grid->addWidget(numEdit_, row++, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("Наименование"), this), row, 0);
    grid->addWidget(nameEdit_, row++, 1, 1, 3);
    grid->addWidget(objTypeCombo_, row++, 1);
    auto* figure = new QHBoxLayout;
    figure->addWidget(figImage_);
    figure->addWidget(figScroll_);
    grid->addLayout(figure, row, 0, 5, 1);
    grid->addWidget(new QLabel(QString::fromUtf8("Размер B"), this), row, 1);
    grid->addWidget(widthEdit_, row++, 2);
    grid->addWidget(heightLabel_, row, 1);
    grid->addWidget(heightEdit_, row++, 2);
    grid->addWidget(hxLabel_, row, 1);
    grid->addWidget(hxEdit_, row++, 2);
    grid->addWidget(hyLabel_, row, 1);
    grid->addWidget(hyEdit_, row++, 2);
    grid->addWidget(radiusLabel_, row, 1);
    grid->addWidget(radiusEdit_, row++, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("OkBut");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("CancelBut");
    layout->addWidget(buttons);

    presetFields();
    connect(figScroll_, &QScrollBar::valueChanged, this, [this] { shapeChanged(); });
    connect(widthEdit_, &QLineEdit::textEdited, this, [this] { widthEdited(); });
    connect(hxEdit_, &QLineEdit::textEdited, this, [this] { xEdited(); });
    connect(hyEdit_, &QLineEdit::textEdited, this, [this] { yEdited(); });
    connect(radiusEdit_, &QLineEdit::textEdited, this, [this] { radiusEdited(); });
    connect(radiusEdit_, &QLineEdit::editingFinished, this, [this] { applyMinimumRadius(); });
}

void TSimplePosPropDlg::presetFields() {
    numEdit_->setText("1");
    char label[16];
    std::snprintf(label, sizeof label, "%.3d", order_.Count() + 1);
    posNoEdit_->setText(QString::fromLatin1(label));
    nameEdit_->setText(QString::fromUtf8("Комплект стандартный"));
    const int group = ctx_.Setup.DefFurnSysGroup;
    objTypeCombo_->setCurrentIndex(group >= 0 && group < objTypeCombo_->count() ? group : 0);
    if (objTypeCombo_->currentIndex() == 1) {
        defaultWidth_ = 900;
        defaultHeight_ = 2100;
    }
    figScroll_->setValue(0);
    shapeChanged();
}

int TSimplePosPropDlg::ShapeIndex() const {
    return figScroll_->value();
}

void TSimplePosPropDlg::SetShapeIndex(int index) {
    figScroll_->setValue(index);
}

double TSimplePosPropDlg::WidthValue() const {
    return fieldValue(widthEdit_);
}
double TSimplePosPropDlg::HeightValue() const {
    return fieldValue(heightEdit_);
}
double TSimplePosPropDlg::XValue() const {
    return fieldValue(hxEdit_);
}
double TSimplePosPropDlg::YValue() const {
    return fieldValue(hyEdit_);
}
double TSimplePosPropDlg::RValue() const {
    return fieldValue(radiusEdit_);
}

bool TSimplePosPropDlg::isArch() const {
    return ShapeIndex() == ArchShape;
}

bool TSimplePosPropDlg::isPair() const {
    return ShapeIndex() == 1 || ShapeIndex() == 2;
}

void TSimplePosPropDlg::setEnabledField(QLineEdit* edit, QLabel* label, bool enabled) {
    edit->setEnabled(enabled);
    label->setEnabled(enabled);
}

void TSimplePosPropDlg::shapeChanged() {
    const int index = ShapeIndex();
    const ShapeRow& shape = Shapes[index];
    figImage_->setPixmap(ShapePicture(index));
    widthEdit_->setText(QString::number(defaultWidth_));
    heightEdit_->setText(QString::number(defaultHeight_));
    setEnabledField(heightEdit_, heightLabel_, true);
    const int width = defaultWidth_;
    if (index == 1 || index == 2) {
        hxEdit_->setText(QString::number(width / 2));
        hyEdit_->setText(QString::number(width - width / 2));
    } else if (index == 3 || index == 4) {
        hxEdit_->setText(QString::number(defaultHeight_ / 2));
        hyEdit_->setText("0");
    } else {
        hxEdit_->setText("0");
        hyEdit_->setText("0");
    }
    radiusEdit_->setText("0");
    if (index == ArchShape) {
        // R := width / 2 brings the rise of a half circle with it.
        setR(width / 2.0);
    }
    setEnabledField(hxEdit_, hxLabel_, shape.XUsed);
    setEnabledField(hyEdit_, hyLabel_, shape.YUsed);
    setEnabledField(radiusEdit_, radiusLabel_, shape.RUsed);
    const QString prefix = objTypeCombo_->currentIndex() != 0 ? QString::fromUtf8("Дверь с порогом: ")
                                                              : QString::fromUtf8("Окно: ");
    nameEdit_->setText(prefix + QString::fromUtf8(shape.NameSuffix));
}

// X as the shape shows it: one decimal for the arch, an integer otherwise.
void TSimplePosPropDlg::setX(double value) {
    hxEdit_->setText(isArch() ? oneDecimal(value) : QString::number(static_cast<long long>(value)));
}

// R from code runs R's rule: the arch's rise follows.
void TSimplePosPropDlg::setR(double value) {
    radiusEdit_->setText(oneDecimal(value));
    radiusEdited();
}

void TSimplePosPropDlg::widthEdited() {
    const double width = WidthValue();
    if (isArch()) {
        setR(width / 2);
    } else if (isPair()) {
        const long long half = static_cast<long long>(width) / 2;
        hxEdit_->setText(QString::number(half));
        xEdited();
    }
}

void TSimplePosPropDlg::xEdited() {
    const double width = WidthValue();
    const double x = XValue();
    if (isArch()) {
        if (x <= width / 2) {
            radiusEdit_->setText(oneDecimal(static_cast<double>(ArcRadius(width, x))));
        } else {
            setX(width / 2);
            xEdited();
        }
    } else if (isPair() && width > x) {
        hyEdit_->setText(QString::number(static_cast<long long>(width - x)));
    }
}

void TSimplePosPropDlg::yEdited() {
    const double width = WidthValue();
    const double y = YValue();
    if (isPair() && y < width) {
        hxEdit_->setText(QString::number(static_cast<long long>(width - y)));
    }
}

void TSimplePosPropDlg::radiusEdited() {
    if (isArch()) {
        setX(static_cast<double>(ArcHeight(WidthValue(), RValue())));
    }
}

void TSimplePosPropDlg::applyMinimumRadius() {
    if (isArch() && RValue() < WidthValue() / 2) {
        setR(WidthValue() / 2);
    }
}

void TSimplePosPropDlg::accept() {
    TSpecStream backup;
    try {
        construction_.Backup(backup);
        applyMinimumRadius();
        construction_.No = posNoEdit_->text().toStdString();
        construction_.Name = nameEdit_->text().toStdString();
        construction_.Number = static_cast<std::int32_t>(fieldValue(numEdit_));
        TkvfShapeSizes sizes;
        sizes.B = WidthValue();
        sizes.H = HeightValue();
        sizes.Shape = static_cast<std::uint8_t>(ShapeIndex());
        sizes.X = XValue();
        sizes.Y = YValue();
        sizes.R1 = sizes.R2 = static_cast<float>(RValue());
        construction_.ConstrType = ShapeConstrType(ShapeIndex());
        construction_.ObjectType = static_cast<std::uint8_t>(objTypeCombo_->currentIndex());
        construction_.ProfSys = order_.ProfSys;
        construction_.FurnSys = order_.FurnSys;
        construction_.Color = order_.FurnColor;
        construction_.Falz = order_.Falz;
        construction_.StulpType = order_.StulpType;
        construction_.OpenType = order_.OpenType;
        construction_.SetShape(sizes, order_.Dorn);
    } catch (const std::exception& e) {
        try {
            construction_.Restore(backup);
        } catch (const std::exception&) {
            // The backup itself failed: nothing had been changed yet.
        }
        ctx_.prompter.Error(e.what());
        reject();
        return;
    }
    QDialog::accept();
}

bool ExecuteSimplePosPropDlg(TAppContext& ctx, TkvfOrder& order, TkvfConstruction& construction,
                             QWidget* parent) {
    TSimplePosPropDlg dialog(ctx, order, construction, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kvf

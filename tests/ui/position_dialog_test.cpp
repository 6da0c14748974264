#include "ui/simple_pos_prop_dlg.h"

#include "base/scripted_prompter.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"
#include "model/order.h"
#include "ui/app_context.h"
#include "ui/shape_pictures.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace kvf {
namespace {

class PositionDialogTest : public ::testing::Test {
protected:
    PositionDialogTest() : registry(dir.path().toStdString() + "/registry.reg") {
        order.ProfSys = "P1";
        order.FurnSys = "1010";
        order.FurnColor = "C7";
        order.Falz = 101;
        order.Dorn = 205;
        order.StulpType = 301;
        order.OpenType = 402;
    }

    std::unique_ptr<TSimplePosPropDlg> open() {
        context = std::make_unique<TAppContext>(TAppContext{prompter, registry, paths, setup, {}, {}});
        auto dialog = std::make_unique<TSimplePosPropDlg>(*context, order, position);
        dialog->show();
        return dialog;
    }

    static QLineEdit* edit(QDialog& dialog, const char* name) { return dialog.findChild<QLineEdit*>(name); }

    // Replaces a field's text as the user types it.
    static void type(QDialog& dialog, const char* name, const char* text) {
        QLineEdit* field = edit(dialog, name);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }

    // Moves the focus out of a field, as the user does with Tab.
    static void leave(QDialog& dialog, const char* name) {
        QLineEdit* field = edit(dialog, name);
        field->setFocus();
        emit field->editingFinished();
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Registry registry;
    TkvfPaths paths;
    TkvfSetup setup;
    std::unique_ptr<TAppContext> context;
    TkvfOrder order;
    TkvfConstruction position{&order};
};

TEST_F(PositionDialogTest, LabelsCountThePositionsWithAtLeastThreeDigits) {
    struct Case {
        const char* name;
        int existing;
        const char* label;
    };
    const Case cases[] = {
        {"first", 0, "001"}, {"fourth", 3, "004"}, {"hundredth", 99, "100"}, {"thousandth", 999, "1000"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        while (order.Count() < c.existing) {
            order.AddPosition();
        }
        auto dialog = open();
        EXPECT_EQ(QString(c.label), edit(*dialog, "PosNoEdit")->text());
        EXPECT_EQ(QString("1"), edit(*dialog, "NumEdit")->text());
    }
}

TEST_F(PositionDialogTest, ProductTypeChoosesTheDefaultSizeAndName) {
    struct Case {
        const char* name;
        int group;
        const char* type;
        double width;
        double height;
        const char* posName;
    };
    const Case cases[] = {
        {"window", 0, "Окно", 700, 1400, "Окно: Комплект стандартный"},
        {"door with threshold", 1, "Дверь с порогом", 900, 2100, "Дверь с порогом: Комплект стандартный"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setup.DefFurnSysGroup = c.group;
        auto dialog = open();
        EXPECT_EQ(QString::fromUtf8(c.type), dialog->findChild<QComboBox*>("ObjTypeCombo")->currentText());
        EXPECT_EQ(c.width, dialog->WidthValue());
        EXPECT_EQ(c.height, dialog->HeightValue());
        EXPECT_EQ(QString::fromUtf8(c.posName), edit(*dialog, "NameEdit")->text());
        // The product type alone changes neither the name nor the sizes.
        dialog->findChild<QComboBox*>("ObjTypeCombo")->setCurrentIndex(1 - c.group);
        EXPECT_EQ(QString::fromUtf8(c.posName), edit(*dialog, "NameEdit")->text());
        EXPECT_EQ(c.width, dialog->WidthValue());
    }
}

TEST_F(PositionDialogTest, ArchRadiusAndRiseFollowEachOther) {
    auto dialog = open();
    dialog->SetShapeIndex(7);
    type(*dialog, "WidthEdit", "1000");
    EXPECT_EQ(500, dialog->RValue());
    EXPECT_EQ(500, dialog->XValue());

    type(*dialog, "RadiusEdit", "400");
    leave(*dialog, "RadiusEdit");
    EXPECT_EQ(500, dialog->RValue());
    EXPECT_EQ(500, dialog->XValue());

    type(*dialog, "HXEdit", "200");
    EXPECT_EQ(725, dialog->RValue());
    EXPECT_EQ(QString("200"), edit(*dialog, "HXEdit")->text());

    type(*dialog, "RadiusEdit", "625");
    EXPECT_EQ(QString("250.0"), edit(*dialog, "HXEdit")->text());

    // A rise above half the width is cut to a half circle.
    type(*dialog, "HXEdit", "700");
    EXPECT_EQ(500, dialog->XValue());
    EXPECT_EQ(500, dialog->RValue());
}

TEST_F(PositionDialogTest, PairWidthsFillTheWholeWidth) {
    auto dialog = open();
    dialog->SetShapeIndex(1);
    type(*dialog, "WidthEdit", "1400");
    EXPECT_EQ(700, dialog->XValue());
    EXPECT_EQ(700, dialog->YValue());
    type(*dialog, "HXEdit", "900");
    EXPECT_EQ(500, dialog->YValue());
    type(*dialog, "WidthEdit", "1600");
    EXPECT_EQ(800, dialog->XValue());
    EXPECT_EQ(800, dialog->YValue());
    type(*dialog, "HYEdit", "300");
    EXPECT_EQ(300, dialog->YValue());
    EXPECT_EQ(1600, dialog->WidthValue());
    EXPECT_EQ(1300, dialog->XValue());
    // A second width not below the whole width leaves the first alone.
    edit(*dialog, "HYEdit")->setText("1700");
    emit edit(*dialog, "HYEdit")->textEdited("1700");
    EXPECT_EQ(1300, dialog->XValue());
}

TEST_F(PositionDialogTest, AShapeChangeResetsSizesAndName) {
    struct Case {
        const char* name;
        int shape;
        double x;
        double y;
        double r;
        bool xOn, yOn, rOn;
        const char* posName;
    };
    const Case cases[] = {
        {"rectangle", 0, 0, 0, 0, false, false, false, "Окно: Комплект стандартный"},
        {"pair, right main", 1, 350, 350, 0, true, true, false, "Окно: Комплект штульповый"},
        {"pair, left main", 2, 350, 350, 0, true, true, false, "Окно: Комплект штульповый"},
        {"trapezium", 3, 700, 0, 0, true, false, false, "Окно: Комплект трапеция"},
        {"trapezium mirrored", 4, 700, 0, 0, true, false, false, "Окно: Комплект трапеция"},
        {"triangle", 5, 0, 0, 0, false, false, false, "Окно: Комплект треугольный"},
        {"triangle mirrored", 6, 0, 0, 0, false, false, false, "Окно: Комплект треугольный"},
        {"arch", 7, 350, 0, 350, true, false, true, "Окно: Комплект арка"},
    };
    auto dialog = open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        type(*dialog, "WidthEdit", "1234");
        type(*dialog, "HeightEdit", "999");
        edit(*dialog, "NameEdit")->setText(QString::fromUtf8("своё"));
        // Through another shape, so each row is a change.
        dialog->SetShapeIndex(c.shape == 0 ? 1 : 0);
        dialog->SetShapeIndex(c.shape);
        EXPECT_EQ(700, dialog->WidthValue());
        EXPECT_EQ(1400, dialog->HeightValue());
        EXPECT_EQ(c.x, dialog->XValue());
        EXPECT_EQ(c.y, dialog->YValue());
        EXPECT_EQ(c.r, dialog->RValue());
        EXPECT_EQ(c.xOn, edit(*dialog, "HXEdit")->isEnabled());
        EXPECT_EQ(c.yOn, edit(*dialog, "HYEdit")->isEnabled());
        EXPECT_EQ(c.rOn, edit(*dialog, "RadiusEdit")->isEnabled());
        EXPECT_EQ(QString::fromUtf8(c.posName), edit(*dialog, "NameEdit")->text());
    }
}

TEST_F(PositionDialogTest, OkBuildsTheOutlineWithTheOrdersDefaults) {
    auto dialog = open();
    dialog->SetShapeIndex(1);
    type(*dialog, "WidthEdit", "1400");
    type(*dialog, "HXEdit", "900");
    type(*dialog, "HeightEdit", "1500");
    type(*dialog, "NumEdit", "3");
    dialog->findChild<QComboBox*>("ObjTypeCombo")->setCurrentIndex(1);
    dialog->findChild<QPushButton*>("OkBut")->click();
    EXPECT_EQ(QDialog::Accepted, dialog->result());
    EXPECT_EQ("001", position.No);
    EXPECT_EQ("Окно: Комплект штульповый", position.Name);
    EXPECT_EQ(3, position.Number);
    EXPECT_EQ(1, position.ObjectType);
    EXPECT_EQ(1, position.ConstrType);
    std::int32_t width = 0;
    std::int32_t height = 0;
    position.GetSize(width, height);
    EXPECT_EQ(1400, width);
    EXPECT_EQ(1500, height);
    std::int32_t leftWidth = 0;
    std::int32_t leftHeight = 0;
    position.LeftFlugel.GetSize(leftWidth, leftHeight);
    EXPECT_EQ(900, leftWidth);
    EXPECT_EQ(205, position.LeftFlugel.Dorn);
    EXPECT_EQ(205, position.RightFlugel.Dorn);
    EXPECT_EQ("P1", position.ProfSys);
    EXPECT_EQ("1010", position.FurnSys);
    EXPECT_EQ("C7", position.Color);
    EXPECT_EQ(101, position.Falz);
    EXPECT_EQ(301, position.StulpType);
    EXPECT_EQ(402, position.OpenType);
}

TEST_F(PositionDialogTest, OkAppliesTheMinimumArchRadius) {
    auto dialog = open();
    dialog->SetShapeIndex(7);
    type(*dialog, "WidthEdit", "1000");
    type(*dialog, "RadiusEdit", "300");
    dialog->findChild<QPushButton*>("OkBut")->click();
    EXPECT_EQ(QDialog::Accepted, dialog->result());
    EXPECT_EQ(500, dialog->RValue());
    std::int32_t width = 0;
    std::int32_t height = 0;
    position.GetSize(width, height);
    EXPECT_EQ(1000, width);
    EXPECT_EQ(1400, height);
}

TEST_F(PositionDialogTest, CancelLeavesThePositionAlone) {
    auto dialog = open();
    type(*dialog, "WidthEdit", "1000");
    dialog->findChild<QPushButton*>("CancelBut")->click();
    EXPECT_EQ(QDialog::Rejected, dialog->result());
    EXPECT_EQ("", position.No);
    EXPECT_TRUE(position.LeftFlugel.Lines.empty());
}

// The two pairs differ only in which sash is the main one, which the outline does not show.
TEST_F(PositionDialogTest, EveryFigureHasItsOwnPicture) {
    std::vector<QImage> pictures;
    for (int shape = 0; shape < ShapeCount; ++shape) {
        pictures.push_back(ShapePicture(shape).toImage());
        EXPECT_EQ(QSize(ShapePictureSize, ShapePictureSize), pictures.back().size());
    }
    for (int a = 0; a < ShapeCount; ++a) {
        for (int b = a + 1; b < ShapeCount; ++b) {
            if (a == 1 && b == 2) {
                continue;
            }
            SCOPED_TRACE(std::to_string(a) + " and " + std::to_string(b));
            EXPECT_NE(pictures[a], pictures[b]);
        }
    }
}

} // namespace
} // namespace kvf

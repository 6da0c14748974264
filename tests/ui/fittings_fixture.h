#pragma once
// The fittings dialog's tests run on a private copy of the built demo
// catalog: an order of material 1 with system 1205 and the demo's rebate,
// double-sash and opening codes, positions built like the position dialog
// builds them, and a context with the scripted prompter.

#include "../qt/modal_helper.h"
#include "base/scripted_prompter.h"
#include "catalog/tdm.h"
#include "config/paths.h"
#include "config/registry.h"
#include "config/setup.h"
#include "model/construction.h"
#include "model/order.h"
#include "model/shape.h"
#include "ui/app_context.h"
#include "ui/lookup_combo.h"

#include <QAbstractItemView>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kvf::test {

class DemoCatalogTest : public ::testing::Test {
protected:
    DemoCatalogTest() : registry(dir.path().toStdString() + "/registry.reg") {
        const QString root = dir.path();
        QDir().mkpath(root + "/catalog");
        QDir().mkpath(root + "/registry");
        QDir().mkpath(root + "/reports");
        EXPECT_TRUE(QFile::copy(QString::fromUtf8(KVF_DEMO_CATALOG_DIR "/catalog.sqlite"),
                                root + "/catalog/catalog.sqlite"));
        ScriptedPrompter quiet;
        EXPECT_TRUE(dm.OpenDatabases({(root + "/catalog").toStdString(), (root + "/registry").toStdString(),
                                      (root + "/reports").toStdString()},
                                     quiet));
        EXPECT_TRUE(dm.OpenCatalogTables(quiet));
        order.Material = 1;
        order.FurnSys = "1205";
        order.Falz = 101;
        order.StulpType = 302;
        order.OpenType = 401;
        order.OuterProfColor = "SI";
        order.InnerProfColor = "SI";
        setup.DefProfWidth = 70;
        setup.DefProfThickness = 70;
        context = std::make_unique<TAppContext>(TAppContext{prompter, registry, paths, setup, {}, {}});
        context->Dm = &dm;
    }

    // A new position of shape 0 (one sash), 2 (a pair, the left sash main) or
    // 1 (a pair, the right sash main), sizes in millimetres, backset 215.
    TkvfConstruction& NewPosition(int shape, double width, double height, double left = 0, double right = 0) {
        TkvfConstruction& position = order.AddPosition();
        position.No = "1";
        position.Number = 1;
        position.FurnSys = "1205";
        position.ProfSys = "K9";
        position.Color = "WH";
        position.ConstrType = ShapeConstrType(shape);
        TkvfShapeSizes sizes;
        sizes.B = width;
        sizes.H = height;
        sizes.Shape = static_cast<std::uint8_t>(shape);
        sizes.X = left;
        sizes.Y = right;
        position.SetShape(sizes, 215);
        return position;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompter;
    Registry registry;
    TkvfPaths paths;
    TkvfSetup setup;
    TDM dm;
    TkvfOrder order;
    std::unique_ptr<TAppContext> context;
};

// Drops the list down, moves to the row of `key` and presses Enter, as a user does.
inline void Pick(TLookupCombo* combo, const std::string& key) {
    combo->showPopup();
    const int row = combo->findData(QString::fromStdString(key));
    ASSERT_GE(row, 0) << key << " is not offered by " << combo->objectName().toStdString();
    combo->view()->setCurrentIndex(combo->model()->index(row, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QCoreApplication::processEvents();
    ASSERT_EQ(key, combo->Value());
}

// The keys a drop-down offers, the list closed again without a choice.
inline std::vector<std::string> Offered(TLookupCombo* combo) {
    combo->showPopup();
    std::vector<std::string> keys = combo->OfferedKeys();
    combo->hidePopup();
    QCoreApplication::processEvents();
    return keys;
}

} // namespace kvf::test

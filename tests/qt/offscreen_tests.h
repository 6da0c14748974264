#pragma once
// The main of the Qt and window tests. They need a QApplication on the
// offscreen platform, and never the real user's registry or settings: HOME,
// XDG_CONFIG_HOME and KORVENA_REGISTRY point into a temporary folder for the
// whole run.

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kvf::test {

inline int RunOffscreenTests(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("KORVENA_REGISTRY", (home.path() + "/registry.reg").toUtf8());
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace kvf::test

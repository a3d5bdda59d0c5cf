// The panel's tests: first into a private network namespace (the search is a broadcast), then
// a Qt application on the offscreen platform, then the tests.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

#include "tests/support/private_network.h"

int main(int argc, char** argv) {
    kx::test::EnterPrivateNetwork(argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // The panel's per-user settings (remembered addresses) go to a place of the tests' own.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "support/PrivateXServer.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Every test process gets its own HOME and XDG_CONFIG_HOME, so nothing a test does can reach
// the real user's settings. HUSHPANE_TEST_OWN_DISPLAY=1 gives it an Xvfb of its own as well,
// before Qt connects to a display, for tests that put a whole desktop on the screen.
//
// Listing the tests (--gtest_list_tests, as CTest's discovery does) needs neither a display
// nor a bus: no application is created for it.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QTemporaryDir home;
    if (qEnvironmentVariableIsEmpty("HUSHPANE_TEST_KEEP_HOME")) {
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    }
    std::unique_ptr<hushpane::test::PrivateXServer> display;
    if (qEnvironmentVariableIntValue("HUSHPANE_TEST_OWN_DISPLAY") == 1) {
        display = std::make_unique<hushpane::test::PrivateXServer>(QSize(1024, 768));
        if (!display->isRunning()) {
            qCritical("%s", qPrintable(display->error()));
            return 1;
        }
        qputenv("DISPLAY", display->display().toLocal8Bit());
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

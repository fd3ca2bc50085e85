#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every test process gets its own HOME and XDG_CONFIG_HOME, so nothing a test does can reach
// the real user's settings.
int main(int argc, char** argv) {
    QTemporaryDir home;
    if (qEnvironmentVariableIsEmpty("HUSHPANE_TEST_KEEP_HOME")) {
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

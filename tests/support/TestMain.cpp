#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

#include <unistd.h>

namespace {

constexpr const char* kSessionOption = "--hushpane-session=";

// Runs this test program again inside a session of the shell harness made of the parts named
// (see session_start_parts in scripts/lib/session.sh); returns only when that fails.
int runInSession(const QByteArray& parts, int argc, char** argv) {
    const QByteArray script = HUSHPANE_SOURCE_DIR "/scripts/lib/session.sh";
    const QByteArray self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe")).toLocal8Bit();
    std::vector<char*> args{const_cast<char*>("bash"),
                            const_cast<char*>("-c"),
                            const_cast<char*>(R"(. "$0" && session_run "$@")"),
                            const_cast<char*>(script.constData()),
                            const_cast<char*>(parts.constData()),
                            const_cast<char*>(self.constData())};
    for (int i = 1; i < argc; ++i) {
        if (!QByteArray(argv[i]).startsWith(kSessionOption)) {
            args.push_back(argv[i]);
        }
    }
    args.push_back(nullptr);
    execv("/bin/bash", args.data());
    qCritical("cannot start bash for the test session");
    return 1;
}

}  // namespace

// Every test process gets its own HOME and XDG_CONFIG_HOME, so nothing a test does can reach
// the real user's settings. --hushpane-session=PARTS (anywhere among the arguments) runs it in
// a session of the shell harness (window manager, tray panel, bus, a whole desktop, ...); with
// HUSHPANE_TEST_KEEP_HOME=1 it keeps that session's HOME.
//
// Listing the tests (--gtest_list_tests, as CTest's discovery does) needs neither a display
// nor a bus: no application is created for it.
int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument.startsWith(kSessionOption)) {
            return runInSession(argument.mid(qstrlen(kSessionOption)), argc, argv);
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    QTemporaryDir home;
    if (qEnvironmentVariableIsEmpty("HUSHPANE_TEST_KEEP_HOME")) {
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

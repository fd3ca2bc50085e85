#include "support/PrivateXServer.h"
#include "support/TestPaths.h"

#include <QProcess>

#include <gtest/gtest.h>

// The library on Qt's X11 platform with real grabs, a real menu and a real recorder, driven
// by xdotool on a server of its own.
TEST(X11ShortcutsEndToEnd, HotKeysMenusAndRecordingOnARealServer) {
    hushpane::test::PrivateXServer server;
    ASSERT_TRUE(server.isRunning()) << qPrintable(server.error());

    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), server.display());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    probe.setProcessEnvironment(environment);
    probe.start(hushpane::test::buildDirectory() + QStringLiteral("/tests/bin/x11_shortcuts_probe"),
                {});
    ASSERT_TRUE(probe.waitForFinished(90000)) << qPrintable(probe.errorString());
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().constData();
    const QStringList lines =
        QString::fromUtf8(probe.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);

    EXPECT_EQ(lines, (QStringList{
                         QStringLiteral("hot key: 1"),
                         QStringLiteral("in menu: 1 still open: 1"),
                         QStringLiteral("recording on open: 0"),
                         QStringLiteral("recorded: Shift+Super+K 40/768"),
                         QStringLiteral("new hot key: 1"),
                         // The key right of T: stored by position, shown as the layout prints it.
                         QStringLiteral("recorded on de: Ctrl+Alt+Z 16/6144"),
                         QStringLiteral("own hot key reaches the recorder: 1"),
                         // Escape, a click away, focus loss, the window closed.
                         QStringLiteral("hot key after recording: 1"),
                         QStringLiteral("hot key after recording: 1"),
                         QStringLiteral("hot key after recording: 1"),
                         QStringLiteral("hot key after recording: 1"),
                         QStringLiteral("clear button click clears: 1"),
                     }));
}

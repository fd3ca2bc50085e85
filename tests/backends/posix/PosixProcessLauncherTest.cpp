#include "backends/posix/PosixProcessLauncher.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hushpane;

TEST(PosixProcessLauncher, RunsWithArgumentsAndNoShellAndReportsTheExitStatus) {
    PosixProcessLauncher launcher;
    // A shell would expand the argument; run without one it is passed through as is.
    auto ok =
        launcher.launch(QStringLiteral("/bin/sh"),
                        {QStringLiteral("-c"), QStringLiteral("exit 3"), QStringLiteral("$HOME")});
    ASSERT_TRUE(ok.process);
    EXPECT_EQ(launcher.waitUntilExit(*ok.process), 3);

    QTemporaryDir dir;
    const QString marker = dir.path() + QStringLiteral("/a b;c");
    auto touch = launcher.launch(QStringLiteral("/usr/bin/touch"), {marker});
    ASSERT_TRUE(touch.process);
    EXPECT_EQ(launcher.waitUntilExit(*touch.process), 0);
    EXPECT_TRUE(QFile::exists(marker));

    auto killed = launcher.launch(QStringLiteral("/bin/sh"),
                                  {QStringLiteral("-c"), QStringLiteral("kill -9 $$")});
    ASSERT_TRUE(killed.process);
    EXPECT_EQ(launcher.waitUntilExit(*killed.process), 9);
}

TEST(PosixProcessLauncher, LaunchFailuresCarryAReadableDescription) {
    PosixProcessLauncher launcher;
    auto missing =
        launcher.launch(QStringLiteral("/nonexistent/killall"), {QStringLiteral("Finder")});
    EXPECT_FALSE(missing.process);
    EXPECT_EQ(missing.errorDescription, QStringLiteral("No such file or directory"));

    QTemporaryDir dir;
    QFile notExecutable(dir.path() + QStringLiteral("/tool"));
    ASSERT_TRUE(notExecutable.open(QIODevice::WriteOnly));
    notExecutable.write("#!/bin/sh\n");
    notExecutable.close();
    auto denied = launcher.launch(notExecutable.fileName(), {});
    EXPECT_FALSE(denied.process);
    EXPECT_EQ(denied.errorDescription, QStringLiteral("Permission denied"));
}

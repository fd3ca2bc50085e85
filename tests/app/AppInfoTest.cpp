// Where the login item and the desktop's shortcuts find the command that starts Hushpane: the
// launcher, installed (<prefix>/bin/hushpane) and in the build tree (build/hushpane).

#include "app/AppInfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

void makeExecutable(const QString& path, bool executable = true) {
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                   : QFile::ReadOwner | QFile::WriteOwner);
}

}  // namespace

TEST(AppInfo, TheLauncherIsFoundInstalledAndInTheBuildTreeAndOnlyWhereItRuns) {
    const QTemporaryDir prefix;
    const QString program = prefix.filePath(QStringLiteral("libexec/hushpane"));
    ASSERT_TRUE(QDir().mkpath(program));
    EXPECT_EQ(AppInfo::launcherBeside(program), std::nullopt);

    // build/hushpane beside build/libexec/hushpane/hushpane; a file that cannot run is no launcher.
    makeExecutable(prefix.filePath(QStringLiteral("hushpane")), false);
    EXPECT_EQ(AppInfo::launcherBeside(program), std::nullopt);
    makeExecutable(prefix.filePath(QStringLiteral("hushpane")));
    EXPECT_EQ(AppInfo::launcherBeside(program), prefix.filePath(QStringLiteral("hushpane")));

    // Installed, <prefix>/bin/hushpane comes first.
    makeExecutable(prefix.filePath(QStringLiteral("bin/hushpane")));
    EXPECT_EQ(AppInfo::launcherBeside(program), prefix.filePath(QStringLiteral("bin/hushpane")));
}

#include "backends/finder/FinderDesktopSwitch.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixProcessLauncher.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryProcessLauncher.h"
#include "support/LogCapture.h"
#include "support/TestPaths.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

const QString kCategory = QStringLiteral("app.hushpane.desktop");

class FinderSwitchOnDisk : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file() const { return dir.path() + QStringLiteral("/com.apple.finder.plist"); }

    // Stores `xmlValue` under CreateDesktop in a hand-written plist file, then reads it back the
    // way the switch does at start.
    bool readsAs(const QByteArray& xmlValue) {
        QFile f(file());
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
            "<key>Other</key><string>kept</string>\n" +
            (xmlValue.isEmpty() ? QByteArray() : "<key>CreateDesktop</key>" + xmlValue) +
            "\n</dict>\n</plist>\n");
        f.close();
        PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
        test::InMemoryProcessLauncher launcher;
        return FinderDesktopSwitch(domain, launcher).createsDesktop();
    }
};

// A Finder stand-in that the real killall can end.
class StandInFinder {
public:
    StandInFinder() {
        process.start(test::standInFinderPath(), {});
        process.waitForStarted(5000);
    }
    ~StandInFinder() {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    bool endedBySignal() {
        return process.waitForFinished(5000) && process.exitStatus() == QProcess::CrashExit;
    }
    QProcess process;
};

}  // namespace

TEST_F(FinderSwitchOnDisk, ReadsEveryStoredFormAsTheFinderWould) {
    EXPECT_TRUE(readsAs({}));  // absent
    EXPECT_FALSE(readsAs("<integer>0</integer>"));
    EXPECT_TRUE(readsAs("<integer>2</integer>"));
    EXPECT_TRUE(readsAs("<integer>-1</integer>"));
    EXPECT_FALSE(readsAs("<real>0.0</real>"));
    EXPECT_FALSE(readsAs("<false/>"));
    EXPECT_TRUE(readsAs("<true/>"));
    for (const char* hidden : {"no", "NO", "false", "False", "FALSE", "0"}) {
        EXPECT_FALSE(readsAs(QByteArray("<string>") + hidden + "</string>")) << hidden;
    }
    for (const char* shown : {" no", "off", "00", "", "yes", "n", "no "}) {
        EXPECT_TRUE(readsAs(QByteArray("<string>") + shown + "</string>")) << '"' << shown << '"';
    }
    EXPECT_TRUE(readsAs("<data>AAE=</data>"));
    EXPECT_TRUE(readsAs("<date>2024-01-01T00:00:00Z</date>"));
    EXPECT_TRUE(readsAs("<array><false/></array>"));
    EXPECT_TRUE(readsAs("<dict><key>a</key><false/></dict>"));
}

TEST_F(FinderSwitchOnDisk, HideWritesAPlistBooleanEndsFinderAndLogs) {
    PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
    domain.setValue(QStringLiteral("ShowPathbar"), QVariant(true));
    ASSERT_TRUE(domain.synchronize());
    PosixProcessLauncher launcher;
    FinderDesktopSwitch finder(domain, launcher);

    StandInFinder standIn;
    ASSERT_EQ(standIn.process.state(), QProcess::Running);
    test::LogCapture log;
    EXPECT_EQ(finder.setCreatesDesktop(false), std::nullopt);
    EXPECT_TRUE(standIn.endedBySignal());

    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray xml = f.readAll();
    EXPECT_TRUE(xml.contains("<key>CreateDesktop</key>\n\t<false/>")) << xml.constData();
    EXPECT_TRUE(xml.contains("<key>ShowPathbar</key>"));
    EXPECT_EQ(
        log.formatted(kCategory),
        QStringList{QStringLiteral("info: Finder CreateDesktop set to false; relaunching Finder")});

    // Showing again, now with no Finder left to end: killall's failure is only logged.
    log.clear();
    EXPECT_EQ(finder.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(
        log.formatted(kCategory),
        (QStringList{QStringLiteral("info: Finder CreateDesktop set to true; relaunching Finder"),
                     QStringLiteral("error: killall Finder exited with status 1")}));
    EXPECT_TRUE(PlistPreferenceDomain(QStringLiteral("x"), file())
                    .copyValue(QStringLiteral("CreateDesktop"))
                    ->toBool());
}

TEST_F(FinderSwitchOnDisk, MissingKillallIsTheOneFailureTheUserSees) {
    PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"), file());
    PosixProcessLauncher launcher;
    FinderDesktopSwitch finder(domain, launcher, dir.path() + QStringLiteral("/no/killall"));
    test::LogCapture log;
    EXPECT_EQ(finder.setCreatesDesktop(false),
              QStringLiteral("Couldn't restart Finder: No such file or directory"));
    EXPECT_EQ(log.formatted(kCategory).last(),
              QStringLiteral("error: Couldn't run killall: No such file or directory"));
    EXPECT_EQ(log.formatted(kCategory).size(), 2);
    // Not applied, so not kept either: the next Finder would otherwise hide the icons.
    EXPECT_TRUE(finder.createsDesktop());
    EXPECT_TRUE(PlistPreferenceDomain(QStringLiteral("x"), file())
                    .copyValue(QStringLiteral("CreateDesktop"))
                    .value_or(true)
                    .toBool());
}

// The preferences folder is a regular file: nothing can be stored, so Finder is left alone
// and the user is told.
TEST_F(FinderSwitchOnDisk, AWriteThatFailsIsAFailedHideWithoutARestart) {
    QFile blocker(dir.path() + QStringLiteral("/Preferences"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"),
                                 blocker.fileName() + QStringLiteral("/com.apple.finder.plist"));
    test::InMemoryProcessLauncher launcher;
    FinderDesktopSwitch finder(domain, launcher);
    test::LogCapture log;

    const std::optional<QString> error = finder.setCreatesDesktop(false);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->startsWith(QStringLiteral("Couldn't hide the desktop icons: ")))
        << error->toStdString();
    // The store's own reason reaches the user, not a sentence that could mean anything.
    ASSERT_FALSE(domain.lastError().isEmpty());
    EXPECT_TRUE(error->contains(domain.lastError().chopped(domain.lastError().endsWith(u'.'))))
        << error->toStdString();
    EXPECT_TRUE(launcher.launches.isEmpty());
    EXPECT_TRUE(finder.createsDesktop());
    EXPECT_EQ(log.formatted(kCategory).last().left(6), QStringLiteral("error:"));
}

TEST(FinderSwitch, RunsKillallOnceWithFinderAfterAStoredChangeOnly) {
    test::InMemoryPreferenceDomain domain;
    test::InMemoryProcessLauncher launcher;
    FinderDesktopSwitch finder(domain, launcher);
    EXPECT_EQ(finder.setCreatesDesktop(false), std::nullopt);
    ASSERT_EQ(launcher.launches.size(), 1);
    EXPECT_EQ(launcher.launches[0].executable, QStringLiteral("/usr/bin/killall"));
    EXPECT_EQ(launcher.launches[0].arguments, QStringList{QStringLiteral("Finder")});
    EXPECT_EQ(launcher.waited.size(), 1);
    const auto stored = domain.stored.value(QStringLiteral("CreateDesktop"));
    EXPECT_EQ(stored.typeId(), QMetaType::Bool);
    EXPECT_FALSE(stored.toBool());

    // The store refuses the next change: no restart, the value read stays the stored one.
    domain.failSynchronize = true;
    domain.failReason = QStringLiteral("no space left on the device.");
    EXPECT_EQ(finder.setCreatesDesktop(true),
              QStringLiteral("Couldn't show the desktop icons: no space left on the device."));
    EXPECT_EQ(launcher.launches.size(), 1);
    EXPECT_FALSE(finder.createsDesktop());
}

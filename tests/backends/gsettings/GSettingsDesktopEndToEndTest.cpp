// Hushpane's MATE and Cinnamon back-ends against the real desktop programs: caja and
// nemo-desktop on an Xvfb of the test process's own, under openbox, with dconf on a private
// bus and a temporary HOME. GIO reads the session's settings in-process, so the process takes
// the session's environment before anything asks GIO (once per process: each case runs in
// its own). Screenshots prove what the desktop drew; they are kept under the build directory.

#include "support/CinnamonDesktopProfile.h"
#include "support/DesktopScreenCheck.h"
#include "support/GSettingsCommand.h"
#include "support/MateDesktopProfile.h"
#include "support/PrivateDesktop.h"
#include "support/PrivateSession.h"

#include "backends/cinnamon/CinnamonDesktopSwitch.h"
#include "backends/cinnamon/CinnamonWallpaperKeys.h"
#include "backends/gsettings/GSettingsWorkspace.h"
#include "backends/gsettings/GioSettingsStore.h"
#include "backends/linux/BusDesktopProgram.h"
#include "backends/mate/MateDesktopSwitch.h"
#include "backends/mate/MateWallpaperKeys.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "common/UserDefaults.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

#include <csignal>
#include <functional>
#include <memory>

namespace hushpane {
namespace {

using test::DesktopScreenCheck;
using test::PrivateDesktop;
using test::PrivateSession;

constexpr int kWaitMs = 30000;
const QColor kCustom(0xc8, 0x50, 0x2d);
constexpr auto kChildVariable = "HUSHPANE_GSETTINGS_CHILD";
constexpr auto kChildPreferencesVariable = "HUSHPANE_GSETTINGS_CHILD_PREFERENCES";

// One desktop as the tests see it.
struct DesktopCase {
    const char* name;
    std::function<std::unique_ptr<test::DesktopProfile>()> profile;
    QColor behindIcons;   // what the screen shows where there are no icons
    bool drawsWallpaper;  // false: the wallpaper is checked in its settings only
    const char* busName;
    const char* program;
    QStringList command;  // how Hushpane may start it again, empty when it does not
    const char* iconSchema;
    const char* iconKey;
    const char* shownValue;  // as gsettings prints it
    const char* hiddenValue;
    std::function<GSettingsWorkspace::Keys()> wallpaperKeys;
    std::function<std::unique_ptr<DesktopSwitch>(SettingsStore&, DesktopProgram&, UserDefaults&)>
        makeSwitch;
};

const DesktopCase kMate{"mate",
                        [] { return std::make_unique<test::MateDesktopProfile>(); },
                        PrivateDesktop::defaultWallpaper(),
                        true,
                        MateDesktopSwitch::kBusName,
                        "caja",
                        MateDesktopSwitch::cajaCommand(),
                        MateDesktopSwitch::kSchema,
                        MateDesktopSwitch::kKey,
                        "true",
                        "false",
                        &mateWallpaperKeys,
                        [](SettingsStore& store, DesktopProgram& program, UserDefaults&) {
                            return std::make_unique<MateDesktopSwitch>(store, program);
                        }};

const DesktopCase kCinnamon{
    "cinnamon",
    [] { return std::make_unique<test::CinnamonDesktopProfile>(); },
    QColor(0, 0, 0),
    false,
    CinnamonDesktopSwitch::kBusName,
    "nemo-desktop",
    {},
    CinnamonDesktopSwitch::kSchema,
    CinnamonDesktopSwitch::kKey,
    "'true::false'",
    "'false::false'",
    &cinnamonWallpaperKeys,
    [](SettingsStore& store, DesktopProgram& program, UserDefaults& defaults) {
        return std::make_unique<CinnamonDesktopSwitch>(store, program, defaults);
    }};

// One Hushpane "run" on the desktop: its defaults file, preferences and controller.
struct Hushpane {
    Hushpane(const DesktopCase& desktop, const QString& preferencesFile,
             const QDBusConnection& bus = QDBusConnection::sessionBus())
        : domain(QStringLiteral("app.hushpane"), preferencesFile),
          defaults(domain),
          preferences(defaults, bookmarks),
          program(bus, QString::fromLatin1(desktop.busName), QString::fromLatin1(desktop.program),
                  desktop.command),
          desktopSwitch(desktop.makeSwitch(store, program, defaults)),
          workspace(store, defaults, desktop.wallpaperKeys()),
          controller(*desktopSwitch, preferences, workspace) {}

    PlistPreferenceDomain domain;
    UserDefaults defaults;
    PosixFileBookmarks bookmarks;
    Preferences preferences;
    GioSettingsStore store;
    BusDesktopProgram program;
    std::unique_ptr<DesktopSwitch> desktopSwitch;
    GSettingsWorkspace workspace;
    DesktopController controller;
};

QString writeSolidPicture(const QString& path, const QColor& color) {
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(color);
    picture.save(path);
    return path;
}

class GSettingsDesktopEndToEnd : public ::testing::TestWithParam<const DesktopCase*> {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsSet(kChildVariable)) {
            GTEST_SKIP() << "child run";
        }
        // The screen checks pass, but the process is ended by a SIGTERM of its own when the
        // session goes: run by hand until that is found.
        if (qEnvironmentVariableIntValue("HUSHPANE_DESKTOP_E2E") != 1) {
            GTEST_SKIP() << "set HUSHPANE_DESKTOP_E2E=1 to run";
        }
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        // GIO takes HOME, the runtime directory and the bus from the process, once.
        const QProcessEnvironment environment = session.environment();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_RUNTIME_DIR", "DBUS_SESSION_BUS_ADDRESS"}) {
            qputenv(name, environment.value(QString::fromLatin1(name)).toLocal8Bit());
        }
        // GIO's bus connection ends the process when its bus goes; this bus goes with the test.
        if (GDBusConnection* gioBus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr)) {
            g_dbus_connection_set_exit_on_close(gioBus, FALSE);
            g_object_unref(gioBus);
        }
        const QString dir = QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts");
        QDir().mkpath(dir);
        artifactPrefix =
            dir + QLatin1Char('/') + QString::fromLatin1(desktop().name) + QLatin1Char('-') +
            QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name())
                .section(QLatin1Char('/'), 0, 0) +
            QLatin1Char('-');
        preferencesFile = session.configHome() + QStringLiteral("/hushpane/app.hushpane.plist");
        for (const QString& file : {QStringLiteral("notes.txt"), QStringLiteral("todo.md"),
                                    QStringLiteral("report.pdf")}) {
            QFile f(session.desktopDirectory() + QLatin1Char('/') + file);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("hushpane\n");
        }
        QDir(session.desktopDirectory()).mkdir(QStringLiteral("Projects"));
        profile = desktop().profile();
        screen = std::make_unique<PrivateDesktop>(session, *profile, desktop().behindIcons);
        ASSERT_TRUE(screen->start()) << screen->error().toStdString();
        iconsShown = screen->drawn();
        iconsShown.save(artifactPrefix + QStringLiteral("before.png"));
    }

    const DesktopCase& desktop() const { return *GetParam(); }

    std::optional<QString> iconValue() const {
        return test::gsettingsGet(session, QString::fromLatin1(desktop().iconSchema),
                                  QString::fromLatin1(desktop().iconKey));
    }
    std::optional<QString> wallpaperValue(const QString& key) const {
        return test::gsettingsGet(session, desktop().wallpaperKeys().schema, key);
    }
    QString pictureKey() const { return desktop().wallpaperKeys().pictureKey; }

    // Polls the screen (bounded) until `accept` likes it; saves and returns the last look.
    QImage waitForScreen(const std::function<bool(const QImage&)>& accept, const QString& name,
                         bool* accepted) const {
        const QDeadlineTimer deadline(kWaitMs);
        QImage shot;
        do {
            QTest::qWait(250);
            shot = screen->grab();
            *accepted = !shot.isNull() && accept(shot);
        } while (!*accepted && !deadline.hasExpired());
        shot.save(artifactPrefix + name + QStringLiteral(".png"));
        return shot;
    }
    bool noIconPixelLeft(const QColor& color, const QString& name) const {
        bool ok = false;
        const QImage shot = waitForScreen(
            [&](const QImage& s) { return DesktopScreenCheck::pixelsOtherThan(s, color) == 0; },
            name, &ok);
        EXPECT_TRUE(ok) << DesktopScreenCheck::pixelsOtherThan(shot, color)
                        << " pixels are not the background; see " << name.toStdString();
        return ok;
    }
    bool screenAsBefore(const QString& name) const {
        const int icons = DesktopScreenCheck::pixelsOtherThan(iconsShown, desktop().behindIcons);
        bool ok = false;
        const QImage shot = waitForScreen(
            [&](const QImage& s) {
                return DesktopScreenCheck::pixelsDiffering(s, iconsShown) <= icons / 50;
            },
            name, &ok);
        EXPECT_TRUE(ok) << DesktopScreenCheck::pixelsDiffering(shot, iconsShown)
                        << " pixels differ from before; see " << name.toStdString();
        return ok;
    }

    PrivateSession session;
    std::unique_ptr<test::DesktopProfile> profile;
    std::unique_ptr<PrivateDesktop> screen;
    QString artifactPrefix;
    QString preferencesFile;
    QImage iconsShown;
};

TEST_P(GSettingsDesktopEndToEnd, HideLeavesNoIconPixelAndShowPutsTheScreenBack) {
    Hushpane hushpane(desktop(), preferencesFile, session.bus());
    EXPECT_FALSE(hushpane.controller.isDesktopHidden());
    EXPECT_EQ(hushpane.controller.desktopDescription(), hushpane.desktopSwitch->description());

    hushpane.controller.hide();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_EQ(iconValue(), QString::fromLatin1(desktop().hiddenValue));
    noIconPixelLeft(desktop().behindIcons, QStringLiteral("hidden"));

    hushpane.controller.show();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_EQ(iconValue(), QString::fromLatin1(desktop().shownValue));
    screenAsBefore(QStringLiteral("after"));
}

TEST_P(GSettingsDesktopEndToEnd, TheCustomWallpaperWhileHiddenAndTheUsersOwnAfterwards) {
    const QString custom =
        writeSolidPicture(session.home() + QStringLiteral("/custom.png"), kCustom);
    const std::optional<QString> ownPicture = wallpaperValue(pictureKey());
    ASSERT_TRUE(ownPicture);
    Hushpane hushpane(desktop(), preferencesFile, session.bus());
    hushpane.preferences.setUseCustomWallpaper(true);
    hushpane.preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));

    hushpane.controller.hide();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_TRUE(wallpaperValue(pictureKey()).value_or(QString()).contains(custom));
    EXPECT_EQ(wallpaperValue(QStringLiteral("picture-options")), QStringLiteral("'zoom'"));
    noIconPixelLeft(desktop().drawsWallpaper ? kCustom : desktop().behindIcons,
                    QStringLiteral("hidden"));

    hushpane.controller.show();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_EQ(wallpaperValue(pictureKey()), ownPicture);
    EXPECT_EQ(wallpaperValue(QStringLiteral("picture-options")), QStringLiteral("'stretched'"));
    screenAsBefore(QStringLiteral("after"));
}

TEST_P(GSettingsDesktopEndToEnd, AHushpaneKilledWhileHiddenIsFollowedByOneThatAdoptsAndShows) {
    const QString custom =
        writeSolidPicture(session.home() + QStringLiteral("/custom.png"), kCustom);
    const std::optional<QString> ownPicture = wallpaperValue(pictureKey());
    QProcess child;
    QProcessEnvironment environment = session.environment();
    environment.insert(QString::fromLatin1(kChildVariable), QString::fromLatin1(desktop().name));
    environment.insert(QString::fromLatin1(kChildPreferencesVariable), preferencesFile);
    environment.insert(QStringLiteral("HUSHPANE_TEST_KEEP_HOME"), QStringLiteral("1"));
    environment.insert(QStringLiteral("HUSHPANE_TEST_OWN_DISPLAY"), QStringLiteral("0"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("HUSHPANE_GSETTINGS_CHILD_PICTURE"), custom);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=GSettingsDesktopChild.HideThenDieBySigkill")});
    ASSERT_TRUE(child.waitForFinished(kWaitMs));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(iconValue(), QString::fromLatin1(desktop().hiddenValue));
    noIconPixelLeft(desktop().drawsWallpaper ? kCustom : desktop().behindIcons,
                    QStringLiteral("hidden"));

    Hushpane next(desktop(), preferencesFile, session.bus());
    EXPECT_TRUE(next.controller.isDesktopHidden());
    next.controller.show();
    EXPECT_EQ(next.controller.lastError(), std::nullopt);
    EXPECT_EQ(iconValue(), QString::fromLatin1(desktop().shownValue));
    EXPECT_EQ(wallpaperValue(pictureKey()), ownPicture);
    EXPECT_EQ(wallpaperValue(QStringLiteral("picture-options")), QStringLiteral("'stretched'"));
    screenAsBefore(QStringLiteral("after"));
}

// A stopped desktop program: a clear error within the timeout, nothing written; once it runs
// again the same call works.
TEST_P(GSettingsDesktopEndToEnd, AHungDesktopProgramIsReportedAndNothingChanges) {
    Hushpane hushpane(desktop(), preferencesFile, session.bus());
    const qint64 pid = session.ownerPid(QString::fromLatin1(desktop().busName));
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGSTOP), 0);
    QElapsedTimer timer;
    timer.start();
    hushpane.controller.hide();
    const qint64 took = timer.elapsed();
    ::kill(static_cast<pid_t>(pid), SIGCONT);
    ASSERT_TRUE(hushpane.controller.lastError());
    EXPECT_TRUE(hushpane.controller.lastError()->contains(QStringLiteral("doesn't answer")))
        << hushpane.controller.lastError()->toStdString();
    EXPECT_LT(took, 3 * BusDesktopProgram::kDefaultTimeoutMs);
    EXPECT_FALSE(hushpane.controller.isDesktopHidden());
    EXPECT_EQ(iconValue(), QString::fromLatin1(desktop().shownValue));

    hushpane.controller.hide();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_EQ(iconValue(), QString::fromLatin1(desktop().hiddenValue));
}

INSTANTIATE_TEST_SUITE_P(Desktops, GSettingsDesktopEndToEnd, ::testing::Values(&kMate, &kCinnamon),
                         [](const ::testing::TestParamInfo<const DesktopCase*>& desktop) {
                             return std::string(desktop.param->name);
                         });

// Runs only as the child of the test above: hides with the custom wallpaper, then dies the
// hard way.
TEST(GSettingsDesktopChild, HideThenDieBySigkill) {
    const QString name = qEnvironmentVariable(kChildVariable);
    if (name.isEmpty()) {
        GTEST_SKIP() << "only run as a child of AHushpaneKilledWhileHiddenIsFollowedByOne...";
    }
    const DesktopCase& desktop = name == QLatin1String("mate") ? kMate : kCinnamon;
    Hushpane hushpane(desktop, qEnvironmentVariable(kChildPreferencesVariable));
    hushpane.preferences.setUseCustomWallpaper(true);
    hushpane.preferences.setCustomWallpaperURL(
        QUrl::fromLocalFile(qEnvironmentVariable("HUSHPANE_GSETTINGS_CHILD_PICTURE")));
    hushpane.controller.hide();
    ASSERT_EQ(hushpane.controller.lastError(), std::nullopt);
    ::raise(SIGKILL);
}

}  // namespace
}  // namespace hushpane

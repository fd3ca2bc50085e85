// Hushpane on MATE and Cinnamon against the real desktop programs: caja and nemo-desktop on an
// Xvfb of the test process's own, under openbox, with dconf on a private bus and a temporary
// HOME. The real hushpane program is driven as a user drives it (URL commands, the global
// shortcut, a SIGKILL and a new start); the hung desktop program is met in-process, where the
// error and the time it took can be read. Screenshots prove what the desktop drew; they are
// kept under the build directory (tests/backends/gsettings/artifacts/).

#include "support/CinnamonDesktopProfile.h"
#include "support/DesktopScreenshots.h"
#include "support/GSettingsCommand.h"
#include "support/GioSession.h"
#include "support/MateDesktopProfile.h"
#include "support/PrivateDesktop.h"
#include "support/PrivateSession.h"
#include "support/TestPaths.h"

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

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <iostream>
#include <memory>

namespace hushpane {
namespace {

using test::DesktopScreenshots;
using test::PrivateDesktop;
using test::PrivateSession;

constexpr int kWaitMs = 30000;
const QColor kCustom(0xc8, 0x50, 0x2d);

// One desktop as the tests see it.
struct DesktopCase {
    const char* name;
    std::function<std::unique_ptr<test::DesktopProfile>()> profile;
    QColor behindIcons;  // what the screen shows where there are no icons
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

// Hushpane's own objects in this process, on the session's settings and bus.
struct InProcessHushpane {
    InProcessHushpane(const DesktopCase& desktop, const QString& preferencesFile,
                      const QDBusConnection& bus)
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

// The state letter of a process as the kernel shows it ('T' once it is stopped).
char processState(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return '?';
    }
    // "pid (comm) S ...": the name may hold spaces, the state follows its closing bracket.
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() ? text.at(close + 2) : '?';
}

class GSettingsDesktopEndToEnd : public ::testing::TestWithParam<const DesktopCase*> {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        preferencesFile =
            session.configHome() + QStringLiteral("/hushpane/Preferences/app.hushpane.plist");
        ASSERT_TRUE(session.addSampleDesktopItems());
        profile = desktop().profile();
        screen = std::make_unique<PrivateDesktop>(session, *profile, desktop().behindIcons);
        ASSERT_TRUE(screen->start()) << screen->error().toStdString();
        iconsShown = screen->drawn();
        shots = std::make_unique<DesktopScreenshots>(
            *screen, DesktopScreenshots::artifactPrefix(QString::fromLatin1(desktop().name)));
        iconsShown.save(shots->fileFor(QStringLiteral("before")));
    }

    void TearDown() override {
        stopHushpane();
        if (HasFailure()) {
            QFile log(logFile());
            if (log.open(QIODevice::ReadOnly)) {
                std::cerr << "hushpane's log:\n" << log.readAll().toStdString();
            }
        }
    }

    const DesktopCase& desktop() const { return *GetParam(); }
    QString logFile() const { return session.home() + QStringLiteral("/hushpane.log"); }

    // The real program, started as the session would start it: its log goes to logFile().
    QProcessEnvironment hushpaneEnvironment() const {
        QProcessEnvironment environment = session.environment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("QT_LOGGING_RULES"),
                           QStringLiteral("app.hushpane.*=true"));
        return environment;
    }
    void startHushpane() {
        app = std::make_unique<QProcess>();
        app->setProcessEnvironment(hushpaneEnvironment());
        app->setStandardOutputFile(QProcess::nullDevice());
        app->setStandardErrorFile(logFile(), QIODevice::Append);
        app->start(test::buildDirectory() + QStringLiteral("/hushpane"), {});
        ASSERT_TRUE(app->waitForStarted(kWaitMs));
        // Launched once it answers as the instance and the shortcut it registers is stored.
        const auto launched = [this] {
            PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), preferencesFile);
            return session.ownerPid(QStringLiteral("app.hushpane")) == app->processId() &&
                   domain.snapshot().contains(QStringLiteral("KeyboardShortcuts_toggleDesktop"));
        };
        ASSERT_TRUE(QTest::qWaitFor(launched, kWaitMs)) << "hushpane did not finish launching";
    }
    void stopHushpane() {
        if (app && app->state() != QProcess::NotRunning) {
            app->kill();
            app->waitForFinished(kWaitMs);
        }
    }
    // A second start with these arguments, which hands them to the running one.
    void command(const QString& url) const {
        QProcess second;
        second.setProcessEnvironment(hushpaneEnvironment());
        second.start(test::buildDirectory() + QStringLiteral("/hushpane"), {url});
        ASSERT_TRUE(second.waitForFinished(kWaitMs));
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    }
    // The global shortcut, pressed on the session's display.
    void pressShortcut() const {
        QProcess xdotool;
        xdotool.setProcessEnvironment(session.environment());
        xdotool.start(QStringLiteral("xdotool"),
                      {QStringLiteral("key"), QStringLiteral("--clearmodifiers"),
                       QStringLiteral("ctrl+alt+super+d")});
        ASSERT_TRUE(xdotool.waitForFinished(kWaitMs));
        ASSERT_EQ(xdotool.exitCode(), 0);
    }

    std::optional<QString> iconValue() const {
        return test::gsettingsGet(session, QString::fromLatin1(desktop().iconSchema),
                                  QString::fromLatin1(desktop().iconKey));
    }
    // Waits (bounded) until the desktop's icon setting reads `value`.
    bool iconValueBecomes(const char* value) const {
        const bool reached =
            QTest::qWaitFor([&] { return iconValue() == QString::fromLatin1(value); }, kWaitMs);
        EXPECT_TRUE(reached) << "the icon setting reads "
                             << iconValue().value_or(QStringLiteral("nothing")).toStdString()
                             << ", not " << value;
        return reached;
    }
    std::optional<QString> wallpaperValue(const QString& key) const {
        return test::gsettingsGet(session, desktop().wallpaperKeys().schema, key);
    }
    QString pictureKey() const { return desktop().wallpaperKeys().pictureKey; }

    void hidden(const QString& name, const QColor& background) const {
        if (iconValueBecomes(desktop().hiddenValue)) {
            shots->expectOnly(background, name);
        }
    }
    void shown(const QString& name) const {
        if (iconValueBecomes(desktop().shownValue)) {
            shots->expectAsBefore(iconsShown, desktop().behindIcons, name);
        }
    }

    PrivateSession session;
    std::unique_ptr<test::DesktopProfile> profile;
    std::unique_ptr<PrivateDesktop> screen;
    std::unique_ptr<DesktopScreenshots> shots;
    std::unique_ptr<QProcess> app;
    QString preferencesFile;
    QImage iconsShown;
};

TEST_P(GSettingsDesktopEndToEnd, UrlCommandsAndTheShortcutHideEveryIconAndShowTheScreenAsBefore) {
    startHushpane();
    command(QStringLiteral("hushpane://hide"));
    hidden(QStringLiteral("hidden-url"), desktop().behindIcons);
    command(QStringLiteral("hushpane://show"));
    shown(QStringLiteral("after-url"));

    pressShortcut();
    hidden(QStringLiteral("hidden-shortcut"), desktop().behindIcons);
    pressShortcut();
    shown(QStringLiteral("after-shortcut"));
}

// The custom picture goes up with the hide and stays across a Hushpane killed while hidden;
// the next start adopts the hidden desktop, so a toggle shows it and puts the user's own
// wallpaper back, with how it was drawn.
TEST_P(GSettingsDesktopEndToEnd, ACustomWallpaperSurvivesASigkillAndTheUsersOwnComesBack) {
    const QString custom =
        PrivateDesktop::writeSolidPicture(session.home() + QStringLiteral("/custom.png"), kCustom);
    const std::optional<QString> ownPicture = wallpaperValue(pictureKey());
    ASSERT_TRUE(ownPicture);
    {
        PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), preferencesFile);
        UserDefaults defaults(domain);
        PosixFileBookmarks bookmarks;
        Preferences preferences(defaults, bookmarks);
        preferences.setUseCustomWallpaper(true);
        preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));
    }
    startHushpane();
    command(QStringLiteral("hushpane://hide"));
    // Nothing here draws the picture while hidden: caja leaves with its icons (a MATE session's
    // settings daemon draws the wallpaper then) and nemo-desktop never draws one (Cinnamon's
    // shell does). So the screen is checked for icons, the picture in the settings.
    hidden(QStringLiteral("hidden"), desktop().behindIcons);
    EXPECT_TRUE(wallpaperValue(pictureKey()).value_or(QString()).contains(custom));
    EXPECT_EQ(wallpaperValue(QStringLiteral("picture-options")), QStringLiteral("'zoom'"));

    ASSERT_EQ(::kill(static_cast<pid_t>(app->processId()), SIGKILL), 0);
    ASSERT_TRUE(app->waitForFinished(kWaitMs));
    startHushpane();
    EXPECT_EQ(iconValue(), QString::fromLatin1(desktop().hiddenValue));
    command(QStringLiteral("hushpane://toggle"));
    shown(QStringLiteral("after-restart"));
    EXPECT_EQ(wallpaperValue(pictureKey()), ownPicture);
    EXPECT_EQ(wallpaperValue(QStringLiteral("picture-options")), QStringLiteral("'stretched'"));
}

// A stopped desktop program: a clear error within the timeout and nothing written; once it
// runs again the next hide works.
TEST_P(GSettingsDesktopEndToEnd, AHungDesktopProgramIsReportedAndNothingChanges) {
    ASSERT_TRUE(test::adoptSessionForGio(session));
    InProcessHushpane hushpane(desktop(), preferencesFile, session.bus());
    const qint64 pid = session.ownerPid(QString::fromLatin1(desktop().busName));
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGSTOP), 0);
    // The stop takes hold once one of its threads handles the signal, which on a loaded
    // machine is not at once: until then another thread may still answer.
    ASSERT_TRUE(QTest::qWaitFor([&] { return processState(pid) == 'T'; }, kWaitMs));
    QElapsedTimer timer;
    timer.start();
    hushpane.controller.hide();
    const qint64 took = timer.elapsed();
    ::kill(static_cast<pid_t>(pid), SIGCONT);
    ASSERT_TRUE(hushpane.controller.lastError());
    EXPECT_TRUE(hushpane.controller.lastError()->contains(QStringLiteral("doesn't answer")))
        << hushpane.controller.lastError()->toStdString();
    // Bounded by the program's own timeout (three calls of at most 400 ms), not D-Bus's 25 s;
    // the margin is for a loaded machine.
    EXPECT_LT(took, 10 * BusDesktopProgram::kDefaultTimeoutMs);
    EXPECT_FALSE(hushpane.controller.isDesktopHidden());
    EXPECT_EQ(iconValue(), QString::fromLatin1(desktop().shownValue));

    // Running again, it answers (once it is scheduled), and the next press goes through.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return hushpane.program.state() == DesktopProgram::State::answering; }, kWaitMs));
    hushpane.controller.hide();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_TRUE(hushpane.controller.isDesktopHidden());
    iconValueBecomes(desktop().hiddenValue);
}

INSTANTIATE_TEST_SUITE_P(Desktops, GSettingsDesktopEndToEnd, ::testing::Values(&kMate, &kCinnamon),
                         [](const ::testing::TestParamInfo<const DesktopCase*>& param) {
                             return std::string(param.param->name);
                         });

}  // namespace
}  // namespace hushpane

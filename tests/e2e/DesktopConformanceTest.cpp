// The desktop conformance suite: the same cases, with the real hushpane program driven as a user
// drives it, on every desktop Hushpane supports. Each case runs in a session of the shell
// harness (scripts/lib/session.sh, part desktop=PROFILE): Xvfb, a private bus, a throw-away
// HOME with three files and a folder on its desktop, and the desktop from its profile, drawn.
// The profile (scripts/lib/desktops/PROFILE.sh) says all that differs between desktops and
// releases; what the test needs of it comes through HarnessDesktop.
// Screenshots of every step are kept under the build directory (tests/e2e/artifacts/).

#include "support/DesktopScreenCheck.h"
#include "support/DesktopScreenshots.h"
#include "support/HarnessDesktop.h"
#include "support/TestPaths.h"

#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "common/UserDefaults.h"
#include "services/Preferences.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDir>
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

using test::DesktopScreenCheck;
using test::HarnessDesktop;

constexpr int kWaitMs = 30000;
const QColor kCustom(0xc8, 0x50, 0x2d);
const QString kFailureLine = QStringLiteral("desktop change failed:");

// The state letter of a process as the kernel shows it ('T' once it is stopped).
char processState(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) {
        return '?';
    }
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() ? text.at(close + 2) : '?';
}

class DesktopConformance : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop.isValid()) << desktop.error().toStdString();
        ASSERT_GT(DesktopScreenCheck::pixelsOtherThan(desktop.drawn(), desktop.behindIcons(),
                                                      desktop.iconArea()),
                  0)
            << "the desktop drew no icons";
        shots = std::make_unique<test::DesktopScreenshots>(desktop);
        preferencesFile = qEnvironmentVariable("XDG_CONFIG_HOME") +
                          QStringLiteral("/hushpane/Preferences/app.hushpane.plist");
        shownState = desktop.query(QStringLiteral("desktop_icons_state"));
        ownPicture = desktop.query(QStringLiteral("desktop_picture"));
    }

    void TearDown() override {
        for (const QString& name :
             {desktop.variable(QStringLiteral("desktop_answering")), QStringLiteral("hushpane")}) {
            for (const qint64 pid : HarnessDesktop::processesInThisSession(name)) {
                ::kill(static_cast<pid_t>(pid), SIGCONT);
            }
        }
        stopHushpane();
        if (HasFailure()) {
            QFile log(logFile());
            if (log.open(QIODevice::ReadOnly)) {
                std::cerr << "hushpane's log:\n" << log.readAll().toStdString();
            }
        }
    }

    bool customWallpaperDrawn() const {
        return desktop.variable(QStringLiteral("desktop_custom_wallpaper_drawn")) !=
               QLatin1String("no");
    }

    QString logFile() const {
        return desktop.sessionDirectory() + QStringLiteral("/hushpane-under-test.log");
    }
    QString log() const {
        QFile file(logFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString hushpane() const { return test::buildDirectory() + QStringLiteral("/hushpane"); }

    // The real program as the session starts it, its log in logFile(). Launched once it owns
    // its bus name (so a URL command reaches it, not an earlier one's leftovers) and has stored
    // the shortcut it registered.
    void startHushpane() {
        app = std::make_unique<QProcess>();
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("app.hushpane.*=true"));
        app->setProcessEnvironment(variables);
        app->setStandardOutputFile(QProcess::nullDevice());
        app->setStandardErrorFile(logFile(), QIODevice::Append);
        app->start(hushpane(), {});
        ASSERT_TRUE(app->waitForStarted(kWaitMs));
        const auto launched = [this] {
            PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), preferencesFile);
            const QDBusReply<uint> owner = QDBusConnection::sessionBus().interface()->servicePid(
                QStringLiteral("app.hushpane"));
            return HarnessDesktop::processesInThisSession(QStringLiteral("hushpane"))
                       .contains(app->processId()) &&
                   owner.isValid() && owner.value() == app->processId() &&
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
    // `hushpane URL...`, which hands the URLs to the running one.
    void command(const QString& url, const QStringList& more = {}) const {
        QProcess second;
        second.start(hushpane(), QStringList{url} + more);
        if (!second.waitForFinished(kWaitMs)) {
            // Where it waits, for the report: the kernel's view of the stuck hand-off.
            const auto proc = [&](const char* file) {
                QFile f(
                    QStringLiteral("/proc/%1/%2").arg(second.processId()).arg(QLatin1String(file)));
                return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
            };
            ADD_FAILURE() << "hushpane " << url.toStdString() << " did not finish; wchan "
                          << proc("wchan") << ", stack:\n"
                          << proc("stack")
                          << "stderr: " << second.readAllStandardError().toStdString();
            second.kill();
            second.waitForFinished(kWaitMs);
            return;
        }
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    }
    void pressShortcut() const {
        ASSERT_TRUE(desktop.pressKeys(QStringLiteral("ctrl+alt+super+d")));
    }

    bool stateBecomes(const std::function<bool(const QString&)>& accept) const {
        return QTest::qWaitFor(
            [&] { return accept(desktop.query(QStringLiteral("desktop_icons_state"))); }, kWaitMs);
    }

    // The desktop's icon setting says hidden, and the icon area shows nothing but `colour`.
    void expectHidden(const QString& name, const QColor& colour) const {
        const QString hiddenValue = desktop.variable(QStringLiteral("desktop_icons_hidden"));
        EXPECT_TRUE(stateBecomes([&](const QString& state) {
            return state != shownState && (hiddenValue.isEmpty() || state == hiddenValue);
        })) << "the icon setting still reads "
            << desktop.query(QStringLiteral("desktop_icons_state")).toStdString();
        shots->expectOnly(colour, name, desktop.iconArea());
    }
    // The icon setting no longer says hidden (where the profile names the hidden value: XFCE
    // writes the default style that was only implied before) or is back to what it was, and
    // the screen is as before (within 2 % of the icons' pixels).
    void expectAsBefore(const QString& name) const {
        const QString hiddenValue = desktop.variable(QStringLiteral("desktop_icons_hidden"));
        EXPECT_TRUE(stateBecomes([&](const QString& state) {
            return hiddenValue.isEmpty() ? state == shownState : state != hiddenValue;
        })) << "the icon setting reads "
            << desktop.query(QStringLiteral("desktop_icons_state")).toStdString() << ", not "
            << shownState.toStdString();
        shots->expectAsBefore(desktop.drawn(), desktop.behindIcons(), name, desktop.iconArea());
    }
    // Turns the custom wallpaper on with this picture, as the settings window would.
    void useCustomPicture(const QString& path) const {
        PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), preferencesFile);
        UserDefaults defaults(domain);
        PosixFileBookmarks bookmarks;
        Preferences preferences(defaults, bookmarks);
        preferences.setUseCustomWallpaper(true);
        preferences.setCustomWallpaperURL(QUrl::fromLocalFile(path));
    }
    bool failureLogged(qsizetype since) const {
        return QTest::qWaitFor([&] { return log().indexOf(kFailureLine, since) >= 0; }, kWaitMs);
    }

    HarnessDesktop desktop;
    std::unique_ptr<test::DesktopScreenshots> shots;
    QString preferencesFile;
    QString shownState;
    QString ownPicture;
    std::unique_ptr<QProcess> app;
};

TEST_F(DesktopConformance, UrlCommandsAndTheShortcutHideEveryIconAndShowTheScreenAsBefore) {
    startHushpane();
    command(QStringLiteral("hushpane://hide"));
    expectHidden(QStringLiteral("hidden-url"), desktop.behindIcons());
    command(QStringLiteral("hushpane://show"));
    expectAsBefore(QStringLiteral("after-url"));

    pressShortcut();
    expectHidden(QStringLiteral("hidden-shortcut"), desktop.behindIcons());
    pressShortcut();
    expectAsBefore(QStringLiteral("after-shortcut"));
    EXPECT_EQ(log().indexOf(kFailureLine), -1) << log().toStdString();
}

// The custom picture goes up with the hide and stays across a Hushpane killed while hidden;
// the next start adopts the hidden desktop, so a toggle shows the icons and puts the user's
// own picture back.
TEST_F(DesktopConformance, ACustomWallpaperSurvivesASigkillAndTheUsersOwnComesBack) {
    const QString custom = HarnessDesktop::writeSolidPicture(
        qEnvironmentVariable("HOME") + QStringLiteral("/custom.png"), kCustom);
    ASSERT_FALSE(custom.isEmpty());
    ASSERT_FALSE(ownPicture.isEmpty()) << "the desktop names no picture";
    useCustomPicture(custom);
    startHushpane();
    command(QStringLiteral("hushpane://hide"));
    expectHidden(QStringLiteral("hidden"),
                 customWallpaperDrawn() ? kCustom : desktop.behindIcons());
    EXPECT_TRUE(desktop.query(QStringLiteral("desktop_picture")).contains(custom))
        << desktop.query(QStringLiteral("desktop_picture")).toStdString();

    ASSERT_EQ(::kill(static_cast<pid_t>(app->processId()), SIGKILL), 0);
    ASSERT_TRUE(app->waitForFinished(kWaitMs));
    startHushpane();
    expectHidden(QStringLiteral("adopted"),
                 customWallpaperDrawn() ? kCustom : desktop.behindIcons());
    command(QStringLiteral("hushpane://toggle"));
    expectAsBefore(QStringLiteral("after-restart"));
    EXPECT_EQ(desktop.query(QStringLiteral("desktop_picture")), ownPicture);
}

// A hide and a show in one command, handled in turn: the icons are back, and the desktop
// still follows the next hide and show.
// Icons the user brings back in the desktop's own settings while hidden are followed: the next
// toggle hides them again rather than showing what is shown.
TEST_F(DesktopConformance, IconsShownInTheDesktopsOwnSettingsAreFollowed) {
    if (!desktop.defines(QStringLiteral("desktop_show_icons_itself"))) {
        GTEST_SKIP() << "the desktop does not tell of changes made in its own settings";
    }
    startHushpane();
    command(QStringLiteral("hushpane://hide"));
    expectHidden(QStringLiteral("hidden"), desktop.behindIcons());
    const qsizetype since = log().size();
    desktop.query(QStringLiteral("desktop_show_icons_itself"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return log().indexOf(QStringLiteral("the desktop shows its icons again"), since) >= 0;
        },
        kWaitMs))
        << "Hushpane did not notice";
    // As a user would, once the icons are there.
    bool drawn = false;
    shots->waitFor(
        [&](const QImage& screen) {
            return DesktopScreenCheck::pixelsOtherThan(screen, desktop.behindIcons(),
                                                       desktop.iconArea()) > 0;
        },
        QStringLiteral("shown-itself"), &drawn);
    ASSERT_TRUE(drawn) << "the desktop did not draw its icons";
    command(QStringLiteral("hushpane://toggle"));
    expectHidden(QStringLiteral("hidden-again"), desktop.behindIcons());
    command(QStringLiteral("hushpane://show"));
    expectAsBefore(QStringLiteral("shown"));
}

TEST_F(DesktopConformance, AHideAndAShowInQuickSuccessionLeaveTheIconsShown) {
    startHushpane();
    command(QStringLiteral("hushpane://hide"), {QStringLiteral("hushpane://show")});
    QTest::qWait(2000);  // long enough for a desktop program that was leaving to have left
    expectAsBefore(QStringLiteral("after-quick"));
    command(QStringLiteral("hushpane://toggle"));
    expectHidden(QStringLiteral("hidden-after"), desktop.behindIcons());
    command(QStringLiteral("hushpane://toggle"));
    expectAsBefore(QStringLiteral("shown-after"));
}

// The user's wallpaper is stored before the custom picture replaces it: while the preference
// file cannot be written the hide fails and changes nothing. A custom picture reached through a
// symbolic link (~/Pictures a link), Hushpane ended with the session while hidden and started
// again: the next show still gives the user's own picture back.
TEST_F(DesktopConformance, AWallpaperThatCannotBeStoredStaysAndOneBehindALinkComesBack) {
    const QString home = qEnvironmentVariable("HOME");
    ASSERT_TRUE(QDir(home).mkpath(QStringLiteral("photos")));
    const QString custom =
        HarnessDesktop::writeSolidPicture(home + QStringLiteral("/photos/custom.png"), kCustom);
    ASSERT_FALSE(custom.isEmpty());
    ASSERT_TRUE(QFile::link(home + QStringLiteral("/photos"), home + QStringLiteral("/Pictures")));
    ASSERT_FALSE(ownPicture.isEmpty()) << "the desktop names no picture";
    useCustomPicture(home + QStringLiteral("/Pictures/custom.png"));
    startHushpane();

    // A folder in the file's place: nothing can be written there, not even by root.
    const QString aside = preferencesFile + QStringLiteral(".aside");
    ASSERT_TRUE(QFile::rename(preferencesFile, aside));
    ASSERT_TRUE(QDir().mkdir(preferencesFile));
    const qsizetype logged = log().size();
    command(QStringLiteral("hushpane://hide"));
    EXPECT_TRUE(failureLogged(logged)) << "no failure was logged";
    expectAsBefore(QStringLiteral("not-stored"));
    EXPECT_EQ(desktop.query(QStringLiteral("desktop_picture")), ownPicture);
    ASSERT_TRUE(QDir().rmdir(preferencesFile));
    ASSERT_TRUE(QFile::rename(aside, preferencesFile));

    command(QStringLiteral("hushpane://hide"));
    expectHidden(QStringLiteral("hidden"),
                 customWallpaperDrawn() ? kCustom : desktop.behindIcons());
    ASSERT_EQ(::kill(static_cast<pid_t>(app->processId()), SIGTERM), 0);
    ASSERT_TRUE(app->waitForFinished(kWaitMs));
    startHushpane();
    command(QStringLiteral("hushpane://show"));
    expectAsBefore(QStringLiteral("after-session-end"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return desktop.query(QStringLiteral("desktop_picture")) == ownPicture; }, kWaitMs))
        << desktop.query(QStringLiteral("desktop_picture")).toStdString();
}

// With "While a display is mirrored" on, a second display showing the same picture (a projector
// in mirror mode) hides the icons by itself, and they come back when it is unplugged.
TEST_F(DesktopConformance, AMirroredDisplayHidesTheIconsUntilItIsUnplugged) {
    if (desktop.name() == QLatin1String("gnome")) {
        GTEST_SKIP() << "GNOME tells mirroring itself (Mutter's display configuration), which "
                        "Xvfb's monitors do not reach; the Wayland session covers it";
    }
    {
        PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), preferencesFile);
        UserDefaults defaults(domain);
        PosixFileBookmarks bookmarks;
        Preferences(defaults, bookmarks).setHideWhileMirrored(true);
    }
    startHushpane();
    // The whole screen once more, as a second monitor: what a projector in mirror mode shows.
    QProcess xrandr;
    xrandr.start(QStringLiteral("xrandr"), {QStringLiteral("--listmonitors")});
    ASSERT_TRUE(xrandr.waitForFinished(kWaitMs));
    const QString geometry = QString::fromUtf8(xrandr.readAllStandardOutput())
                                 .section(u'\n', 1, 1)
                                 .section(u' ', 2, 2, QString::SectionSkipEmpty);
    ASSERT_TRUE(geometry.contains(u'+')) << geometry.toStdString();
    const auto monitor = [](const QStringList& arguments) {
        return QProcess::execute(QStringLiteral("xrandr"), arguments) == 0;
    };
    ASSERT_TRUE(monitor({QStringLiteral("--setmonitor"), QStringLiteral("PROJECTOR"), geometry,
                         QStringLiteral("none")}));
    expectHidden(QStringLiteral("mirrored"), desktop.behindIcons());
    EXPECT_TRUE(log().contains(QStringLiteral("hiding automatically: mirrored")));

    ASSERT_TRUE(monitor({QStringLiteral("--delmonitor"), QStringLiteral("PROJECTOR")}));
    expectAsBefore(QStringLiteral("unplugged"));
    EXPECT_EQ(log().indexOf(kFailureLine), -1) << log().toStdString();
}

// A display attached while hidden (a RandR monitor) gets the custom picture only once its own
// wallpaper is stored, so not while the preference file cannot be written; after the show
// every display has its own wallpaper back.
TEST_F(DesktopConformance, ADisplayAttachedWhileHiddenIsCoveredOnlyOnceItsOwnWallpaperIsStored) {
    const QString pictureOn = QStringLiteral("desktop_picture_on");
    if (!desktop.defines(pictureOn)) {
        GTEST_SKIP() << "the profile does not follow displays attached while it runs";
    }
    const QString custom = HarnessDesktop::writeSolidPicture(
        qEnvironmentVariable("HOME") + QStringLiteral("/custom.png"), kCustom);
    ASSERT_FALSE(custom.isEmpty());
    ASSERT_FALSE(ownPicture.isEmpty()) << "the desktop names no picture";
    const QStringList added{QStringLiteral("HUSH-1"), QStringLiteral("HUSH-2")};
    const QStringList geometry{QStringLiteral("640/169x400/106+640+0"),
                               QStringLiteral("640/169x400/106+640+400")};
    QStringList before;
    for (const QString& name : added) {
        before.append(desktop.query(pictureOn, {name}));
    }
    const auto attach = [&](qsizetype index) {
        return QProcess::execute(QStringLiteral("xrandr"),
                                 {QStringLiteral("--setmonitor"), added.at(index),
                                  geometry.at(index), QStringLiteral("none")}) == 0;
    };
    useCustomPicture(custom);
    startHushpane();
    command(QStringLiteral("hushpane://hide"));
    expectHidden(QStringLiteral("hidden"),
                 customWallpaperDrawn() ? kCustom : desktop.behindIcons());
    // Where one picture covers every display, a new one already shows the custom picture.
    const bool onePicture = desktop.query(pictureOn, {added.at(0)}).contains(custom);

    const QString aside = preferencesFile + QStringLiteral(".aside");
    ASSERT_TRUE(QFile::rename(preferencesFile, aside));
    ASSERT_TRUE(QDir().mkdir(preferencesFile));
    const qsizetype logged = log().size();
    ASSERT_TRUE(attach(0));
    if (!onePicture) {
        EXPECT_TRUE(failureLogged(logged)) << "no failure was logged";
        EXPECT_EQ(desktop.query(pictureOn, {added.at(0)}), before.at(0));
    }
    ASSERT_TRUE(QDir().rmdir(preferencesFile));
    ASSERT_TRUE(QFile::rename(aside, preferencesFile));
    ASSERT_TRUE(attach(1));
    for (const QString& name : added) {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return desktop.query(pictureOn, {name}).contains(custom); }, kWaitMs))
            << name.toStdString() << ": " << desktop.query(pictureOn, {name}).toStdString();
    }

    command(QStringLiteral("hushpane://show"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return desktop.query(QStringLiteral("desktop_picture")) == ownPicture; }, kWaitMs))
        << desktop.query(QStringLiteral("desktop_picture")).toStdString();
    for (qsizetype index = 0; index < added.size(); ++index) {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return desktop.query(pictureOn, {added.at(index)}) == before.at(index); },
            kWaitMs))
            << added.at(index).toStdString() << ": "
            << desktop.query(pictureOn, {added.at(index)}).toStdString();
    }
    // The screen is compared once the displays are gone again: with them, a desktop may lay
    // its icons out anew (xfdesktop 4.20 and caja 1.26.4 do).
    for (const QString& name : added) {
        QProcess::execute(QStringLiteral("xrandr"), {QStringLiteral("--delmonitor"), name});
    }
    expectAsBefore(QStringLiteral("after-attach"));
}

// The program Hushpane asks is stopped: the hide fails, says so, and changes nothing; once it
// runs again the next hide goes through.
TEST_F(DesktopConformance, AStoppedDesktopIsReportedNothingChangesAndTheNextHideWorks) {
    startHushpane();
    const QString answering = desktop.variable(QStringLiteral("desktop_answering"));
    const QList<qint64> pids = HarnessDesktop::processesInThisSession(answering);
    ASSERT_EQ(pids.size(), 1) << answering.toStdString();
    const auto pid = static_cast<pid_t>(pids.constFirst());
    ASSERT_EQ(::kill(pid, SIGSTOP), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return processState(pid) == 'T'; }, kWaitMs));
    const qsizetype logged = log().size();
    command(QStringLiteral("hushpane://hide"));
    EXPECT_TRUE(failureLogged(logged)) << "no failure was logged";
    // Read back once it runs again: the desktop's own tools would wait for it too.
    ::kill(pid, SIGCONT);
    expectAsBefore(QStringLiteral("stopped"));

    // The program answers again once it is scheduled; a later hide goes through.
    QTest::qWait(1000);
    command(QStringLiteral("hushpane://hide"));
    expectHidden(QStringLiteral("hidden-after"), desktop.behindIcons());
}

// The program that draws the icons is gone (it crashed): a hide either fails and says why, or
// leaves the desktop's own setting saying hidden, so that the program hides them when it
// comes back. Never a success that changed nothing; Hushpane keeps running and answering.
TEST_F(DesktopConformance, AGoneDesktopProgramFailsTheHideOrLeavesItsSettingHidden) {
    startHushpane();
    QString drawing = desktop.variable(QStringLiteral("desktop_drawing"));
    if (drawing.isEmpty()) {
        drawing = desktop.variable(QStringLiteral("desktop_answering"));
    }
    for (const qint64 pid : HarnessDesktop::processesInThisSession(drawing)) {
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return HarnessDesktop::processesInThisSession(drawing).isEmpty(); }, kWaitMs));
    const QString hiddenValue = desktop.variable(QStringLiteral("desktop_icons_hidden"));
    const auto saysHidden = [&] {
        const QString state = desktop.query(QStringLiteral("desktop_icons_state"));
        return state != shownState && (hiddenValue.isEmpty() || state == hiddenValue);
    };
    const qsizetype logged = log().size();
    command(QStringLiteral("hushpane://hide"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return log().indexOf(kFailureLine, logged) >= 0 || saysHidden(); }, kWaitMs))
        << "the hide neither failed nor changed the desktop's setting";
    EXPECT_EQ(app->state(), QProcess::Running);
    command(QStringLiteral("hushpane://show"));
    QTest::qWait(500);
    EXPECT_EQ(app->state(), QProcess::Running);
}

}  // namespace
}  // namespace hushpane

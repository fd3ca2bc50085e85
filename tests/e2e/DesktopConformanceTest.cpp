// The desktop conformance suite: the same cases, with the real hushpane program driven as a user
// drives it, on every desktop Hushpane supports. Each case runs in a session of the shell
// harness (scripts/lib/session.sh, part desktop=PROFILE): Xvfb, a private bus, a throw-away
// HOME with three files and a folder on its desktop, and the desktop from its profile, drawn.
// The profile (scripts/lib/desktops/PROFILE.sh) says all that differs between desktops and
// releases; what the test needs of it comes through the environment and desktop-query.
// Screenshots of every step are kept under the build directory (tests/e2e/artifacts/).

#include "support/DesktopScreenCheck.h"
#include "support/TestPaths.h"

#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "common/UserDefaults.h"
#include "services/Preferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <iostream>
#include <memory>

namespace hushpane {
namespace {

using test::DesktopScreenCheck;

constexpr int kWaitMs = 30000;
const QColor kCustom(0xc8, 0x50, 0x2d);
const QString kFailureLine = QStringLiteral("desktop change failed:");

QString environment(const char* name) {
    return qEnvironmentVariable(name);
}

// "WxH+X+Y" as ImageMagick and the profiles write an area; the default icon column otherwise.
QRect iconArea(QSize screen) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)$"));
    const auto match = pattern.match(environment("HUSHPANE_TEST_ICON_AREA"));
    if (!match.hasMatch()) {
        return DesktopScreenCheck::defaultIconArea(screen);
    }
    return {match.captured(3).toInt(), match.captured(4).toInt(), match.captured(1).toInt(),
            match.captured(2).toInt()};
}

// The processes called `name` that belong to this session (their bus is this session's).
QList<qint64> processesInThisSession(const QString& name) {
    QList<qint64> pids;
    const QByteArray bus = "DBUS_SESSION_BUS_ADDRESS=" + qgetenv("DBUS_SESSION_BUS_ADDRESS");
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name.toUtf8() &&
            environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(bus)) {
            pids.append(pid.toLongLong());
        }
    }
    return pids;
}

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
        desktop = environment("HUSHPANE_TEST_DESKTOP");
        ASSERT_FALSE(desktop.isEmpty())
            << "runs in a session with a desktop (--hushpane-session=desktop=PROFILE)";
        before = QImage(environment("HUSHPANE_TEST_DRAWN"));
        ASSERT_FALSE(before.isNull()) << "no screenshot of the drawn desktop";
        area = iconArea(before.size());
        behindIcons = QColor(environment("HUSHPANE_TEST_BEHIND_ICONS"));
        iconPixels = DesktopScreenCheck::pixelsOtherThan(before, behindIcons, area);
        ASSERT_GT(iconPixels, 0) << "the desktop drew no icons";
        preferencesFile = qEnvironmentVariable("XDG_CONFIG_HOME") +
                          QStringLiteral("/hushpane/Preferences/app.hushpane.plist");
        const QString artifacts =
            QCoreApplication::applicationDirPath() + QStringLiteral("/artifacts");
        QDir().mkpath(artifacts);
        prefix =
            artifacts + QLatin1Char('/') + desktop + QLatin1Char('-') +
            QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
            QLatin1Char('-');
        before.save(prefix + QStringLiteral("before.png"));
        shownState = query(QStringLiteral("desktop_icons_state"));
        ownPicture = query(QStringLiteral("desktop_picture"));
    }

    void TearDown() override {
        for (const QString& name :
             {query(QStringLiteral("--variable"), QStringLiteral("desktop_answering")),
              QStringLiteral("hushpane")}) {
            for (const qint64 pid : processesInThisSession(name)) {
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

    // One of the profile's functions (or --variable NAME), its output trimmed.
    QString query(const QString& what, const QString& name = {}) const {
        QProcess process;
        QStringList arguments{desktop, what};
        if (!name.isEmpty()) {
            arguments << name;
        }
        process.start(QStringLiteral(HUSHPANE_SOURCE_DIR "/scripts/lib/desktop-query"), arguments);
        process.waitForFinished(kWaitMs);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    bool customWallpaperDrawn() const {
        return query(QStringLiteral("--variable"),
                     QStringLiteral("desktop_custom_wallpaper_drawn")) != QLatin1String("no");
    }

    QString logFile() const {
        return environment("HUSHPANE_TEST_SESSION_DIR") +
               QStringLiteral("/hushpane-under-test.log");
    }
    QString log() const {
        QFile file(logFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString hushpane() const { return test::buildDirectory() + QStringLiteral("/hushpane"); }

    // The real program as the session starts it, its log in logFile(). Launched once it owns
    // its bus name and has stored the shortcut it registered.
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
            return processesInThisSession(QStringLiteral("hushpane")).contains(app->processId()) &&
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
    // `hushpane URL`, which hands the URL to the running one.
    void command(const QString& url) const {
        QProcess second;
        second.start(hushpane(), {url});
        ASSERT_TRUE(second.waitForFinished(kWaitMs));
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    }
    void pressShortcut() const {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"),
                      {QStringLiteral("key"), QStringLiteral("--clearmodifiers"),
                       QStringLiteral("ctrl+alt+super+d")});
        ASSERT_TRUE(xdotool.waitForFinished(kWaitMs));
        ASSERT_EQ(xdotool.exitCode(), 0);
    }

    QImage grab() const { return QGuiApplication::primaryScreen()->grabWindow(0).toImage(); }
    // Polls the screen (bounded) until `accept` likes it; the last screenshot is kept as
    // <prefix><name>.png.
    bool waitForScreen(const std::function<bool(const QImage&)>& accept, const QString& name,
                       QImage* last) const {
        const bool accepted = QTest::qWaitFor(
            [&] {
                *last = grab();
                return accept(*last);
            },
            kWaitMs);
        last->save(prefix + name + QStringLiteral(".png"));
        return accepted;
    }
    bool stateBecomes(const std::function<bool(const QString&)>& accept) const {
        return QTest::qWaitFor([&] { return accept(query(QStringLiteral("desktop_icons_state"))); },
                               kWaitMs);
    }

    // The desktop's icon setting says hidden, and the icon area shows nothing but `colour`.
    void expectHidden(const QString& name, const QColor& colour) const {
        const QString hiddenValue =
            query(QStringLiteral("--variable"), QStringLiteral("desktop_icons_hidden"));
        EXPECT_TRUE(stateBecomes([&](const QString& state) {
            return state != shownState && (hiddenValue.isEmpty() || state == hiddenValue);
        })) << "the icon setting still reads "
            << query(QStringLiteral("desktop_icons_state")).toStdString();
        QImage shot;
        EXPECT_TRUE(waitForScreen(
            [&](const QImage& s) {
                return DesktopScreenCheck::pixelsOtherThan(s, colour, area) == 0;
            },
            name, &shot))
            << DesktopScreenCheck::pixelsOtherThan(shot, colour, area)
            << " pixels of the icon area are still drawn; see " << (prefix + name).toStdString();
    }
    // The icon setting no longer says hidden (where the profile names the hidden value: XFCE
    // writes the default style that was only implied before) or is back to what it was, and
    // the screen is as before (within 2 % of the icons' pixels).
    void expectAsBefore(const QString& name) const {
        const QString hiddenValue =
            query(QStringLiteral("--variable"), QStringLiteral("desktop_icons_hidden"));
        EXPECT_TRUE(stateBecomes([&](const QString& state) {
            return hiddenValue.isEmpty() ? state == shownState : state != hiddenValue;
        })) << "the icon setting reads "
            << query(QStringLiteral("desktop_icons_state")).toStdString() << ", not "
            << shownState.toStdString();
        QImage shot;
        const auto differing = [&](const QImage& s) {
            return DesktopScreenCheck::pixelsDiffering(s, before, area);
        };
        EXPECT_TRUE(waitForScreen([&](const QImage& s) { return differing(s) <= iconPixels / 50; },
                                  name, &shot))
            << differing(shot) << " pixels differ from before; see "
            << (prefix + name).toStdString();
    }
    bool failureLogged(qsizetype since) const {
        return QTest::qWaitFor([&] { return log().indexOf(kFailureLine, since) >= 0; }, kWaitMs);
    }

    QString desktop;
    QImage before;
    QRect area;
    QColor behindIcons;
    int iconPixels = 0;
    QString preferencesFile;
    QString prefix;
    QString shownState;
    QString ownPicture;
    std::unique_ptr<QProcess> app;
};

TEST_F(DesktopConformance, UrlCommandsAndTheShortcutHideEveryIconAndShowTheScreenAsBefore) {
    startHushpane();
    command(QStringLiteral("hushpane://hide"));
    expectHidden(QStringLiteral("hidden-url"), behindIcons);
    command(QStringLiteral("hushpane://show"));
    expectAsBefore(QStringLiteral("after-url"));

    pressShortcut();
    expectHidden(QStringLiteral("hidden-shortcut"), behindIcons);
    pressShortcut();
    expectAsBefore(QStringLiteral("after-shortcut"));
    EXPECT_EQ(log().indexOf(kFailureLine), -1) << log().toStdString();
}

// The custom picture goes up with the hide and stays across a Hushpane killed while hidden;
// the next start adopts the hidden desktop, so a toggle shows the icons and puts the user's
// own picture back.
TEST_F(DesktopConformance, ACustomWallpaperSurvivesASigkillAndTheUsersOwnComesBack) {
    const QString custom = qEnvironmentVariable("HOME") + QStringLiteral("/custom.png");
    QImage picture(64, 64, QImage::Format_RGB32);
    picture.fill(kCustom);
    ASSERT_TRUE(picture.save(custom));
    ASSERT_FALSE(ownPicture.isEmpty()) << "the desktop names no picture";
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
    expectHidden(QStringLiteral("hidden"), customWallpaperDrawn() ? kCustom : behindIcons);
    EXPECT_TRUE(query(QStringLiteral("desktop_picture")).contains(custom))
        << query(QStringLiteral("desktop_picture")).toStdString();

    ASSERT_EQ(::kill(static_cast<pid_t>(app->processId()), SIGKILL), 0);
    ASSERT_TRUE(app->waitForFinished(kWaitMs));
    startHushpane();
    expectHidden(QStringLiteral("adopted"), customWallpaperDrawn() ? kCustom : behindIcons);
    command(QStringLiteral("hushpane://toggle"));
    expectAsBefore(QStringLiteral("after-restart"));
    EXPECT_EQ(query(QStringLiteral("desktop_picture")), ownPicture);
}

// The program Hushpane asks is stopped: the hide fails, says so, and changes nothing; once it
// runs again the next hide goes through.
TEST_F(DesktopConformance, AStoppedDesktopIsReportedNothingChangesAndTheNextHideWorks) {
    startHushpane();
    const QString answering =
        query(QStringLiteral("--variable"), QStringLiteral("desktop_answering"));
    const QList<qint64> pids = processesInThisSession(answering);
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
    expectHidden(QStringLiteral("hidden-after"), behindIcons);
}

}  // namespace
}  // namespace hushpane

// Hushpane's LXDE and LXQt back-ends against the real desktop programs: pcmanfm and
// pcmanfm-qt drawing a throw-away ~/Desktop on an Xvfb of the test process's own, under
// openbox, with a temporary HOME. The back-ends find the desktop program through the
// process's environment, so the process takes the session's before the first case step.
// Screenshots prove what the desktop drew; they are kept under the build directory.

#include "support/ChildCase.h"
#include "support/DesktopScreenshots.h"
#include "support/LxdeDesktopProfile.h"
#include "support/LxqtDesktopProfile.h"
#include "support/PrivateDesktop.h"
#include "support/PrivateSession.h"

#include "backends/lxde/LxdeDesktopSwitch.h"
#include "backends/lxde/LxdeWallpaperLayout.h"
#include "backends/lxqt/LxqtDesktopSwitch.h"
#include "backends/lxqt/LxqtWallpaperLayout.h"
#include "backends/pcmanfm/IniFile.h"
#include "backends/pcmanfm/PcmanfmDesktopProgram.h"
#include "backends/pcmanfm/PcmanfmWorkspace.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "common/UserDefaults.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

namespace hushpane {
namespace {

using test::DesktopScreenshots;
using test::PrivateDesktop;
using test::PrivateSession;

constexpr int kWaitMs = 30000;
const QColor kBackground = PrivateDesktop::defaultWallpaper();
const QColor kCustom(0xc8, 0x50, 0x2d);
constexpr auto kChildVariable = "HUSHPANE_PCMANFM_CHILD";
constexpr auto kChildPreferencesVariable = "HUSHPANE_PCMANFM_CHILD_PREFERENCES";
constexpr auto kChildPictureVariable = "HUSHPANE_PCMANFM_CHILD_PICTURE";

// One desktop as the tests see it.
struct DesktopCase {
    const char* name;
    std::function<std::unique_ptr<test::DesktopProfile>()> profile;
    PcmanfmDesktopProgram::Options (*programOptions)();
    std::function<std::unique_ptr<DesktopSwitch>(FileManagerDesktop&, UserDefaults&)> makeSwitch;
    PcmanfmWorkspace::Layout (*wallpaperLayout)();
    QString (*file)(const PrivateSession&);
    const char* iconKey;  // the key whose value says hidden
    std::function<bool(const QString&)> isHiddenValue;
    const char* zoomMode;  // what the custom wallpaper is drawn as
};

const DesktopCase kLxde{
    "lxde",
    [] { return std::make_unique<test::LxdeDesktopProfile>(); },
    &LxdeDesktopSwitch::programOptions,
    [](FileManagerDesktop& program, UserDefaults& defaults) {
        return std::make_unique<LxdeDesktopSwitch>(program, defaults);
    },
    &lxdeWallpaperLayout,
    &test::LxdeDesktopProfile::itemsFile,
    "folder",
    [](const QString& value) { return value == LxdeDesktopSwitch::defaultEmptyFolder(); },
    "crop"};

const DesktopCase kLxqt{"lxqt",
                        [] { return std::make_unique<test::LxqtDesktopProfile>(); },
                        &LxqtDesktopSwitch::programOptions,
                        [](FileManagerDesktop& program, UserDefaults& defaults) {
                            return std::make_unique<LxqtDesktopSwitch>(program, defaults);
                        },
                        &lxqtWallpaperLayout,
                        &test::LxqtDesktopProfile::settingsFile,
                        "HideItems",
                        [](const QString& value) { return value == QLatin1String("true"); },
                        "zoom"};

PcmanfmDesktopProgram::Options withBus(PcmanfmDesktopProgram::Options options,
                                       const QDBusConnection& bus) {
    options.bus = bus;
    return options;
}

// One Hushpane "run" on the desktop: its defaults file, preferences and controller.
struct Hushpane {
    Hushpane(const DesktopCase& desktop, const QString& preferencesFile,
             const QDBusConnection& bus = QDBusConnection::sessionBus())
        : domain(QStringLiteral("app.hushpane"), preferencesFile),
          defaults(domain),
          preferences(defaults, bookmarks),
          program(withBus(desktop.programOptions(), bus)),
          desktopSwitch(desktop.makeSwitch(program, defaults)),
          workspace(program, desktop.wallpaperLayout()),
          controller(*desktopSwitch, preferences, workspace) {}

    PlistPreferenceDomain domain;
    UserDefaults defaults;
    PosixFileBookmarks bookmarks;
    Preferences preferences;
    PcmanfmDesktopProgram program;
    std::unique_ptr<DesktopSwitch> desktopSwitch;
    PcmanfmWorkspace workspace;
    DesktopController controller;
};

// The processes of a program that draw on this display: the desktop Hushpane restarted runs
// on its own, outside the session's list.
QList<qint64> programsOnThisDisplay(const QString& program) {
    QList<qint64> pids;
    const QByteArray display = "DISPLAY=" + qgetenv("DISPLAY");
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == program.toUtf8() &&
            environ.open(QIODevice::ReadOnly) && environ.readAll().split('\0').contains(display)) {
            pids.append(pid.toLongLong());
        }
    }
    return pids;
}

class PcmanfmDesktopEndToEnd : public ::testing::TestWithParam<const DesktopCase*> {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsSet(kChildVariable)) {
            GTEST_SKIP() << "child run";
        }
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        // The back-ends find the files, the runtime directory and the bus from the process.
        session.exportEnvironment();
        preferencesFile = session.configHome() + QStringLiteral("/hushpane/app.hushpane.plist");
        ASSERT_TRUE(session.addSampleDesktopItems());
        profile = desktop().profile();
        screen = std::make_unique<PrivateDesktop>(session, *profile, kBackground);
        ASSERT_TRUE(screen->start()) << screen->error().toStdString();
        iconsShown = screen->drawn();
        shots = std::make_unique<DesktopScreenshots>(
            *screen, DesktopScreenshots::artifactPrefix(QString::fromLatin1(desktop().name)));
        iconsShown.save(shots->fileFor(QStringLiteral("before")));
    }

    void TearDown() override {
        for (const qint64 pid : programsOnThisDisplay(desktop().programOptions().executable)) {
            ::kill(static_cast<pid_t>(pid), SIGCONT);
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        }
    }

    const DesktopCase& desktop() const { return *GetParam(); }

    std::optional<QString> value(const QString& key) const {
        const IniFile::Read read = IniFile::read(desktop().file(session));
        const QString section = desktop().wallpaperLayout().section;
        return read.file ? read.file->value(section, key) : std::nullopt;
    }
    bool iconsHiddenInTheFile() const {
        return desktop().isHiddenValue(
            value(QString::fromLatin1(desktop().iconKey)).value_or(QString()));
    }
    std::optional<QString> picture() const { return value(desktop().wallpaperLayout().pictureKey); }
    std::optional<QString> mode() const { return value(desktop().wallpaperLayout().modeKey); }

    void noIconPixelLeft(const QColor& color, const QString& name) const {
        shots->expectOnly(color, name);
    }
    void screenAsBefore(const QString& name) const {
        shots->expectAsBefore(iconsShown, kBackground, name);
    }

    PrivateSession session;
    std::unique_ptr<test::DesktopProfile> profile;
    std::unique_ptr<PrivateDesktop> screen;
    std::unique_ptr<DesktopScreenshots> shots;
    QString preferencesFile;
    QImage iconsShown;
};

TEST_P(PcmanfmDesktopEndToEnd, HideLeavesNoIconPixelAndShowPutsTheScreenBack) {
    Hushpane hushpane(desktop(), preferencesFile, session.bus());
    EXPECT_FALSE(hushpane.controller.isDesktopHidden());

    hushpane.controller.hide();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_TRUE(hushpane.controller.isDesktopHidden());
    EXPECT_TRUE(iconsHiddenInTheFile());
    noIconPixelLeft(kBackground, QStringLiteral("hidden"));

    hushpane.controller.show();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_FALSE(iconsHiddenInTheFile());
    screenAsBefore(QStringLiteral("after"));
}

TEST_P(PcmanfmDesktopEndToEnd, TheCustomWallpaperWhileHiddenAndTheUsersOwnAfterwards) {
    const QString custom =
        PrivateDesktop::writeSolidPicture(session.home() + QStringLiteral("/custom.png"), kCustom);
    const std::optional<QString> ownPicture = picture();
    ASSERT_TRUE(ownPicture);
    Hushpane hushpane(desktop(), preferencesFile, session.bus());
    hushpane.preferences.setUseCustomWallpaper(true);
    hushpane.preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));

    hushpane.controller.hide();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_EQ(picture(), custom);
    EXPECT_EQ(mode(), QString::fromLatin1(desktop().zoomMode));
    noIconPixelLeft(kCustom, QStringLiteral("hidden"));

    hushpane.controller.show();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_EQ(picture(), ownPicture);
    EXPECT_EQ(mode(), QStringLiteral("stretch"));
    screenAsBefore(QStringLiteral("after"));
}

TEST_P(PcmanfmDesktopEndToEnd, AHushpaneKilledWhileHiddenIsFollowedByOneThatAdoptsAndShows) {
    const QString custom =
        PrivateDesktop::writeSolidPicture(session.home() + QStringLiteral("/custom.png"), kCustom);
    const std::optional<QString> ownPicture = picture();
    QProcessEnvironment variables;
    variables.insert(QString::fromLatin1(kChildVariable), QString::fromLatin1(desktop().name));
    variables.insert(QString::fromLatin1(kChildPreferencesVariable), preferencesFile);
    variables.insert(QString::fromLatin1(kChildPictureVariable), custom);
    variables.insert(QStringLiteral("DISPLAY"), qEnvironmentVariable("DISPLAY"));
    const std::optional<QProcess::ExitStatus> child = test::runChildCase(
        session, QStringLiteral("PcmanfmDesktopChild.HideThenDieBySigkill"), variables, kWaitMs);
    ASSERT_TRUE(child);
    EXPECT_EQ(*child, QProcess::CrashExit);
    EXPECT_TRUE(iconsHiddenInTheFile());
    noIconPixelLeft(kCustom, QStringLiteral("hidden"));

    Hushpane next(desktop(), preferencesFile, session.bus());
    EXPECT_TRUE(next.controller.isDesktopHidden());
    next.controller.show();
    EXPECT_EQ(next.controller.lastError(), std::nullopt);
    EXPECT_FALSE(iconsHiddenInTheFile());
    EXPECT_EQ(picture(), ownPicture);
    EXPECT_EQ(mode(), QStringLiteral("stretch"));
    screenAsBefore(QStringLiteral("after"));
}

// A stopped desktop program: a clear error at once, nothing written; once it runs again the
// same call works.
TEST_P(PcmanfmDesktopEndToEnd, AStoppedDesktopProgramIsReportedAndNothingChanges) {
    Hushpane hushpane(desktop(), preferencesFile, session.bus());
    const QList<qint64> pids = programsOnThisDisplay(desktop().programOptions().executable);
    ASSERT_EQ(pids.size(), 1);
    ASSERT_EQ(::kill(static_cast<pid_t>(pids.constFirst()), SIGSTOP), 0);
    QElapsedTimer timer;
    timer.start();
    hushpane.controller.hide();
    const qint64 took = timer.elapsed();
    ::kill(static_cast<pid_t>(pids.constFirst()), SIGCONT);
    ASSERT_TRUE(hushpane.controller.lastError());
    EXPECT_TRUE(hushpane.controller.lastError()->contains(QStringLiteral("doesn't answer")))
        << hushpane.controller.lastError()->toStdString();
    EXPECT_LT(took, PcmanfmDesktopProgram::kCommandTimeoutMs);
    EXPECT_FALSE(hushpane.controller.isDesktopHidden());
    EXPECT_FALSE(iconsHiddenInTheFile());

    hushpane.controller.hide();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_TRUE(iconsHiddenInTheFile());
}

INSTANTIATE_TEST_SUITE_P(Desktops, PcmanfmDesktopEndToEnd, ::testing::Values(&kLxde, &kLxqt),
                         [](const ::testing::TestParamInfo<const DesktopCase*>& param) {
                             return std::string(param.param->name);
                         });

// Runs only as the child of the test above: hides with the custom wallpaper, then dies the
// hard way.
TEST(PcmanfmDesktopChild, HideThenDieBySigkill) {
    const QString name = qEnvironmentVariable(kChildVariable);
    if (name.isEmpty()) {
        GTEST_SKIP() << "only run as a child of AHushpaneKilledWhileHiddenIsFollowedByOne...";
    }
    const DesktopCase& desktop = name == QLatin1String("lxde") ? kLxde : kLxqt;
    Hushpane hushpane(desktop, qEnvironmentVariable(kChildPreferencesVariable));
    hushpane.preferences.setUseCustomWallpaper(true);
    hushpane.preferences.setCustomWallpaperURL(
        QUrl::fromLocalFile(qEnvironmentVariable(kChildPictureVariable)));
    hushpane.controller.hide();
    ASSERT_EQ(hushpane.controller.lastError(), std::nullopt);
    ::raise(SIGKILL);
}

}  // namespace
}  // namespace hushpane

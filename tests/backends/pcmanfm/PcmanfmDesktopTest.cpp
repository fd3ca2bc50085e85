// The LXDE and LXQt switches and wallpapers on a stand-in for pcmanfm / pcmanfm-qt that
// keeps its files in a temporary folder: what is kept, what comes back, and the failures.

#include "support/LogCapture.h"

#include "app/DesktopDrivers.h"
#include "backends/lxde/LxdeDesktopSwitch.h"
#include "backends/lxde/LxdeWallpaperLayout.h"
#include "backends/lxqt/LxqtDesktopSwitch.h"
#include "backends/lxqt/LxqtWallpaperLayout.h"
#include "backends/pcmanfm/FileManagerDesktop.h"
#include "backends/pcmanfm/IniFile.h"
#include "backends/pcmanfm/PcmanfmDesktopProgram.h"
#include "backends/pcmanfm/PcmanfmWorkspace.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryProcessLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

// The file manager: it writes nothing itself, records what it was told and whether its
// files changed only while its desktop was off.
class StandInFileManager : public FileManagerDesktop {
public:
    explicit StandInFileManager(QString directory) : directory_(std::move(directory)) {}

    State state() override { return current; }
    std::optional<QString> launch() override {
        ++launches;
        if (launchError) {
            return launchError;
        }
        current = State::answering;
        return std::nullopt;
    }
    QString name() const override { return QStringLiteral("pcmanfm"); }
    int timeoutMs() const override { return 100; }
    QString profile() override { return QStringLiteral("LXDE"); }
    QString profileDirectory() override { return directory_; }
    // As pcmanfm does with a wallpaper: it writes it into its file.
    std::optional<QString> tell(const QStringList& arguments) override {
        told.append(arguments);
        if (tellError) {
            return tellError;
        }
        const QString path = directory_ + QStringLiteral("/desktop-items-0.conf");
        IniFile ini = *IniFile::read(path).file;
        for (const QString& argument : arguments) {
            const QString value = argument.section(QLatin1Char('='), 1);
            if (argument.startsWith(QLatin1String("--set-wallpaper="))) {
                ini.setValue(QStringLiteral("*"), QStringLiteral("wallpaper"), value);
            } else if (argument.startsWith(QLatin1String("--wallpaper-mode="))) {
                ini.setValue(QStringLiteral("*"), QStringLiteral("wallpaper_mode"), value);
            }
        }
        return ini.write(path);
    }
    std::optional<QString> restart(const std::function<std::optional<QString>()>& change) override {
        if (current == State::notAnswering) {
            return QStringLiteral("doesn't answer");
        }
        ++restarts;
        current = State::notRunning;
        std::optional<QString> result = change();
        if (auto error = launch(); error && !result) {
            result = error;
        }
        return result;
    }

    State current = State::answering;
    std::optional<QString> launchError;
    std::optional<QString> tellError;
    QList<QStringList> told;
    int restarts = 0;
    int launches = 0;

private:
    QString directory_;
};

const QByteArray kLxdeItems =
    "[*]\n"
    "wallpaper_mode=tile\n"
    "wallpaper=/home/u/Pictures/sea.jpg\n"
    "show_documents=1\n"
    "show_trash=yes please\n"
    "# show_mounts is pcmanfm's default\n"
    "\n"
    "[Projects]\n"
    "x=40\n";

class PcmanfmDesktop : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    void writeFile(const QString& name, const QByteArray& text) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray readFile(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::optional<QString> value(const QString& name, const QString& section,
                                 const QString& key) const {
        return IniFile::read(path(name)).file->value(section, key);
    }
    QString emptyFolder() const { return dir.filePath(QStringLiteral("empty")); }
    std::unique_ptr<LxdeDesktopSwitch> lxde() {
        return std::make_unique<LxdeDesktopSwitch>(program, defaults, emptyFolder());
    }

    QTemporaryDir dir;
    StandInFileManager program{dir.path()};
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
};

TEST_F(PcmanfmDesktop, LxdeHidesWithTheDesktopOffAndShowPutsBackEveryByte) {
    writeFile(QStringLiteral("desktop-items-0.conf"), kLxdeItems);
    writeFile(QStringLiteral("desktop-items-1.conf"), "[*]\nfolder=/home/u/Other\n");
    auto desktopSwitch = lxde();
    EXPECT_TRUE(desktopSwitch->createsDesktop());

    ASSERT_EQ(desktopSwitch->setCreatesDesktop(false), std::nullopt);
    EXPECT_FALSE(desktopSwitch->createsDesktop());
    EXPECT_EQ(program.restarts, 1);
    EXPECT_EQ(program.current, DesktopProgram::State::answering);
    EXPECT_TRUE(QDir(emptyFolder()).exists());
    for (const QString& file :
         {QStringLiteral("desktop-items-0.conf"), QStringLiteral("desktop-items-1.conf")}) {
        const QString section = QStringLiteral("*");
        EXPECT_EQ(value(file, section, QStringLiteral("folder")), emptyFolder());
        EXPECT_EQ(value(file, section, QStringLiteral("show_trash")), QStringLiteral("0"));
        EXPECT_EQ(value(file, section, QStringLiteral("show_documents")), QStringLiteral("0"));
        EXPECT_EQ(value(file, section, QStringLiteral("show_mounts")), QStringLiteral("0"));
    }
    EXPECT_TRUE(readFile(QStringLiteral("desktop-items-0.conf")).contains("wallpaper_mode=tile"));
    // A second hide changes nothing and keeps what the first one kept.
    ASSERT_EQ(desktopSwitch->setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(program.restarts, 1);

    // Another run (Hushpane was killed while hidden) adopts the hidden state and shows.
    auto nextRun = lxde();
    EXPECT_FALSE(nextRun->createsDesktop());
    ASSERT_EQ(nextRun->setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(readFile(QStringLiteral("desktop-items-0.conf")), kLxdeItems);
    EXPECT_EQ(readFile(QStringLiteral("desktop-items-1.conf")), "[*]\nfolder=/home/u/Other\n");
    EXPECT_FALSE(defaults.objectForKey(QString::fromLatin1(LxdeDesktopSwitch::kSavedKey)));
    EXPECT_EQ(program.restarts, 2);
}

TEST_F(PcmanfmDesktop, FailuresChangeNothingAndSayWhy) {
    writeFile(QStringLiteral("desktop-items-0.conf"), kLxdeItems);
    auto desktopSwitch = lxde();
    const QString savedKey = QString::fromLatin1(LxdeDesktopSwitch::kSavedKey);

    program.current = DesktopProgram::State::notRunning;
    const auto notRunning = desktopSwitch->setCreatesDesktop(false);
    ASSERT_TRUE(notRunning);
    EXPECT_TRUE(notRunning->contains(QStringLiteral("pcmanfm is not running")));

    program.current = DesktopProgram::State::notAnswering;
    const auto hung = desktopSwitch->setCreatesDesktop(false);
    ASSERT_TRUE(hung);
    EXPECT_TRUE(hung->contains(QStringLiteral("doesn't answer")));
    EXPECT_TRUE(desktopSwitch->setCreatesDesktop(true));  // hidden or not, it can't be told

    // The desktop does not come back after the change: the user's settings go back.
    program.current = DesktopProgram::State::answering;
    program.launchError = QStringLiteral("pcmanfm was started but did not draw the desktop");
    const auto noDesktop = desktopSwitch->setCreatesDesktop(false);
    ASSERT_TRUE(noDesktop);
    EXPECT_TRUE(noDesktop->contains(*program.launchError));
    program.launchError.reset();
    program.current = DesktopProgram::State::answering;

    // The defaults cannot be written: nothing to give back later, so nothing is hidden.
    domain.failSynchronize = true;
    EXPECT_TRUE(desktopSwitch->setCreatesDesktop(false));
    domain.failSynchronize = false;
    EXPECT_EQ(readFile(QStringLiteral("desktop-items-0.conf")), kLxdeItems);
    EXPECT_FALSE(defaults.objectForKey(savedKey));

    // A file that cannot be read.
    QFile::remove(path(QStringLiteral("desktop-items-0.conf")));
    QDir(dir.path()).mkdir(QStringLiteral("desktop-items-0.conf"));
    const auto unreadable = desktopSwitch->setCreatesDesktop(false);
    ASSERT_TRUE(unreadable);
    EXPECT_TRUE(unreadable->contains(QStringLiteral("desktop-items-0.conf")));
    EXPECT_TRUE(desktopSwitch->createsDesktop());
    EXPECT_FALSE(defaults.objectForKey(savedKey));
}

TEST_F(PcmanfmDesktop, KeptValuesOfTheWrongKindOrNoneGiveTheProgramsDefaults) {
    writeFile(QStringLiteral("desktop-items-0.conf"),
              "[*]\nfolder=" + emptyFolder().toUtf8() + "\nshow_trash=0\nshow_mounts=0\n");
    defaults.setObject(
        QString::fromLatin1(LxdeDesktopSwitch::kSavedKey),
        QVariant(QVariantMap{{QStringLiteral("desktop-items-0.conf"),
                              QVariantMap{{QStringLiteral("show_trash"), 3},
                                          {QStringLiteral("show_mounts"), QStringLiteral("1")}}}}));
    const test::LogCapture log;
    ASSERT_EQ(lxde()->setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(readFile(QStringLiteral("desktop-items-0.conf")), "[*]\nshow_mounts=1\n");
    bool warned = false;
    for (const test::LogLine& line : log.lines()) {
        warned = warned || line.message.contains(QStringLiteral("not a text"));
    }
    EXPECT_TRUE(warned);
}

TEST_F(PcmanfmDesktop, LxqtHidesWithHideItemsAndPutsBackItsAbsence) {
    const QByteArray settings =
        "[Desktop]\nBgColor=#000000\nWallpaper=/usr/share/lxqt/wallpapers/a.png\n"
        "WallpaperMode=zoom\n\n[System]\nTerminal=xterm\n";
    writeFile(QStringLiteral("settings.conf"), settings);
    LxqtDesktopSwitch desktopSwitch(program, defaults);
    ASSERT_EQ(desktopSwitch.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(value(QStringLiteral("settings.conf"), QStringLiteral("Desktop"),
                    QStringLiteral("HideItems")),
              QStringLiteral("true"));
    EXPECT_FALSE(desktopSwitch.createsDesktop());
    ASSERT_EQ(desktopSwitch.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(readFile(QStringLiteral("settings.conf")), settings);
    EXPECT_EQ(program.restarts, 2);
}

TEST_F(PcmanfmDesktop, TheWallpaperKeepsItsModeAndGoesLiveOnLxdeAndByARestartOnLxqt) {
    writeFile(QStringLiteral("desktop-items-0.conf"), kLxdeItems);
    PcmanfmWorkspace lxdeWallpaper(program, lxdeWallpaperLayout());
    const WorkspaceScreen all = lxdeWallpaper.screens().constFirst();
    EXPECT_EQ(lxdeWallpaper.desktopImageUrl(all),
              QUrl::fromLocalFile(QStringLiteral("/home/u/Pictures/sea.jpg")));
    const QVariantMap own = *lxdeWallpaper.desktopImageOptions(all);
    EXPECT_EQ(own.value(QString::fromLatin1(PcmanfmWorkspace::kModeKey)), QStringLiteral("tile"));

    const QVariantMap zoom{{QString::fromLatin1(kDesktopImageScalingKey), 3},
                           {QString::fromLatin1(kDesktopImageAllowClippingKey), true}};
    ASSERT_EQ(lxdeWallpaper.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/a b.png")),
                                               all, zoom),
              std::nullopt);
    ASSERT_EQ(lxdeWallpaper.setDesktopImageUrl(
                  QUrl::fromLocalFile(QStringLiteral("/home/u/Pictures/sea.jpg")), all, own),
              std::nullopt);
    EXPECT_EQ(program.told,
              (QList<QStringList>{{QStringLiteral("--set-wallpaper=/tmp/a b.png"),
                                   QStringLiteral("--wallpaper-mode=crop")},
                                  {QStringLiteral("--set-wallpaper=/home/u/Pictures/sea.jpg"),
                                   QStringLiteral("--wallpaper-mode=tile")}}));
    EXPECT_EQ(program.restarts, 0);

    program.tellError = QStringLiteral("pcmanfm doesn't answer (waited 3 s)");
    EXPECT_EQ(lxdeWallpaper.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/b.png")),
                                               all, own),
              program.tellError);

    writeFile(QStringLiteral("settings.conf"), "[Desktop]\nWallpaperMode=stretch\n");
    PcmanfmWorkspace lxqtWallpaper(program, lxqtWallpaperLayout());
    ASSERT_EQ(lxqtWallpaper.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/c.png")),
                                               all, zoom),
              std::nullopt);
    EXPECT_EQ(program.restarts, 1);
    EXPECT_EQ(readFile(QStringLiteral("settings.conf")),
              "[Desktop]\nWallpaperMode=zoom\nWallpaper=/tmp/c.png\n");
    // A path QSettings would have to quote is refused rather than written half-right.
    EXPECT_TRUE(lxqtWallpaper.setDesktopImageUrl(
        QUrl::fromLocalFile(QStringLiteral("/tmp/one, two.png")), all, zoom));
    program.current = DesktopProgram::State::notAnswering;
    EXPECT_TRUE(lxqtWallpaper.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/c.png")),
                                                 all, zoom));
    EXPECT_EQ(program.restarts, 1);
}

TEST(PcmanfmDesktopProgram, TheProfileComesFromTheDesktopsCommandLine) {
    const auto profile = [](const QStringList& arguments) {
        return PcmanfmDesktopProgram::profileOf(arguments);
    };
    EXPECT_EQ(
        profile({QStringLiteral("--desktop"), QStringLiteral("--profile"), QStringLiteral("LXDE")}),
        QStringLiteral("LXDE"));
    EXPECT_EQ(profile({QStringLiteral("--profile=lxqt"), QStringLiteral("--desktop")}),
              QStringLiteral("lxqt"));
    EXPECT_EQ(profile({QStringLiteral("-p"), QStringLiteral("x")}), QStringLiteral("x"));
    EXPECT_EQ(profile({QStringLiteral("--desktop")}), std::nullopt);
}

// LXDE and LXQt are chosen from what the session says or from their running programs.
TEST(PcmanfmDesktopDetection, TheSessionOrTheRunningProgramChoosesLxdeOrLxqt) {
    test::InMemoryPreferenceDomain appDomain;
    test::InMemoryPreferenceDomain finderDomain;
    UserDefaults defaults(appDomain);
    test::InMemoryProcessLauncher launcher;
    const DesktopDriverContext context{QDBusConnection(QStringLiteral("none")), defaults, launcher,
                                       finderDomain};
    const DesktopDriverSelector selector(desktopDrivers(context));
    const auto chosen = [&](const QString& current, const QString& process,
                            const QString& stored = {}) {
        DesktopEnvironment environment;
        environment.currentDesktop = current;
        environment.ownsBusName = [](const QString&) { return false; };
        environment.runsProcess = [process](const QString& name) { return name == process; };
        const auto choice = selector.choose(stored, environment);
        return choice.entry ? choice.entry->name : QString();
    };
    EXPECT_EQ(chosen(QStringLiteral("LXDE"), {}), QStringLiteral("lxde"));
    EXPECT_EQ(chosen(QStringLiteral("LXQt"), {}), QStringLiteral("lxqt"));
    EXPECT_EQ(chosen({}, QStringLiteral("pcmanfm-qt")), QStringLiteral("lxqt"));
    EXPECT_EQ(chosen({}, QStringLiteral("pcmanfm")), QStringLiteral("lxde"));
    EXPECT_EQ(chosen(QStringLiteral("sway"), {}, QStringLiteral("lxqt")), QStringLiteral("lxqt"));
}

}  // namespace
}  // namespace hushpane

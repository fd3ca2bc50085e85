#include "backends/xdg/XdgAutostartLoginItem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hushpane;
using Status = LoginItemService::Status;

namespace {

class XdgAutostartLoginItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        program = temp.filePath(QStringLiteral("bin/hushpane"));
        QDir().mkpath(temp.filePath(QStringLiteral("bin")));
        QFile exe(program);
        ASSERT_TRUE(exe.open(QIODevice::WriteOnly));
        exe.write("#!/bin/sh\n");
        exe.close();
        exe.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QString autostart() const { return temp.filePath(QStringLiteral("config/autostart")); }
    QString entry() const { return autostart() + QStringLiteral("/hushpane.desktop"); }

    void writeEntry(const QByteArray& contents) const {
        QDir().mkpath(autostart());
        QFile file(entry());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    QByteArray readEntry() const {
        QFile file(entry());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir temp;
    QString program;
};

}  // namespace

TEST_F(XdgAutostartLoginItemTest, RegisterWritesTheEntryAndUnregisterRemovesIt) {
    XdgAutostartLoginItem item(program, autostart());
    EXPECT_EQ(item.status(), Status::notRegistered);
    EXPECT_EQ(item.entryPath(), entry());

    // The folder does not exist yet: registering makes it.
    EXPECT_EQ(item.registerLoginItem(), std::nullopt);
    EXPECT_EQ(item.status(), Status::enabled);
    const QByteArray written = readEntry();
    EXPECT_TRUE(written.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(written.contains("\nType=Application\n"));
    EXPECT_TRUE(written.contains("\nExec=\"" + program.toUtf8() + "\"\n"));
    EXPECT_FALSE(written.contains("Hidden"));

    // Registering again rewrites the same entry.
    EXPECT_EQ(item.registerLoginItem(), std::nullopt);
    EXPECT_EQ(readEntry(), written);

    EXPECT_EQ(item.unregisterLoginItem(), std::nullopt);
    EXPECT_FALSE(QFile::exists(entry()));
    EXPECT_EQ(item.status(), Status::notRegistered);
    // Nothing to remove is not a failure.
    EXPECT_EQ(item.unregisterLoginItem(), std::nullopt);
}

TEST_F(XdgAutostartLoginItemTest, AnEntryThatHidesOrDisablesItselfIsNotEnabled) {
    XdgAutostartLoginItem item(program, autostart());

    writeEntry("[Desktop Entry]\nType=Application\nExec=hushpane\nHidden=true\n");
    EXPECT_EQ(item.status(), Status::notRegistered);
    writeEntry("[Desktop Entry]\nExec=hushpane\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_EQ(item.status(), Status::notRegistered);
    // Only the main group counts; other values and groups do not disable it.
    writeEntry(
        "# edited by hand\n[Desktop Entry]\nExec=hushpane\nHidden=false\n"
        "[Desktop Action quit]\nHidden=true\n");
    EXPECT_EQ(item.status(), Status::enabled);
    // A file that is not a desktop entry at all starts nothing.
    writeEntry("garbage\n");
    EXPECT_EQ(item.status(), Status::notRegistered);

    // Registering replaces a hidden entry with one that starts.
    writeEntry("[Desktop Entry]\nExec=hushpane\nHidden=true\n");
    EXPECT_EQ(item.registerLoginItem(), std::nullopt);
    EXPECT_EQ(item.status(), Status::enabled);
}

TEST_F(XdgAutostartLoginItemTest, ExecQuotesEveryReservedCharacterAndRefusesControlCharacters) {
    EXPECT_EQ(XdgAutostartLoginItem::execLine(QStringLiteral("/usr/bin/hushpane")),
              QStringLiteral("\"/usr/bin/hushpane\""));
    // Quoting escapes " ` $ \ with a backslash, % is doubled, and the string level doubles
    // every backslash once more (a literal backslash ends up as four).
    EXPECT_EQ(XdgAutostartLoginItem::execLine(QStringLiteral("/opt/My Apps/a$b\"c`d50%\\e")),
              QStringLiteral("\"/opt/My Apps/a\\\\$b\\\\\"c\\\\`d50%%\\\\\\\\e\""));
    EXPECT_EQ(XdgAutostartLoginItem::execLine(QStringLiteral("/tmp/evil\nHidden=true")),
              std::nullopt);
    EXPECT_EQ(XdgAutostartLoginItem::execLine(QString()), std::nullopt);

    // A path that cannot be written safely never reaches the file.
    const QString odd = temp.filePath(QStringLiteral("bin/line\nbreak"));
    QFile::copy(program, odd);
    XdgAutostartLoginItem item(odd, autostart());
    const std::optional<QString> error = item.registerLoginItem();
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(QStringLiteral("control characters"))) << error->toStdString();
    EXPECT_FALSE(QFile::exists(entry()));
}

TEST_F(XdgAutostartLoginItemTest, FailuresAreReportedAndLeaveTheStatusAsItWas) {
    // The program to start is gone.
    XdgAutostartLoginItem missing(temp.filePath(QStringLiteral("bin/nothing")), autostart());
    EXPECT_EQ(missing.status(), Status::notFound);
    EXPECT_TRUE(missing.registerLoginItem().has_value());
    EXPECT_FALSE(QFile::exists(entry()));

    // The autostart folder cannot be made because a file is in its place.
    QDir().mkpath(temp.filePath(QStringLiteral("config")));
    QFile blocker(autostart());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    XdgAutostartLoginItem item(program, autostart());
    const std::optional<QString> error = item.registerLoginItem();
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->contains(autostart())) << error->toStdString();
    EXPECT_EQ(item.status(), Status::notRegistered);
}

TEST_F(XdgAutostartLoginItemTest, TheDefaultFolderFollowsXdgConfigHome) {
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", "/somewhere/config");
    EXPECT_EQ(XdgAutostartLoginItem::defaultAutostartDirectory(),
              QStringLiteral("/somewhere/config/autostart"));
    // A relative value is invalid and ignored.
    qputenv("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(XdgAutostartLoginItem::defaultAutostartDirectory(),
              QDir::homePath() + QStringLiteral("/.config/autostart"));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(XdgAutostartLoginItem::defaultAutostartDirectory(),
              QDir::homePath() + QStringLiteral("/.config/autostart"));
    qputenv("XDG_CONFIG_HOME", saved);
}

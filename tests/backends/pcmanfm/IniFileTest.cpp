#include "backends/pcmanfm/IniFile.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

// A hand-edited file: comments, blanks, a key QSettings reads as escaped, odd spacing, a key
// in two sections, no newline at the end.
const QByteArray kHandEdited =
    "# my desktop\n"
    "[*]\n"
    "wallpaper_mode = crop\n"
    "show_trash=1\n"
    "sort=mtime;ascending;mingle;\n"
    "\n"
    "; positions\n"
    "[notes.txt]\n"
    "x=12\n"
    "show_trash=7";

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(IniFile, ChangesOnlyTheLinesOfItsKeysWhereQSettingsWouldRewriteTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("desktop-items-0.conf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kHandEdited);
    file.close();

    IniFile::Read read = IniFile::read(path);
    ASSERT_TRUE(read.file) << read.error.toStdString();
    IniFile& ini = *read.file;
    EXPECT_EQ(ini.text(), kHandEdited);
    EXPECT_EQ(ini.value(QStringLiteral("*"), QStringLiteral("wallpaper_mode")),
              QStringLiteral("crop"));
    EXPECT_EQ(ini.value(QStringLiteral("notes.txt"), QStringLiteral("show_trash")),
              QStringLiteral("7"));
    EXPECT_EQ(ini.value(QStringLiteral("*"), QStringLiteral("folder")), std::nullopt);

    ini.setValue(QStringLiteral("*"), QStringLiteral("show_trash"), QStringLiteral("0"));
    ini.setValue(QStringLiteral("*"), QStringLiteral("folder"), QStringLiteral("/tmp/empty"));
    ini.setValue(QStringLiteral("Desktop"), QStringLiteral("HideItems"), QStringLiteral("true"));
    ASSERT_EQ(ini.write(path), std::nullopt);
    EXPECT_EQ(readAll(path).toStdString(),
              "# my desktop\n[*]\nwallpaper_mode = crop\nshow_trash=0\n"
              "sort=mtime;ascending;mingle;\nfolder=/tmp/empty\n\n; positions\n[notes.txt]\n"
              "x=12\nshow_trash=7\n\n[Desktop]\nHideItems=true");

    IniFile again = *IniFile::read(path).file;
    again.setValue(QStringLiteral("*"), QStringLiteral("show_trash"), QStringLiteral("1"));
    again.remove(QStringLiteral("*"), QStringLiteral("folder"));
    again.remove(QStringLiteral("Desktop"), QStringLiteral("HideItems"));
    EXPECT_EQ(again.text().toStdString(), (kHandEdited + "\n\n[Desktop]").toStdString());

    // What a QSettings round trip does to the same file: comments and spacing are gone.
    QFile::remove(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kHandEdited);
    file.close();
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("*/show_trash"), QStringLiteral("0"));
    }
    EXPECT_FALSE(readAll(path).contains("# my desktop"));
}

TEST(IniFile, AMissingFileIsEmptyAndAnUnreadableOneAnError) {
    QTemporaryDir dir;
    const IniFile::Read missing = IniFile::read(dir.filePath(QStringLiteral("none.conf")));
    ASSERT_TRUE(missing.file);
    EXPECT_TRUE(missing.file->text().isEmpty());

    // A folder where the file should be cannot be read, by root either.
    QDir(dir.path()).mkdir(QStringLiteral("settings.conf"));
    const IniFile::Read folder = IniFile::read(dir.filePath(QStringLiteral("settings.conf")));
    EXPECT_FALSE(folder.file);
    EXPECT_TRUE(folder.error.contains(QStringLiteral("settings.conf")));
    IniFile empty = *missing.file;
    empty.setValue(QStringLiteral("Desktop"), QStringLiteral("HideItems"), QStringLiteral("true"));
    EXPECT_TRUE(empty.write(dir.filePath(QStringLiteral("settings.conf"))));
}

}  // namespace
}  // namespace hushpane

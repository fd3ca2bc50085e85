#include "backends/linux/ConfigFileWatcher.h"

#include <QDir>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

bool write(const QString& path, const QByteArray& text) {
    QSaveFile file(path);  // a new file renamed over the old one, as KConfig saves
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

// The file is created, then replaced whole twice in a burst: told once each time, and never
// for another file of its folder.
TEST(ConfigFileWatcher, TellsOfTheFileCreatedOrReplacedOnceABurstIsOverAndOfNothingElse) {
    const QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("config")));
    const QString path = home.filePath(QStringLiteral("config/appletsrc"));
    ConfigFileWatcher watcher(path);
    QSignalSpy told(&watcher, &ConfigFileWatcher::changed);

    ASSERT_TRUE(write(path, "[General]\nfilterMode=2\n"));
    ASSERT_TRUE(told.wait(5000));

    ASSERT_TRUE(write(path, "[General]\nfilterMode=0\n"));
    ASSERT_TRUE(write(path, "[General]\nfilterMode=0\nsortMode=1\n"));
    ASSERT_TRUE(told.wait(5000));
    EXPECT_FALSE(told.wait(ConfigFileWatcher::kQuietMs * 2));
    EXPECT_EQ(told.count(), 2);

    ASSERT_TRUE(write(home.filePath(QStringLiteral("config/otherrc")), "x=1\n"));
    EXPECT_FALSE(told.wait(ConfigFileWatcher::kQuietMs * 3));
}

}  // namespace
}  // namespace hushpane

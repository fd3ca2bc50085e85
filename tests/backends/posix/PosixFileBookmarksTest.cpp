#include "backends/posix/PosixFileBookmarks.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

TEST(PosixFileBookmarks, ResolvesToTheSameFileAndFailsOnceItIsReplacedOrGone) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/picture.png");
    writeFile(path, "one");
    PosixFileBookmarks bookmarks;

    const auto bookmark = bookmarks.create(QUrl::fromLocalFile(path));
    ASSERT_TRUE(bookmark);
    EXPECT_EQ(bookmarks.resolve(*bookmark), QUrl::fromLocalFile(path));

    // Another file now at the same path is not the bookmarked one.
    const QString other = dir.path() + QStringLiteral("/other.png");
    writeFile(other, "two");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(other, path));
    EXPECT_FALSE(bookmarks.resolve(*bookmark));

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(bookmarks.resolve(*bookmark));
    EXPECT_FALSE(bookmarks.create(QUrl::fromLocalFile(path)));
    EXPECT_FALSE(bookmarks.create(QUrl(QStringLiteral("https://example.org/a.png"))));
    EXPECT_FALSE(bookmarks.resolve("garbage"));
    EXPECT_FALSE(bookmarks.resolve(QByteArray("hushpane-bookmark/1\n{\"path\":1}")));
}

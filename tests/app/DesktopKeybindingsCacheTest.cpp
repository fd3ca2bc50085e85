#include "app/DesktopKeybindingsCache.h"

#include <QSemaphore>
#include <QSignalSpy>

#include <atomic>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

// A reader that hangs (a desktop daemon that stopped) never holds the caller: the last list
// read answers meanwhile, and one reading runs at a time.
TEST(DesktopKeybindingsCache, AnswersAtOnceWithTheLastListWhileAReaderHangs) {
    QSemaphore release;
    std::atomic<int> readings = 0;
    QList<DesktopAccelerator> current{{QStringLiteral("<Super>d"), QStringLiteral("Show desktop")}};
    DesktopKeybindingsCache cache([&] {
        ++readings;
        release.acquire();
        return current;
    });
    QSignalSpy refreshed(&cache, &DesktopKeybindingsCache::refreshed);

    EXPECT_TRUE(cache.read().isEmpty());  // nothing read yet; the reader now hangs
    EXPECT_TRUE(cache.read().isEmpty());
    release.release();
    ASSERT_TRUE(refreshed.wait(5000));
    EXPECT_EQ(readings, 1);

    current.clear();
    EXPECT_EQ(cache.read().value(0).accelerator, QStringLiteral("<Super>d"));  // starts another
    release.release();
    ASSERT_TRUE(refreshed.wait(5000));
    EXPECT_TRUE(cache.read().isEmpty());
    release.release();
    ASSERT_TRUE(refreshed.wait(5000));
    EXPECT_EQ(readings, 3);
}

}  // namespace
}  // namespace hushpane

#include "backends/linux/LinuxApplicationPlatform.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

QString windowState(const QWidget& w) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w.winId()),
                                          QStringLiteral("_NET_WM_STATE")});
    xprop.waitForFinished(5000);
    return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

}  // namespace

TEST(TaskBarPolicy, AnAccessorysWindowsStayOutOfTheTaskBar) {
    if (QGuiApplication::platformName() != u"xcb") {
        GTEST_SKIP() << "needs X11";
    }
    LinuxApplicationPlatform platform;
    platform.setActivationPolicy(ApplicationPlatform::ActivationPolicy::accessory);
    QWidget accessoryWindow;
    accessoryWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&accessoryWindow));
    EXPECT_TRUE(
        windowState(accessoryWindow).contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")));
    EXPECT_TRUE(windowState(accessoryWindow).contains(QStringLiteral("_NET_WM_STATE_SKIP_PAGER")));

    platform.setActivationPolicy(ApplicationPlatform::ActivationPolicy::regular);
    QWidget regularWindow;
    regularWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&regularWindow));
    EXPECT_FALSE(windowState(regularWindow).contains(QStringLiteral("SKIP_TASKBAR")));
}

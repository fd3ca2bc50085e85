#include "backends/linux/LinuxApplicationPlatform.h"

#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace hushpane;

namespace {

QString property(const QWidget& w, const QString& name) {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w.winId()), name});
    xprop.waitForFinished(5000);
    return QString::fromLocal8Bit(xprop.readAllStandardOutput());
}

QString windowState(const QWidget& w) {
    return property(w, QStringLiteral("_NET_WM_STATE"));
}

bool isSkippingTaskBar(const QWidget& w) {
    return windowState(w).contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR"));
}

// True once `condition` holds, looked at for up to two seconds.
bool eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 40; ++i) {
        if (condition()) {
            return true;
        }
        QTest::qWait(50);
    }
    return condition();
}

bool hasWindowManager() {
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
                {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")});
    xprop.waitForFinished(5000);
    return xprop.readAllStandardOutput().contains("window id");
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

// The settings window is shown first and the policy follows at once, before the window is
// exposed; the window manager may or may not have taken the window in by then.
TEST(TaskBarPolicy, ThePolicyFollowsAWindowThatIsBeingShown) {
    if (QGuiApplication::platformName() != u"xcb" || !hasWindowManager()) {
        GTEST_SKIP() << "needs X11 with a window manager";
    }
    using Policy = ApplicationPlatform::ActivationPolicy;
    LinuxApplicationPlatform platform;
    QWidget window;
    window.resize(200, 100);
    constexpr int kRuns = 12;
    int intoTaskBar = 0;
    int outOfTaskBar = 0;
    for (int run = 0; run < kRuns; ++run) {
        platform.setActivationPolicy(Policy::accessory);
        window.show();
        platform.setActivationPolicy(Policy::regular);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Managed: the window manager has put its frame around the window.
        ASSERT_TRUE(eventually([&] {
            return property(window, QStringLiteral("WM_STATE")).contains(QStringLiteral("Normal"));
        }));
        if (eventually([&] { return !isSkippingTaskBar(window); })) {
            ++intoTaskBar;
        }
        window.hide();
        QTest::qWait(20);

        platform.setActivationPolicy(Policy::regular);
        window.show();
        platform.setActivationPolicy(Policy::accessory);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        if (eventually([&] { return isSkippingTaskBar(window); })) {
            ++outOfTaskBar;
        }
        window.hide();
        QTest::qWait(20);
    }
    EXPECT_EQ(intoTaskBar, kRuns);
    EXPECT_EQ(outOfTaskBar, kRuns);
}

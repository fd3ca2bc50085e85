#include "support/PrivateSession.h"

#include "backends/xfce/XfceWorkspace.h"
#include "backends/xfce/XfconfClient.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::PrivateSession;

const QString kChannel = QStringLiteral("xfce4-desktop");

class XfceWorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        ASSERT_FALSE(workspace.screens().isEmpty());
        screen = workspace.screens().constFirst();
        monitor = QStringLiteral("/backdrop/screen0/monitor") + screen.id;
    }

    void set(const QString& property, const QVariant& value) {
        ASSERT_EQ(xfconf.setProperty(kChannel, property, value), std::nullopt);
    }
    std::optional<QVariant> get(const QString& property) const {
        return xfconf.property(kChannel, property).value;
    }

    PrivateSession session;
    XfconfClient xfconf{session.bus()};
    std::optional<int> currentWorkspace = 3;
    std::optional<int> workspaceCount;
    XfceWorkspace workspace{xfconf, [this] { return currentWorkspace; },
                            [this] { return workspaceCount; }};
    WorkspaceScreen screen;
    QString monitor;
};

TEST_F(XfceWorkspaceTest, ScreensAreQtsConnectorsWithAStableNumber) {
    const QList<QScreen*> qtScreens = QGuiApplication::screens();
    const QList<WorkspaceScreen> screens = workspace.screens();
    ASSERT_EQ(screens.size(), qtScreens.size());
    for (int i = 0; i < screens.size(); ++i) {
        EXPECT_EQ(screens[i].id, qtScreens[i]->name());
        EXPECT_EQ(screens[i].deviceDescription.value(QStringLiteral("NSScreenNumber")).toUInt(),
                  XfceWorkspace::displayNumberForConnector(qtScreens[i]->name()));
    }
    // Fixed values: the number must not depend on the process (a seeded hash would break the
    // saved wallpapers across restarts).
    EXPECT_EQ(XfceWorkspace::displayNumberForConnector(QStringLiteral("screen")), 0x55C54C11u);
    EXPECT_NE(XfceWorkspace::displayNumberForConnector(QStringLiteral("HDMI-1")),
              XfceWorkspace::displayNumberForConnector(QStringLiteral("HDMI-2")));
    EXPECT_NE(XfceWorkspace::displayNumberForConnector(QString()), 0u);
}

TEST_F(XfceWorkspaceTest, FollowsSingleWorkspaceModeAndTheCurrentWorkspace) {
    // Missing mode: xfdesktop's default, one wallpaper for all workspaces (number 0).
    set(monitor + QStringLiteral("/workspace0/last-image"), QStringLiteral("/pics/zero.png"));
    set(monitor + QStringLiteral("/workspace3/last-image"), QStringLiteral("/pics/three.png"));
    set(monitor + QStringLiteral("/workspace1/last-image"), QStringLiteral("/pics/one.png"));
    EXPECT_EQ(workspace.desktopImageUrl(screen),
              QUrl::fromLocalFile(QStringLiteral("/pics/zero.png")));

    set(QStringLiteral("/backdrop/single-workspace-number"), 1);
    EXPECT_EQ(workspace.desktopImageUrl(screen),
              QUrl::fromLocalFile(QStringLiteral("/pics/one.png")));

    set(QStringLiteral("/backdrop/single-workspace-mode"), false);
    EXPECT_EQ(workspace.desktopImageUrl(screen),
              QUrl::fromLocalFile(QStringLiteral("/pics/three.png")));
    currentWorkspace = std::nullopt;  // no window manager to ask
    EXPECT_EQ(workspace.desktopImageUrl(screen),
              QUrl::fromLocalFile(QStringLiteral("/pics/zero.png")));

    currentWorkspace = 2;  // nothing stored for workspace 2
    EXPECT_EQ(workspace.desktopImageUrl(screen), std::nullopt);
    EXPECT_EQ(workspace.desktopImageOptions(screen), std::nullopt);
}

TEST_F(XfceWorkspaceTest, SettingCreatesTypedPropertiesAndOptionsRoundTrip) {
    const QVariantMap fill{{QString::fromLatin1(kDesktopImageScalingKey), 3u},
                           {QString::fromLatin1(kDesktopImageAllowClippingKey), true}};
    ASSERT_EQ(workspace.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/pics/new.png")),
                                           screen, fill),
              std::nullopt);
    const std::optional<QVariant> image = get(monitor + QStringLiteral("/workspace0/last-image"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->typeId(), QMetaType::QString);
    EXPECT_EQ(image->toString(), QStringLiteral("/pics/new.png"));
    const std::optional<QVariant> style = get(monitor + QStringLiteral("/workspace0/image-style"));
    ASSERT_TRUE(style);
    EXPECT_EQ(style->typeId(), QMetaType::Int);
    EXPECT_EQ(style->toInt(), 5);  // zoomed
    EXPECT_EQ(workspace.desktopImageUrl(screen),
              QUrl::fromLocalFile(QStringLiteral("/pics/new.png")));

    // Tiled has no scaling equivalent; reading and writing the options back keeps it.
    set(monitor + QStringLiteral("/workspace0/image-style"), 2);
    const std::optional<QVariantMap> options = workspace.desktopImageOptions(screen);
    ASSERT_TRUE(options);
    ASSERT_EQ(workspace.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/pics/old.png")),
                                           screen, *options),
              std::nullopt);
    EXPECT_EQ(get(monitor + QStringLiteral("/workspace0/image-style")), QVariant(2));
}

// With a wallpaper per workspace, the custom picture covers every workspace of the monitor and
// each gets its own back; what was unset (a workspace xfdesktop never drew) is unset again.
TEST_F(XfceWorkspaceTest, EachWorkspaceGetsItsOwnWallpaperBack) {
    set(QStringLiteral("/backdrop/single-workspace-mode"), false);
    currentWorkspace = 1;
    workspaceCount = 3;
    set(monitor + QStringLiteral("/workspace0/last-image"), QStringLiteral("/pics/zero.png"));
    set(monitor + QStringLiteral("/workspace0/image-style"), 1);
    set(monitor + QStringLiteral("/workspace1/last-image"), QStringLiteral("/pics/one.png"));
    const std::optional<QVariantMap> own = workspace.wallpaperState(screen);
    ASSERT_TRUE(own);
    EXPECT_EQ(own->keys(), (QStringList{QStringLiteral("workspace0"), QStringLiteral("workspace1"),
                                        QStringLiteral("workspace2")}));

    const QVariantMap fill{{QString::fromLatin1(kDesktopImageScalingKey), 3u},
                           {QString::fromLatin1(kDesktopImageAllowClippingKey), true}};
    ASSERT_EQ(workspace.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/pics/custom.png")),
                                           screen, fill),
              std::nullopt);
    for (const char* number : {"0", "1", "2"}) {
        const QString prefix = monitor + QStringLiteral("/workspace%1/").arg(QLatin1String(number));
        EXPECT_EQ(get(prefix + QStringLiteral("last-image")),
                  QVariant(QStringLiteral("/pics/custom.png")))
            << number;
        EXPECT_EQ(get(prefix + QStringLiteral("image-style")), QVariant(5)) << number;
    }
    EXPECT_NE(workspace.wallpaperState(screen), own);

    ASSERT_EQ(workspace.restoreWallpaperState(screen, *own), std::nullopt);
    EXPECT_EQ(get(monitor + QStringLiteral("/workspace0/last-image")),
              QVariant(QStringLiteral("/pics/zero.png")));
    EXPECT_EQ(get(monitor + QStringLiteral("/workspace0/image-style")), QVariant(1));
    EXPECT_EQ(get(monitor + QStringLiteral("/workspace1/last-image")),
              QVariant(QStringLiteral("/pics/one.png")));
    EXPECT_EQ(get(monitor + QStringLiteral("/workspace1/image-style")), std::nullopt);
    EXPECT_EQ(get(monitor + QStringLiteral("/workspace2/last-image")), std::nullopt);
    EXPECT_EQ(workspace.wallpaperState(screen), own);

    // One wallpaper for all workspaces: the one part that xfdesktop draws.
    set(QStringLiteral("/backdrop/single-workspace-mode"), true);
    set(QStringLiteral("/backdrop/single-workspace-number"), 1);
    EXPECT_EQ(workspace.wallpaperState(screen)->keys(), QStringList{QStringLiteral("workspace1")});
}

TEST(XfceImageStyles, MapToAndFromScalingOptions) {
    const auto style = [](std::optional<uint> scaling, bool clipping) {
        QVariantMap options{{QString::fromLatin1(kDesktopImageAllowClippingKey), clipping}};
        if (scaling) {
            options.insert(QString::fromLatin1(kDesktopImageScalingKey), *scaling);
        }
        return XfceWorkspace::imageStyleForOptions(options);
    };
    EXPECT_EQ(style(3, true), 5);   // zoomed
    EXPECT_EQ(style(3, false), 4);  // scaled
    EXPECT_EQ(style(1, false), 3);  // stretched
    EXPECT_EQ(style(2, false), 1);  // centred
    EXPECT_EQ(style(std::nullopt, false), 4);
    for (int s = 0; s <= 6; ++s) {
        EXPECT_EQ(XfceWorkspace::imageStyleForOptions(XfceWorkspace::optionsForImageStyle(s)), s);
    }
    // Our own key out of range falls back to the scaling options.
    EXPECT_EQ(XfceWorkspace::imageStyleForOptions(
                  {{QString::fromLatin1(XfceWorkspace::kImageStyleKey), 9},
                   {QString::fromLatin1(kDesktopImageScalingKey), 1u}}),
              3);
}

TEST_F(XfceWorkspaceTest, FailuresCarryTheDaemonsMessage) {
    EXPECT_EQ(
        workspace.setDesktopImageUrl(QUrl(QStringLiteral("https://example.org/a.png")), screen, {}),
        QStringLiteral("xfdesktop can only show a local picture, not "
                       "https://example.org/a.png"));

    // xfconf refuses property names with characters it does not allow.
    WorkspaceScreen odd = screen;
    odd.deviceDescription.insert(QStringLiteral("XfceMonitorConnector"),
                                 QStringLiteral("bad name*"));
    const std::optional<QString> refused =
        workspace.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/pics/a.png")), odd, {});
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->startsWith(QStringLiteral("Property names can only include")))
        << refused->toStdString();

    const QDBusConnection nowhere = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/hushpane-bus"), QStringLiteral("nowhere-ws"));
    XfceWorkspace unreachable{XfconfClient(nowhere)};
    EXPECT_EQ(unreachable.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/pics/a.png")),
                                             screen, {}),
              QStringLiteral("Not connected to D-Bus server"));
    EXPECT_EQ(unreachable.desktopImageUrl(screen), std::nullopt);
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere-ws"));
}

}  // namespace
}  // namespace hushpane

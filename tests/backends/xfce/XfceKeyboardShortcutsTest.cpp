#include "../x11/XkbKeymap.h"
#include "support/PrivateSession.h"

#include "backends/x11/DesktopHotKeys.h"
#include "backends/xfce/XfceKeyboardShortcuts.h"

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::PrivateSession;

class XfceKeyboardShortcutsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.isValid()) << session.error().toStdString(); }

    void set(const QString& property, const QVariant& value) {
        ASSERT_EQ(client.setProperty(QString::fromLatin1(XfceKeyboardShortcuts::kChannel), property,
                                     value),
                  std::nullopt);
    }

    PrivateSession session;
    XfconfClient client{session.bus()};
};

TEST_F(XfceKeyboardShortcutsTest, TheUsersOwnSetCountsWhereThereIsOne) {
    // XFCE's own defaults (the system's xfconf files) to begin with.
    const DesktopAccelerator closeWindow{QStringLiteral("<Alt>F4"), QStringLiteral("Close window")};
    const QList<DesktopAccelerator> defaults = XfceKeyboardShortcuts(client).accelerators();
    EXPECT_TRUE(defaults.contains(closeWindow));

    set(QStringLiteral("/xfwm4/custom/<Super>d"), QStringLiteral("show_desktop_key"));
    set(QStringLiteral("/xfwm4/custom/<Super>Tab"), QString());
    set(QStringLiteral("/xfwm4/custom/override"), true);
    set(QStringLiteral("/commands/custom/<Super>e"), QStringLiteral("thunar"));
    set(QStringLiteral("/commands/custom/<Super>e/startup-notify"), true);

    const QList<DesktopAccelerator> accelerators = XfceKeyboardShortcuts(client).accelerators();
    EXPECT_EQ(accelerators, (QList<DesktopAccelerator>{
                                {QStringLiteral("<Super>e"), QStringLiteral("thunar")},
                                {QStringLiteral("<Super>d"), QStringLiteral("Show desktop")}}));

    // The keys a recorded shortcut has: the key right of S with the logo key.
    const XkbKeymap us("us");
    EXPECT_EQ(x11::actionOnKeys(accelerators, us.get(), 2, 0x100), QStringLiteral("Show desktop"));
    EXPECT_EQ(x11::actionOnKeys(accelerators, us.get(), 14, 0x100), QStringLiteral("thunar"));
    EXPECT_EQ(x11::actionOnKeys(accelerators, us.get(), 118, 0x800), std::nullopt)
        << "the defaults of a part with a set of the user's own do not count";
}

TEST_F(XfceKeyboardShortcutsTest, ANameOfTheWindowManagerReadsAsWords) {
    EXPECT_EQ(XfceKeyboardShortcuts::actionInWords(QStringLiteral("cycle_windows_key")),
              QStringLiteral("Cycle windows"));
    EXPECT_EQ(XfceKeyboardShortcuts::actionInWords(QStringLiteral("workspace_1_key")),
              QStringLiteral("Workspace 1"));
}

}  // namespace
}  // namespace hushpane

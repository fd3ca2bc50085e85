#include "backends/wayland/KeyTriggerText.h"

#include <gtest/gtest.h>

using namespace hushpane::wayland;

namespace {

constexpr qint64 kCommand = 0x100;
constexpr qint64 kShift = 0x200;
constexpr qint64 kOption = 0x800;
constexpr qint64 kControl = 0x1000;
constexpr qint64 kFunction = 0x20000;

}  // namespace

TEST(KeyTriggerText, WritesModifiersInTheDesktopsOrderAndTheKeyAsItsKeysym) {
    EXPECT_EQ(portalTrigger(2, kControl | kOption | kCommand), QStringLiteral("CTRL+ALT+LOGO+d"));
    EXPECT_EQ(portalTrigger(40, kCommand | kShift), QStringLiteral("SHIFT+LOGO+k"));
    EXPECT_EQ(portalTrigger(96, 0), QStringLiteral("F5"));
    EXPECT_EQ(portalTrigger(36, kControl), QStringLiteral("CTRL+Return"));
    EXPECT_EQ(portalTrigger(49, kOption), QStringLiteral("ALT+space"));
    // Key positions, not characters: the position of the US "z" stays "z" (Y on a German
    // keyboard), as the stored key code does.
    EXPECT_EQ(portalTrigger(6, kControl), QStringLiteral("CTRL+z"));

    EXPECT_EQ(gtkAccelerator(2, kControl | kOption | kCommand),
              QStringLiteral("<Control><Alt><Super>d"));
    EXPECT_EQ(gtkAccelerator(96, kShift), QStringLiteral("<Shift>F5"));
}

TEST(KeyTriggerText, HasNoTextForWhatNoDesktopCanBind) {
    EXPECT_FALSE(portalTrigger(2, kControl | kFunction));
    EXPECT_FALSE(portalTrigger(9999, kControl));
    EXPECT_FALSE(portalTrigger(-1, kControl));
    EXPECT_FALSE(gtkAccelerator(2, -5));
    // Stray bits of an edited preference file (caps lock) do not change the text.
    EXPECT_EQ(portalTrigger(2, kControl | 0x400), QStringLiteral("CTRL+d"));
}

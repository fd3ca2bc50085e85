#include "XkbKeymap.h"

#include "backends/x11/DesktopHotKeys.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

constexpr qint64 kCommand = 0x100;
constexpr qint64 kShift = 0x200;
constexpr qint64 kOption = 0x800;
constexpr qint64 kControl = 0x1000;

}  // namespace

TEST(DesktopHotKeys, AcceleratorTexts) {
    const auto deleteKey = x11::parseAccelerator(QStringLiteral("<Primary><Alt>Delete"));
    ASSERT_TRUE(deleteKey);
    EXPECT_EQ(deleteKey->keysym, static_cast<xkb_keysym_t>(XKB_KEY_Delete));
    EXPECT_EQ(deleteKey->carbonModifiers, kControl | kOption);

    const auto superD = x11::parseAccelerator(QStringLiteral("<Super>d"));
    ASSERT_TRUE(superD);
    EXPECT_EQ(superD->keysym, static_cast<xkb_keysym_t>(XKB_KEY_d));
    EXPECT_EQ(superD->carbonModifiers, kCommand);

    const auto shiftCtrl = x11::parseAccelerator(QStringLiteral("<Shift><Control>F12"));
    ASSERT_TRUE(shiftCtrl);
    EXPECT_EQ(shiftCtrl->carbonModifiers, kShift | kControl);

    const auto plain = x11::parseAccelerator(QStringLiteral("Print"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->carbonModifiers, 0);

    for (const char* junk : {"", "<Super>", "<Hyper>a", "<Primary", "not a key",
                             "/org/gnome/settings-daemon/custom0/", "nosuchkeyname", "true"}) {
        EXPECT_FALSE(x11::parseAccelerator(QString::fromUtf8(junk))) << junk;
    }
}

TEST(DesktopHotKeys, AcceleratorsBecomeKeyPositions) {
    const XkbKeymap us("us");
    ASSERT_NE(us.get(), nullptr);
    const QList<SymbolicHotKey> keys =
        x11::symbolicHotKeys({QStringLiteral("<Primary><Alt>Delete"), QStringLiteral("<Super>d"),
                              QStringLiteral("<Primary>exclam"), QStringLiteral("XF86AudioMute"),
                              QStringLiteral("<Hyper>x"), QStringLiteral("<Alt>F2")},
                             us.get());
    ASSERT_EQ(keys.size(), 5);
    const auto expect = [&](int i, qint64 code, qint64 modifiers) {
        EXPECT_TRUE(keys[i].enabled);
        EXPECT_EQ(keys[i].keyCode, code) << i;
        EXPECT_EQ(keys[i].modifiers, modifiers) << i;
    };
    expect(0, 117, kControl | kOption);  // forward delete
    expect(1, 2, kCommand);
    expect(2, 18, kControl | kShift);  // "!" is shift-1
    expect(3, 74, 0);
    expect(4, 120, kOption);
}

TEST(DesktopHotKeys, TheActionOnKeysIsFoundByPositionOnTheLatinLayout) {
    // With Russian first, "<Super>d" still sits on the key right of S.
    const XkbKeymap ruUs("ru,us");
    ASSERT_NE(ruUs.get(), nullptr);
    const QList<DesktopAccelerator> keybindings{
        {QStringLiteral("<Primary><Alt>Delete"), QStringLiteral("xfce4-session-logout")},
        {QStringLiteral("<Super>d"), QStringLiteral("Show desktop")},
        {QStringLiteral("<Super>d"), QStringLiteral("a second binding, never seen")},
        {QStringLiteral("<Primary>exclam"), QStringLiteral("Shout")}};
    EXPECT_EQ(x11::actionOnKeys(keybindings, ruUs.get(), 2, kCommand),
              QStringLiteral("Show desktop"));
    EXPECT_EQ(x11::actionOnKeys(keybindings, ruUs.get(), 117, kControl | kOption),
              QStringLiteral("xfce4-session-logout"));
    EXPECT_EQ(x11::actionOnKeys(keybindings, ruUs.get(), 18, kControl | kShift),
              QStringLiteral("Shout"));
    EXPECT_EQ(x11::actionOnKeys(keybindings, ruUs.get(), 2, kCommand | kShift), std::nullopt);
    EXPECT_EQ(x11::actionOnKeys(keybindings, ruUs.get(), 18, kControl), std::nullopt);
}

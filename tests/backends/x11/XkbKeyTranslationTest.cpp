#include "XkbKeymap.h"

#include "backends/x11/XkbKeyTranslation.h"
#include "common/KeyPositions.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "platform/KeyboardLayout.h"

#include <gtest/gtest.h>

using namespace hushpane;
using KeyboardShortcuts::Key;
using KeyboardShortcuts::Shortcut;

namespace {

std::optional<QString> character(const XkbKeymap& keymap, Key key, xkb_layout_index_t layout = 0) {
    const auto keycode = xKeycodeForCarbonKeyCode(key.rawValue);
    if (!keycode) {
        return std::nullopt;
    }
    return x11::characterForKeycode(keymap.get(), layout, static_cast<xkb_keycode_t>(*keycode));
}

// The real translation behind the library's display text, without an X server.
class NamesKeyboardLayout : public KeyboardLayout {
public:
    explicit NamesKeyboardLayout(const XkbKeymap& keymap) : keymap_(keymap) {}
    std::optional<QString> characterForKey(qint64 carbonKeyCode) override {
        return character(keymap_, Key(carbonKeyCode));
    }

private:
    const XkbKeymap& keymap_;
};

}  // namespace

TEST(KeyPositions, EveryNamedKeyHasOneEvdevCodeAndRoundTrips) {
    QSet<int> evdev;
    for (Key key : Key::allNamed) {
        const auto code = evdevCodeForCarbonKeyCode(key.rawValue);
        ASSERT_TRUE(code) << key.rawValue;
        EXPECT_FALSE(evdev.contains(*code)) << "shared evdev code " << *code;
        evdev.insert(*code);
        EXPECT_EQ(carbonKeyCodeForEvdevCode(*code), key.rawValue);
        if (key == Key::function) {
            EXPECT_FALSE(xKeycodeForCarbonKeyCode(key.rawValue)) << "Fn is beyond X key codes";
        } else {
            ASSERT_TRUE(xKeycodeForCarbonKeyCode(key.rawValue)) << key.rawValue;
            EXPECT_EQ(carbonKeyCodeForXKeycode(*xKeycodeForCarbonKeyCode(key.rawValue)),
                      key.rawValue);
        }
    }
    EXPECT_EQ(xKeycodeForCarbonKeyCode(Key::d.rawValue), 40);
    EXPECT_EQ(xKeycodeForCarbonKeyCode(Key::keypadEnter.rawValue), 104);
    EXPECT_FALSE(carbonKeyCodeForXKeycode(7));
    EXPECT_FALSE(carbonKeyCodeForXKeycode(256));
    EXPECT_FALSE(xKeycodeForCarbonKeyCode(70000));
}

TEST(XkbKeyTranslation, UnmodifiedCharactersOnUsAndGermanLayouts) {
    const XkbKeymap us("us");
    const XkbKeymap de("de");
    ASSERT_NE(us.get(), nullptr);
    ASSERT_NE(de.get(), nullptr);

    EXPECT_EQ(character(us, Key::y), QStringLiteral("y"));
    EXPECT_EQ(character(de, Key::y), QStringLiteral("z"));
    EXPECT_EQ(character(de, Key::z), QStringLiteral("y"));
    EXPECT_EQ(character(de, Key::minus), QStringLiteral("ß"));
    EXPECT_EQ(character(de, Key::quote), QStringLiteral("ä"));
    EXPECT_EQ(character(us, Key::one), QStringLiteral("1")) << "no shift level";
    EXPECT_EQ(character(us, Key::space), QStringLiteral(" "));
    // Dead keys show their spacing form.
    EXPECT_EQ(character(de, Key::backtick), QStringLiteral("^"));
    EXPECT_EQ(character(de, Key::equal), QStringLiteral("´"));
    // Keys that type nothing or a control character.
    EXPECT_FALSE(character(us, Key::return_));
    EXPECT_FALSE(character(us, Key::escape));
    EXPECT_FALSE(character(us, Key::mute));
    EXPECT_FALSE(character(us, Key::command));
    EXPECT_FALSE(x11::characterForKeycode(us.get(), 0, 3)) << "below the keymap's range";
    EXPECT_FALSE(x11::characterForKeycode(us.get(), 5, 40)) << "no such layout";
}

TEST(XkbKeyTranslation, SecondLayoutOfAKeymap) {
    const XkbKeymap both("us,de");
    ASSERT_NE(both.get(), nullptr);
    EXPECT_EQ(character(both, Key::y, 0), QStringLiteral("y"));
    EXPECT_EQ(character(both, Key::y, 1), QStringLiteral("z"));
}

TEST(XkbKeyTranslation, DisplayTextsThroughTheLibrary) {
    const XkbKeymap us("us");
    const XkbKeymap de("de");
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults(domain);
    test::InMemoryHotKeyService hotKeys;
    {
        NamesKeyboardLayout layout(us);
        KeyboardShortcuts::Library library(defaults, hotKeys, layout);
        EXPECT_EQ(Shortcut(Key::d, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)
                      .presentableDescription(),
                  QStringLiteral("Ctrl+Alt+Super+D"));
        EXPECT_EQ(Shortcut(Key::y, Qt::MetaModifier).presentableDescription(),
                  QStringLiteral("Super+Y"));
        EXPECT_EQ(Shortcut(Key::mute).presentableDescription(), QString(QChar(0xFFFD)));
        EXPECT_EQ(Shortcut(Key::y, Qt::MetaModifier).keySequence(),
                  QKeySequence(Qt::META | Qt::Key_Y));
    }
    {
        NamesKeyboardLayout layout(de);
        KeyboardShortcuts::Library library(defaults, hotKeys, layout);
        EXPECT_EQ(Shortcut(Key::y, Qt::MetaModifier).presentableDescription(),
                  QStringLiteral("Super+Z"));
        EXPECT_EQ(Shortcut(Key::y, Qt::MetaModifier).menuItemKeyEquivalent(), QStringLiteral("z"));
        EXPECT_EQ(Shortcut(Key::y, Qt::MetaModifier).keySequence(),
                  QKeySequence(Qt::META | Qt::Key_Z));
        EXPECT_EQ(Shortcut(Key::minus, Qt::ControlModifier).presentableDescription(),
                  QStringLiteral("Ctrl+ß"));
    }
}

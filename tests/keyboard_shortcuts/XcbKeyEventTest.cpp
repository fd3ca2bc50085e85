#include "LibraryFixture.h"

#include <QGuiApplication>
#include <QKeyEvent>

using namespace KeyboardShortcuts;

// Under X11 a key event's scan code is the X key code: shortcuts are recorded by key
// position, whatever character the layout puts there.
TEST_F(LibraryTest, XcbEventsAreReadByKeyPosition) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));

    // The key right of T types "z" on a German layout; it is still the Y position.
    const QKeyEvent germanZ(QEvent::KeyPress, Qt::Key_Z, Qt::MetaModifier, 29, 'z', 0);
    EXPECT_EQ(Shortcut::fromEvent(germanZ), Shortcut(Key::y, Qt::MetaModifier));

    const QKeyEvent keypadEnter(QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier, 104, 0xff8d,
                                0);
    EXPECT_EQ(Shortcut::fromEvent(keypadEnter), Shortcut(Key::keypadEnter));

    // Synthesised events carry no scan code and fall back to the Qt key.
    const QKeyEvent synthesised(QEvent::KeyPress, Qt::Key_Z, Qt::MetaModifier);
    EXPECT_EQ(Shortcut::fromEvent(synthesised), Shortcut(Key::z, Qt::MetaModifier));
}

#include "backends/x11/X11KeyboardLayout.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "keyboard_shortcuts/Library.h"
#include "support/PrivateXServer.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

using namespace hushpane;
using KeyboardShortcuts::Key;

TEST(X11KeyboardLayout, FollowsTheServersLayout) {
    test::PrivateXServer server;
    ASSERT_TRUE(server.isRunning()) << qPrintable(server.error());
    ASSERT_TRUE(server.run(QStringLiteral("setxkbmap"), {QStringLiteral("us")}));
    x11::X11KeyboardLayout layout(server.display());
    ASSERT_TRUE(layout.isValid());
    EXPECT_EQ(layout.characterForKey(Key::y.rawValue), QStringLiteral("y"));
    EXPECT_EQ(layout.characterForKey(Key::one.rawValue), QStringLiteral("1"));
    EXPECT_FALSE(layout.characterForKey(Key::f5.rawValue));
    EXPECT_FALSE(layout.characterForKey(Key::function.rawValue));
    EXPECT_FALSE(layout.characterForKey(-3));

    ASSERT_TRUE(server.run(QStringLiteral("setxkbmap"), {QStringLiteral("de")}));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return layout.characterForKey(Key::y.rawValue) == QStringLiteral("z"); }, 5000));
    EXPECT_EQ(layout.characterForKey(Key::minus.rawValue), QStringLiteral("ß"));

    // Two layouts, switched to the second group.
    ASSERT_TRUE(server.run(QStringLiteral("setxkbmap"),
                           {QStringLiteral("-layout"), QStringLiteral("us,de")}));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return layout.characterForKey(Key::y.rawValue) == QStringLiteral("y"); }, 5000));
}

// Shortcuts are named in the first Latin group: with Russian active the D key is still D (the
// hot key sits on that key), and the keys of a Latin-only layout keep their own letters.
TEST(X11KeyboardLayout, NamesKeysInTheFirstLatinGroup) {
    test::PrivateXServer server;
    ASSERT_TRUE(server.isRunning()) << qPrintable(server.error());
    ASSERT_TRUE(server.run(QStringLiteral("setxkbmap"),
                           {QStringLiteral("-layout"), QStringLiteral("ru,us")}));
    x11::X11KeyboardLayout layout(server.display());
    ASSERT_TRUE(layout.isValid());
    EXPECT_EQ(layout.characterForKey(Key::d.rawValue), QStringLiteral("d")) << "not Cyrillic Ve";
    EXPECT_EQ(layout.characterForKey(Key::c.rawValue), QStringLiteral("c"));
    EXPECT_EQ(layout.characterForKey(Key::semicolon.rawValue), QStringLiteral(";"));

    // So the shortcut reads as the keys the hot key sits on, and the menu check still finds
    // Copy behind Ctrl+C.
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults(domain);
    test::InMemoryHotKeyService hotKeys;
    const KeyboardShortcuts::Library library(defaults, hotKeys, layout);
    const KeyboardShortcuts::Shortcut toggle(
        Key::d, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(toggle.presentableDescription(), QStringLiteral("Ctrl+Alt+Super+D"));
    QAction copy(QStringLiteral("Copy"));
    copy.setShortcut(QKeySequence(Qt::ControlModifier | Qt::Key_C));
    EXPECT_EQ(KeyboardShortcuts::Shortcut(Key::c, Qt::ControlModifier)
                  .menuItemWithMatchingShortcut(QList<QAction*>{&copy}),
              &copy);

    ASSERT_TRUE(server.run(QStringLiteral("setxkbmap"), {QStringLiteral("ru")}));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return layout.characterForKey(Key::d.rawValue) == QStringLiteral("в"); }, 5000))
        << "a keymap without a Latin group names keys as it types them";
}

TEST(X11KeyboardLayout, WithoutAServerThereIsNoCharacter) {
    x11::X11KeyboardLayout layout(QStringLiteral(":999"));
    EXPECT_FALSE(layout.isValid());
    EXPECT_FALSE(layout.characterForKey(Key::a.rawValue));
}

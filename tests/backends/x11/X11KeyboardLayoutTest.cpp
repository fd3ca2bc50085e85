#include "backends/x11/X11KeyboardLayout.h"
#include "keyboard_shortcuts/Key.h"
#include "support/PrivateXServer.h"

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

TEST(X11KeyboardLayout, WithoutAServerThereIsNoCharacter) {
    x11::X11KeyboardLayout layout(QStringLiteral(":999"));
    EXPECT_FALSE(layout.isValid());
    EXPECT_FALSE(layout.characterForKey(Key::a.rawValue));
}

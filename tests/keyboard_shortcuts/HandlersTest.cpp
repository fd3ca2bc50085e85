#include "LibraryFixture.h"

using namespace KeyboardShortcuts;

namespace {

class HandlersTest : public LibraryTest {
protected:
    void pressAndRelease(const Shortcut& s) {
        hotKeys.press(static_cast<quint32>(s.carbonKeyCode()),
                      static_cast<quint32>(s.carbonModifiers()));
        hotKeys.release(static_cast<quint32>(s.carbonKeyCode()),
                        static_cast<quint32>(s.carbonModifiers()));
    }
    QStringList ran;
};

}  // namespace

TEST_F(HandlersTest, ActionsRunInOrderOnTheirEventAndNotWhilePaused) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    onKeyUp(toggle, [this] { ran << QStringLiteral("up1"); });
    onKeyUp(toggle, [this] { ran << QStringLiteral("up2"); });
    onKeyDown(toggle, [this] { ran << QStringLiteral("down"); });
    EXPECT_EQ(hotKeys.registrations.size(), 1) << "one hot key for the name";

    pressAndRelease(controlOptionCommandD());
    EXPECT_EQ(ran,
              (QStringList{QStringLiteral("down"), QStringLiteral("up1"), QStringLiteral("up2")}));

    setPaused(true);
    pressAndRelease(controlOptionCommandD());
    EXPECT_EQ(ran.size(), 3);
    setPaused(false);
    pressAndRelease(controlOptionCommandD());
    EXPECT_EQ(ran.size(), 6);
}

TEST_F(HandlersTest, AnActionWithoutAShortcutWaitsForOne) {
    const Name name(QStringLiteral("later"));
    onKeyUp(name, [this] { ran << QStringLiteral("up"); });
    EXPECT_EQ(hotKeys.registerCount, 0);
    EXPECT_FALSE(isEnabled(name));

    setShortcut(commandShiftK(), name);
    EXPECT_TRUE(isEnabled(name));
    pressAndRelease(commandShiftK());
    EXPECT_EQ(ran, QStringList{QStringLiteral("up")});
}

TEST_F(HandlersTest, DispatchFollowsTheStoredShortcut) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    onKeyUp(toggle, [this] { ran << QStringLiteral("toggle"); });
    setShortcut(commandShiftK(), toggle);
    EXPECT_FALSE(hotKeys.isRegistered(2, 6400));
    pressAndRelease(commandShiftK());
    EXPECT_EQ(ran.size(), 1);

    // A stale registration of the old combination runs nothing.
    library->registerShortcut(controlOptionCommandD());
    pressAndRelease(controlOptionCommandD());
    EXPECT_EQ(ran.size(), 1);
}

TEST_F(HandlersTest, NamesSharingAShortcutRunTogetherAndKeepTheirHotKey) {
    const Name a(QStringLiteral("a"), commandShiftK());
    const Name b(QStringLiteral("b"), commandShiftK());
    onKeyUp(a, [this] { ran << QStringLiteral("a"); });
    onKeyUp(b, [this] { ran << QStringLiteral("b"); });
    pressAndRelease(commandShiftK());
    ran.sort();
    EXPECT_EQ(ran, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));

    // Clearing one name must not silence the other.
    setShortcut(std::nullopt, a);
    EXPECT_TRUE(hotKeys.isRegistered(40, 768));
    ran.clear();
    pressAndRelease(commandShiftK());
    EXPECT_EQ(ran, QStringList{QStringLiteral("b")});

    removeHandler(b);
    EXPECT_FALSE(hotKeys.isRegistered(40, 768)) << "nobody needs it any more";
}

TEST_F(HandlersTest, EnableDisableAndRemovingHandlers) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    onKeyUp(toggle, [this] { ran << QStringLiteral("up"); });
    EXPECT_TRUE(isEnabled(toggle));

    disable({toggle});
    EXPECT_FALSE(isEnabled(toggle));
    EXPECT_FALSE(hotKeys.isRegistered(2, 6400));
    EXPECT_EQ(getShortcut(toggle), controlOptionCommandD()) << "the stored value stays";
    enable({toggle});
    EXPECT_TRUE(hotKeys.isRegistered(2, 6400));

    setEnabled(false);
    EXPECT_FALSE(isEnabled(toggle));
    setEnabled(true);

    removeAllHandlers();
    EXPECT_FALSE(hotKeys.isRegistered(2, 6400));
    enable({toggle});
    pressAndRelease(controlOptionCommandD());
    EXPECT_TRUE(ran.isEmpty()) << "no action is left";
}

TEST_F(HandlersTest, AnActionMayChangeShortcutsWhileRunning) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    onKeyUp(toggle, [this, toggle] {
        ran << QStringLiteral("up");
        setShortcut(commandShiftK(), toggle);
        onKeyUp(toggle, [this] { ran << QStringLiteral("added"); });
    });
    pressAndRelease(controlOptionCommandD());
    EXPECT_EQ(ran, QStringList{QStringLiteral("up")});
    pressAndRelease(commandShiftK());
    EXPECT_EQ(ran.size(), 3);
}

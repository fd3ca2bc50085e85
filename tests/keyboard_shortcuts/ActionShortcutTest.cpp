#include "LibraryFixture.h"

#include <QAction>
#include <QTest>

using namespace KeyboardShortcuts;

namespace {

void processQueued() {
    QCoreApplication::processEvents();
}

}  // namespace

TEST_F(LibraryTest, ABoundActionFollowsItsName) {
    const Name name(QStringLiteral("bound"));
    QAction item;
    setShortcut(&item, name);
    EXPECT_TRUE(item.shortcut().isEmpty());
    EXPECT_TRUE(menuItemKeyEquivalent(&item).allowsAutomaticKeyEquivalentLocalization);

    setShortcut(commandShiftK(), name);
    EXPECT_TRUE(item.shortcut().isEmpty()) << "follows one event-loop turn later";
    processQueued();
    EXPECT_EQ(item.shortcut(), QKeySequence(Qt::META | Qt::SHIFT | Qt::Key_K));
    const MenuItemKeyEquivalent shown = menuItemKeyEquivalent(&item);
    EXPECT_EQ(shown.keyEquivalent, QStringLiteral("k"));
    EXPECT_EQ(shown.modifierMask, Qt::MetaModifier | Qt::ShiftModifier);
    EXPECT_FALSE(shown.allowsAutomaticKeyEquivalentLocalization);

    setShortcut(std::nullopt, name);
    processQueued();
    EXPECT_TRUE(item.shortcut().isEmpty());
    EXPECT_EQ(menuItemKeyEquivalent(&item).keyEquivalent, QString());
    EXPECT_EQ(menuItemKeyEquivalent(&item).modifierMask, ModifierFlags());
}

TEST_F(LibraryTest, TheUpdateReadsTheValueWhenItRuns) {
    const Name name(QStringLiteral("bound"));
    QAction item;
    setShortcut(&item, name);
    setShortcut(commandShiftK(), name);
    setShortcut(controlOptionCommandD(), name);
    processQueued();
    EXPECT_EQ(item.shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::META | Qt::Key_D));
}

TEST_F(LibraryTest, KeypadShortcutsKeepTheirModifiersWithAnEmptyKey) {
    QAction item;
    setShortcut(&item, Shortcut(Key::keypad5, Qt::ControlModifier | Qt::AltModifier));
    const MenuItemKeyEquivalent shown = menuItemKeyEquivalent(&item);
    EXPECT_EQ(shown.keyEquivalent, QString());
    EXPECT_EQ(shown.modifierMask, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(shown.allowsAutomaticKeyEquivalentLocalization);
    EXPECT_TRUE(item.shortcut().isEmpty());
}

TEST_F(LibraryTest, OtherNamesAndRebindingLeaveTheActionAlone) {
    const Name mine(QStringLiteral("mine"), commandShiftK());
    const Name other(QStringLiteral("other"));
    const Name third(QStringLiteral("third"));
    QAction item;
    setShortcut(&item, mine);
    setShortcut(Shortcut(Key::f5), other);
    processQueued();
    EXPECT_EQ(item.shortcut(), QKeySequence(Qt::META | Qt::SHIFT | Qt::Key_K));

    // The latest binding wins; the earlier name is no longer followed.
    setShortcut(&item, third);
    EXPECT_TRUE(item.shortcut().isEmpty());
    setShortcut(Shortcut(Key::f6), mine);
    processQueued();
    EXPECT_TRUE(item.shortcut().isEmpty());
    setShortcut(Shortcut(Key::f7), third);
    processQueued();
    EXPECT_EQ(item.shortcut(), QKeySequence(Qt::Key_F7));

    setShortcutFor(&item, std::nullopt);
    setShortcut(Shortcut(Key::f8), third);
    processQueued();
    EXPECT_TRUE(item.shortcut().isEmpty()) << "unbound";
}

TEST_F(LibraryTest, UnbindingANeverBoundActionOnlyClearsIt) {
    QAction item;
    item.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    setShortcutFor(&item, std::nullopt);
    EXPECT_TRUE(item.shortcut().isEmpty());
    EXPECT_TRUE(menuItemKeyEquivalent(&item).allowsAutomaticKeyEquivalentLocalization);
}

TEST_F(LibraryTest, ABoundActionMayBeDestroyedWithAnUpdatePending) {
    const Name name(QStringLiteral("bound"));
    auto* item = new QAction;
    setShortcut(item, name);
    setShortcut(commandShiftK(), name);
    delete item;
    processQueued();
    SUCCEED() << "no crash";
}

#include "LibraryFixture.h"

#include "support/StdoutCapture.h"

#include <QMenu>
#include <QTest>

using namespace KeyboardShortcuts;
using hushpane::HotKeyEvent;
namespace HotKeyEventKind = hushpane::HotKeyEventKind;
using hushpane::HotKeyId;

namespace {

constexpr quint32 kSSKS = 0x53534B53;

class HotKeyLayerTest : public LibraryTest {
protected:
    void SetUp() override {
        QObject::connect(&carbon(), &CarbonKeyboardShortcuts::keyDown, &context,
                         [this](const Shortcut&) { ++downs; });
        QObject::connect(&carbon(), &CarbonKeyboardShortcuts::keyUp, &context,
                         [this](const Shortcut&) { ++ups; });
    }
    CarbonKeyboardShortcuts& carbon() { return library->carbonKeyboardShortcuts(); }

    void registerCounting(const Shortcut& shortcut) { carbon().registerShortcut(shortcut); }

    QObject context;

    int downs = 0;
    int ups = 0;
};

}  // namespace

TEST_F(HotKeyLayerTest, IdsCountUpAndARefusalUsesItsIdAndIsPrinted) {
    hotKeys.refused.insert({40, 768}, -9878);
    hushpane::test::StdoutCapture out;
    registerCounting(controlOptionCommandD());
    registerCounting(commandShiftK());
    registerCounting(Shortcut(Key::f5));

    EXPECT_EQ(out.text(), QStringLiteral("Error registering hotkey Shift+Super+K: -9878\n"));
    ASSERT_EQ(carbon().hotKeys().size(), 2u);
    EXPECT_EQ(carbon().hotKeys().begin()->first, 1u);
    EXPECT_EQ(carbon().hotKeys().rbegin()->first, 3u);
    for (const HotKeyId& id : hotKeys.registeredIds()) {
        EXPECT_EQ(id.signature, kSSKS);
    }
    EXPECT_TRUE(hotKeys.eventTypes().contains(HotKeyEventKind::hotKeyPressed));
    EXPECT_TRUE(hotKeys.eventTypes().contains(HotKeyEventKind::hotKeyReleased));
}

TEST_F(HotKeyLayerTest, OutOfRangeValuesAreRefusedWithoutReachingTheService) {
    hushpane::test::StdoutCapture out;
    registerCounting(Shortcut::fromStoredValues(70000, 256));
    registerCounting(Shortcut::fromStoredValues(-1, 256));
    registerCounting(Shortcut::fromStoredValues(2, 0x100000000LL | 256));
    registerCounting(Shortcut::fromStoredValues(2, -256));
    EXPECT_EQ(hotKeys.registerCount, 0);
    EXPECT_TRUE(carbon().hotKeys().empty());
    EXPECT_EQ(out.text().count(QStringLiteral("Error registering hotkey ")), 4);
    EXPECT_TRUE(out.text().contains(QStringLiteral(": -9879\n")));
}

TEST_F(HotKeyLayerTest, ExtraStoredBitsAreNotHandedToTheService) {
    registerCounting(Shortcut::fromStoredValues(2, 0x400 | 0x100));
    EXPECT_TRUE(hotKeys.isRegistered(2, 0x100));
    EXPECT_EQ(hotKeys.press(2, 0x100), 1);
    EXPECT_EQ(downs, 1);
}

TEST_F(HotKeyLayerTest, PressAndReleaseReachTheirCallbacks) {
    registerCounting(controlOptionCommandD());
    hotKeys.press(2, 6400);
    hotKeys.release(2, 6400);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

TEST_F(HotKeyLayerTest, EventsNotForThisLayerAreNotHandled) {
    registerCounting(controlOptionCommandD());
    const quint32 id = carbon().hotKeys().begin()->first;

    HotKeyEvent foreign{HotKeyEventKind::hotKeyPressed, {0x41424344, id}, 0, 0, 0, {}};
    EXPECT_EQ(hotKeys.deliver(foreign), -9874);
    HotKeyEvent unknownId{HotKeyEventKind::hotKeyPressed, {kSSKS, id + 7}, 0, 0, 0, {}};
    EXPECT_EQ(hotKeys.deliver(unknownId), -9874);
    EXPECT_EQ(carbon().handleEvent(nullptr), -9874);
    HotKeyEvent otherKind{9, {kSSKS, id}, 0, 0, 0, {}};
    EXPECT_EQ(carbon().handleEvent(&otherKind), -9874);
    // Raw key events of any kind but 1 and 3 call nothing.
    EXPECT_EQ(carbon().handleRawKeyEvent(2, 2, 6400), -9874);
    EXPECT_EQ(downs + ups, 0);

    EXPECT_EQ(carbon().handleRawKeyEvent(HotKeyEventKind::rawKeyDown, 2, 6400 | 0x400), 0)
        << "caps lock is normalised away";
    EXPECT_EQ(downs, 1);
}

TEST_F(HotKeyLayerTest, UnregisterRemovesEveryEntryOfTheShortcut) {
    registerCounting(controlOptionCommandD());
    registerCounting(controlOptionCommandD());
    registerCounting(commandShiftK());
    carbon().unregisterShortcut(controlOptionCommandD());
    EXPECT_EQ(carbon().hotKeys().size(), 1u);
    EXPECT_FALSE(hotKeys.isRegistered(2, 6400));
    EXPECT_TRUE(hotKeys.isRegistered(40, 768));
}

TEST_F(HotKeyLayerTest, DisablingReleasesEverythingAndKeepsTheEntries) {
    registerCounting(controlOptionCommandD());
    setEnabled(false);
    EXPECT_TRUE(hotKeys.registrations.isEmpty());
    EXPECT_EQ(carbon().hotKeys().size(), 1u);

    // Registered with the system while disabled, but no event reaches the handler.
    registerCounting(commandShiftK());
    EXPECT_TRUE(hotKeys.isRegistered(40, 768));
    EXPECT_EQ(hotKeys.press(40, 768), 0);
    EXPECT_EQ(downs, 0);

    setEnabled(true);
    EXPECT_TRUE(hotKeys.isRegistered(2, 6400));
    EXPECT_EQ(hotKeys.press(2, 6400), 1);
    EXPECT_EQ(downs, 1);
}

TEST_F(HotKeyLayerTest, AHotKeyThatCannotComeBackIsPrintedAndDropped) {
    registerCounting(controlOptionCommandD());
    setEnabled(false);
    hotKeys.refused.insert({2, 6400}, -9878);
    hushpane::test::StdoutCapture out;
    setEnabled(true);
    EXPECT_EQ(out.text(), QStringLiteral("Error registering hotkey Ctrl+Alt+Super+D: -9878\n"));
    EXPECT_TRUE(carbon().hotKeys().empty());
    hotKeys.refused.clear();
    setEnabled(false);
    setEnabled(true);
    EXPECT_FALSE(hotKeys.isRegistered(2, 6400)) << "dropped for good";
}

TEST_F(HotKeyLayerTest, WithoutAnEventHandlerNothingIsDeliveredUntilOneInstalls) {
    hotKeys.failInstallEventHandler = true;
    registerCounting(controlOptionCommandD());
    EXPECT_FALSE(carbon().isEventHandlerInstalled());
    EXPECT_EQ(hotKeys.press(2, 6400), 0);
    hotKeys.failInstallEventHandler = false;
    registerCounting(commandShiftK());
    EXPECT_TRUE(carbon().isEventHandlerInstalled());
    EXPECT_EQ(hotKeys.press(2, 6400), 1);
}

TEST_F(HotKeyLayerTest, SystemListSkipsDisabledAndIncompleteEntries) {
    hotKeys.symbolicHotKeys = {
        {true, 2, 0x1900 | 0x400}, {false, 40, 256},  {true, std::nullopt, 256},
        {true, 96, std::nullopt},  {true, 2, 0x1900},
    };
    const QList<Shortcut> system = systemShortcuts();
    EXPECT_EQ(system, (QList<Shortcut>{Shortcut(2, 0x1900), Shortcut(2, 0x1900)}));
}

TEST_F(HotKeyLayerTest, DestroyingTheLibraryReleasesItsHotKeys) {
    registerCounting(controlOptionCommandD());
    library.reset();
    EXPECT_TRUE(hotKeys.registrations.isEmpty());
    EXPECT_FALSE(hotKeys.hasEventHandler());
}

// Menus: an open menu holds the keyboard, so the layer matches key events itself.

TEST_F(HotKeyLayerTest, OpeningAMenuSwitchesToTheRawKeyPathAndClosingRestoresIds) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    int actions = 0;
    onKeyUp(toggle, [&] { ++actions; });
    const QList<HotKeyId> idsBefore = hotKeys.registeredIds();
    ASSERT_EQ(idsBefore.size(), 1);

    QMenu menu;
    menu.addAction(QStringLiteral("First"));
    menu.addAction(QStringLiteral("Second"));
    const int updatesBefore = carbon().updateEventHandlerCount();
    menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
    EXPECT_TRUE(isMenuOpen());
    EXPECT_EQ(carbon().updateEventHandlerCount(), updatesBefore + 1);
    EXPECT_TRUE(hotKeys.registrations.isEmpty()) << "grabs released";
    EXPECT_TRUE(carbon().isRawKeyPathOn());

    // Count the non-modifier keys that reach the menu.
    int keysAtMenu = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if ((e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) &&
                static_cast<QKeyEvent*>(e)->key() != Qt::Key_Control &&
                static_cast<QKeyEvent*>(e)->key() != Qt::Key_Alt &&
                static_cast<QKeyEvent*>(e)->key() != Qt::Key_Meta) {
                ++*count;
            }
            return false;
        }
    } counter(&keysAtMenu);
    menu.installEventFilter(&counter);

    // Key events as the platform delivers them to the open menu (the modifier keys' own
    // events are left out: a lone Alt press makes a QMenu close).
    const Qt::KeyboardModifiers all = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const auto send = [&menu](QEvent::Type type, int key, Qt::KeyboardModifiers mods,
                              bool autoRepeat = false) {
        QKeyEvent event(type, key, mods, QString(), autoRepeat);
        QCoreApplication::sendEvent(&menu, &event);
    };
    send(QEvent::KeyPress, Qt::Key_D, all);
    send(QEvent::KeyRelease, Qt::Key_D, all);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(keysAtMenu, 0) << "the matching key is swallowed";
    EXPECT_TRUE(menu.isVisible());
    send(QEvent::KeyPress, Qt::Key_Down, {});
    send(QEvent::KeyRelease, Qt::Key_Down, {});
    send(QEvent::KeyPress, Qt::Key_D, Qt::ControlModifier);
    send(QEvent::KeyRelease, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(keysAtMenu, 4) << "other keys reach the menu";
    EXPECT_EQ(actions, 1);
    // Held keys repeat release/press pairs; they do not fire again.
    send(QEvent::KeyPress, Qt::Key_D, all);
    send(QEvent::KeyRelease, Qt::Key_D, all, true);
    send(QEvent::KeyPress, Qt::Key_D, all, true);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(keysAtMenu, 4);
    send(QEvent::KeyRelease, Qt::Key_D, all);
    EXPECT_EQ(actions, 2);

    menu.hide();
    EXPECT_FALSE(isMenuOpen());
    EXPECT_FALSE(carbon().isRawKeyPathOn());
    EXPECT_EQ(hotKeys.registeredIds(), idsBefore) << "same ids again";
    EXPECT_EQ(hotKeys.release(2, 6400), 1);
    EXPECT_EQ(actions, 3);
}

TEST_F(HotKeyLayerTest, NestedMenusCountAsOneTrackingSession) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    QMenu menu;
    QMenu* sub = menu.addMenu(QStringLiteral("Sub"));
    sub->addAction(QStringLiteral("Item"));
    menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
    const int updates = carbon().updateEventHandlerCount();
    sub->popup(QPoint(40, 40));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sub->isVisible(); }));
    EXPECT_EQ(carbon().updateEventHandlerCount(), updates) << "second open changes nothing";
    sub->hide();
    EXPECT_TRUE(isMenuOpen());
    EXPECT_EQ(carbon().updateEventHandlerCount(), updates);
    menu.hide();
    EXPECT_FALSE(isMenuOpen());
    EXPECT_EQ(carbon().updateEventHandlerCount(), updates + 1);
}

TEST_F(HotKeyLayerTest, AMenuDestroyedWhileOpenEndsTracking) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    auto* menu = new QMenu;
    menu->addAction(QStringLiteral("Item"));
    menu->popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->isVisible(); }));
    ASSERT_TRUE(isMenuOpen());
    delete menu;
    EXPECT_FALSE(isMenuOpen());
    EXPECT_TRUE(hotKeys.isRegistered(2, 6400));
}

TEST_F(HotKeyLayerTest, WhileDisabledAnOpenMenuHasNoRawKeyPath) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    setEnabled(false);
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
    EXPECT_FALSE(carbon().isRawKeyPathOn());
    EXPECT_TRUE(hotKeys.registrations.isEmpty());
    menu.hide();
    EXPECT_TRUE(hotKeys.registrations.isEmpty());
}

TEST_F(HotKeyLayerTest, InAMenuTheShortcutSurvivesItsModifierKeysInAnyOrder) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    int toggles = 0;
    onKeyUp(toggle, [&] { ++toggles; });
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));

    const auto send = [&menu](QEvent::Type type, int key, Qt::KeyboardModifiers mods) {
        QKeyEvent event(type, key, mods);
        QCoreApplication::sendEvent(&menu, &event);
    };
    // Alt on its own would close the menu before the D arrives.
    send(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    send(QEvent::KeyPress, Qt::Key_Alt, Qt::ControlModifier | Qt::AltModifier);
    send(QEvent::KeyPress, Qt::Key_Meta, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    EXPECT_TRUE(menu.isVisible());
    send(QEvent::KeyPress, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    // The modifiers go up first.
    send(QEvent::KeyRelease, Qt::Key_Control, Qt::AltModifier | Qt::MetaModifier);
    send(QEvent::KeyRelease, Qt::Key_Alt, Qt::MetaModifier);
    send(QEvent::KeyRelease, Qt::Key_Meta, {});
    EXPECT_EQ(toggles, 0);
    send(QEvent::KeyRelease, Qt::Key_D, {});
    EXPECT_EQ(toggles, 1);
    EXPECT_TRUE(menu.isVisible());
    // A later plain D release is the menu's again.
    send(QEvent::KeyRelease, Qt::Key_D, {});
    EXPECT_EQ(toggles, 1);
}

TEST_F(HotKeyLayerTest, AltReachesTheMenuWhenNoShortcutUsesOption) {
    const Name name(QStringLiteral("plain"), commandShiftK());
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
    bool altReachedMenu = false;
    struct Watch : QObject {
        bool* seen;
        explicit Watch(bool* s) : seen(s) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Alt) {
                *seen = true;
            }
            return false;
        }
    } watch(&altReachedMenu);
    menu.installEventFilter(&watch);
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(&menu, &alt);
    EXPECT_TRUE(altReachedMenu);
}

#include "backends/x11/X11HotKeyService.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "support/PrivateXServer.h"
#include "support/StdoutCapture.h"

#include <QProcess>
#include <QTest>

#include <cstdlib>
#include <memory>

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <gtest/gtest.h>

using namespace hushpane;
using KeyboardShortcuts::Key;
using KeyboardShortcuts::Shortcut;

namespace {

// X key codes of the default evdev keymap.
constexpr xcb_keycode_t kControlL = 37;
constexpr xcb_keycode_t kAltL = 64;
constexpr xcb_keycode_t kSuperL = 133;
constexpr xcb_keycode_t kD = 40;
constexpr xcb_keycode_t kCapsLock = 66;
constexpr xcb_keycode_t kNumLock = 77;

constexpr quint32 kControlOptionCommand = 0x1000 | 0x800 | 0x100;
const HotKeyId kId{0x53534B53, 1};

// A second X client: types with XTest and holds grabs of its own.
class XClient {
public:
    explicit XClient(const QString& display) {
        connection_ = xcb_connect(display.toLocal8Bit().constData(), nullptr);
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    }
    ~XClient() { xcb_disconnect(connection_); }

    void key(uint8_t type, xcb_keycode_t code) {
        xcb_test_fake_input(connection_, type, code, XCB_CURRENT_TIME, root_, 0, 0, 0);
    }
    void press(std::initializer_list<xcb_keycode_t> codes) {
        for (xcb_keycode_t code : codes) {
            key(XCB_KEY_PRESS, code);
        }
        sync();
    }
    void release(std::initializer_list<xcb_keycode_t> codes) {
        for (xcb_keycode_t code : codes) {
            key(XCB_KEY_RELEASE, code);
        }
        sync();
    }
    void tap(xcb_keycode_t code) {
        press({code});
        release({code});
    }
    void chord() {
        press({kControlL, kAltL, kSuperL, kD});
        release({kD, kSuperL, kAltL, kControlL});
    }
    bool grab(uint16_t modifiers, xcb_keycode_t code) {
        xcb_generic_error_t* error = xcb_request_check(
            connection_, xcb_grab_key_checked(connection_, 0, root_, modifiers, code,
                                              XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        std::free(error);
        return error == nullptr;
    }
    void sync() {
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t root_;
};

constexpr uint16_t kControlAltSuper = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

class X11HotKeyServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new test::PrivateXServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(server->isRunning()) << qPrintable(server->error());
        service = std::make_unique<x11::X11HotKeyService>(server->display());
        ASSERT_TRUE(service->isValid());
        client = std::make_unique<XClient>(server->display());
        service->installEventHandler([this](const HotKeyEvent& event) {
            events.append(event);
            return kHotKeyNoErr;
        });
        service->addEventTypes({HotKeyEventKind::hotKeyPressed, HotKeyEventKind::hotKeyReleased});
    }

    // Waits until `count` events arrived, then a little longer for any stray extra ones.
    void waitForEvents(qsizetype count) {
        (void)QTest::qWaitFor(
            [&] {
                service->processPendingEvents();
                return events.size() >= count;
            },
            5000);
        QTest::qWait(100);
        service->processPendingEvents();
        QCoreApplication::processEvents();
    }

    QList<quint32> kinds() const {
        QList<quint32> result;
        for (const HotKeyEvent& e : events) {
            result.append(e.kind);
        }
        return result;
    }

    static inline test::PrivateXServer* server = nullptr;
    std::unique_ptr<x11::X11HotKeyService> service;
    std::unique_ptr<XClient> client;
    QList<HotKeyEvent> events;
};

const QList<quint32> kPressRelease{HotKeyEventKind::hotKeyPressed, HotKeyEventKind::hotKeyReleased};

}  // namespace

TEST_F(X11HotKeyServiceTest, ControlOptionCommandDWithAndWithoutLocks) {
    ASSERT_TRUE(service->hasDetectableAutoRepeat());
    const HotKeyRegistration registration =
        service->registerHotKey(Key::d.rawValue, kControlOptionCommand, kId);
    ASSERT_EQ(registration.status, kHotKeyNoErr);
    ASSERT_TRUE(registration.ref);

    client->chord();
    waitForEvents(2);
    EXPECT_EQ(kinds(), kPressRelease);
    EXPECT_EQ(events.value(0).hotKeyId, kId);

    events.clear();
    client->tap(kCapsLock);
    client->chord();
    waitForEvents(2);
    EXPECT_EQ(kinds(), kPressRelease) << "with Caps Lock";

    events.clear();
    client->tap(kNumLock);
    client->chord();
    waitForEvents(2);
    EXPECT_EQ(kinds(), kPressRelease) << "with Caps Lock and Num Lock";

    events.clear();
    client->tap(kCapsLock);
    client->chord();
    waitForEvents(2);
    EXPECT_EQ(kinds(), kPressRelease) << "with Num Lock";
    client->tap(kNumLock);

    // Other combinations are not ours.
    events.clear();
    client->press({kControlL, kD});
    client->release({kD, kControlL});
    waitForEvents(1);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(X11HotKeyServiceTest, XdotoolChord) {
    ASSERT_EQ(service->registerHotKey(Key::d.rawValue, kControlOptionCommand, kId).status,
              kHotKeyNoErr);
    ASSERT_TRUE(server->run(QStringLiteral("xdotool"),
                            {QStringLiteral("key"), QStringLiteral("ctrl+alt+super+d")}));
    waitForEvents(2);
    EXPECT_EQ(kinds(), kPressRelease);
}

TEST_F(X11HotKeyServiceTest, HoldingGivesOnePressAndOneRelease) {
    ASSERT_EQ(service->registerHotKey(Key::d.rawValue, kControlOptionCommand, kId).status,
              kHotKeyNoErr);
    client->press({kControlL, kAltL, kSuperL, kD});
    // Repeats as the server reports them to a client with detectable auto-repeat.
    client->press({kD});
    client->press({kD});
    QTest::qWait(700);  // the server's own repeat would start by now
    client->release({kD});
    waitForEvents(2);
    EXPECT_EQ(kinds(), kPressRelease);
    // Modifiers let go first still ends the press.
    events.clear();
    client->press({kD});
    client->release({kControlL});
    client->release({kD});
    client->release({kSuperL, kAltL});
    waitForEvents(2);
    EXPECT_EQ(kinds(), kPressRelease);
}

TEST_F(X11HotKeyServiceTest, AGrabHeldByAnotherClientIsRefused) {
    ASSERT_TRUE(client->grab(kControlAltSuper, kD));
    const HotKeyRegistration registration =
        service->registerHotKey(Key::d.rawValue, kControlOptionCommand, kId);
    EXPECT_EQ(registration.status, kEventHotKeyExistsErr);
    EXPECT_FALSE(registration.ref);

    // Through the library: the refusal is printed with the shortcut's text.
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults(domain);
    test::InMemoryKeyboardLayout layout;
    KeyboardShortcuts::Library library(defaults, *service, layout);
    test::StdoutCapture out;
    const KeyboardShortcuts::Name toggle(
        QStringLiteral("toggleDesktop"),
        Shortcut(Key::d, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    EXPECT_EQ(out.text(), QStringLiteral("Error registering hotkey Ctrl+Alt+Super+D: -9878\n"));
    EXPECT_FALSE(KeyboardShortcuts::isEnabled(toggle) &&
                 !library.carbonKeyboardShortcuts().hotKeys().empty());
}

TEST_F(X11HotKeyServiceTest, AFailedGrabLeavesNoPartialGrabBehind) {
    // The other client holds only the Caps Lock variant.
    ASSERT_TRUE(client->grab(kControlAltSuper | XCB_MOD_MASK_LOCK, kD));
    EXPECT_EQ(service->registerHotKey(Key::d.rawValue, kControlOptionCommand, kId).status,
              kEventHotKeyExistsErr);
    // Our plain variant was released again: a third client can take it.
    XClient third(server->display());
    EXPECT_TRUE(third.grab(kControlAltSuper, kD));
}

TEST_F(X11HotKeyServiceTest, FunctionModifierAndKeysWithoutXKeycodeAreRefused) {
    EXPECT_EQ(service->registerHotKey(Key::d.rawValue, 0x20000 | 0x100, kId).status,
              kEventHotKeyInvalidErr);
    EXPECT_EQ(service->registerHotKey(Key::function.rawValue, 0x100, kId).status,
              kEventHotKeyInvalidErr);
    EXPECT_EQ(service->registerHotKey(0xFFFF, 0x100, kId).status, kEventHotKeyInvalidErr);
}

TEST_F(X11HotKeyServiceTest, RegistrationsShareAGrabUntilTheLastGoes) {
    const auto first = service->registerHotKey(Key::d.rawValue, kControlOptionCommand, kId);
    const auto second =
        service->registerHotKey(Key::d.rawValue, kControlOptionCommand, HotKeyId{kId.signature, 2});
    ASSERT_TRUE(first.ref);
    ASSERT_TRUE(second.ref);
    EXPECT_NE(*first.ref, *second.ref);

    client->chord();
    waitForEvents(4);
    EXPECT_EQ(events.size(), 4) << "each registration hears the press and the release";

    EXPECT_EQ(service->unregisterHotKey(*first.ref), kHotKeyNoErr);
    EXPECT_FALSE(client->grab(kControlAltSuper, kD)) << "still held for the second";
    events.clear();
    client->chord();
    waitForEvents(2);
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].hotKeyId.id, 2u);

    EXPECT_EQ(service->unregisterHotKey(*second.ref), kHotKeyNoErr);
    EXPECT_NE(service->unregisterHotKey(*second.ref), kHotKeyNoErr);
    EXPECT_TRUE(client->grab(kControlAltSuper, kD)) << "released";
}

TEST_F(X11HotKeyServiceTest, OnlyAddedEventKindsAreDelivered) {
    service->removeEventTypes({HotKeyEventKind::hotKeyPressed});
    ASSERT_TRUE(service->registerHotKey(Key::d.rawValue, kControlOptionCommand, kId).ref);
    client->chord();
    waitForEvents(1);
    EXPECT_EQ(kinds(), QList<quint32>{HotKeyEventKind::hotKeyReleased});
}

TEST_F(X11HotKeyServiceTest, TheLibraryTogglesOnceThroughRealGrabs) {
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults(domain);
    test::InMemoryKeyboardLayout layout;
    service->removeEventHandler();
    KeyboardShortcuts::Library library(defaults, *service, layout);
    const KeyboardShortcuts::Name toggle(
        QStringLiteral("toggleDesktop"),
        Shortcut(Key::d, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    int downs = 0;
    int ups = 0;
    KeyboardShortcuts::onKeyDown(toggle, [&] { ++downs; });
    KeyboardShortcuts::onKeyUp(toggle, [&] { ++ups; });

    client->tap(kCapsLock);
    client->press({kControlL, kAltL, kSuperL, kD});
    client->press({kD});
    client->release({kD, kSuperL, kAltL, kControlL});
    client->tap(kCapsLock);
    (void)QTest::qWaitFor(
        [&] {
            service->processPendingEvents();
            return ups > 0;
        },
        5000);
    QTest::qWait(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

TEST_F(X11HotKeyServiceTest, NumLockMovingToAnotherModifierIsFollowed) {
    ASSERT_EQ(service->registerHotKey(Key::d.rawValue, kControlOptionCommand, kId).status,
              kHotKeyNoErr);
    ASSERT_TRUE(server->run(QStringLiteral("xmodmap"),
                            {QStringLiteral("-e"), QStringLiteral("clear mod2"),
                             QStringLiteral("-e"), QStringLiteral("add mod3 = Num_Lock")}));
    // The mapping change reaches the service through its event loop.
    QTest::qWait(200);
    service->processPendingEvents();
    client->tap(kNumLock);
    client->chord();
    waitForEvents(2);
    EXPECT_EQ(kinds(), kPressRelease);
    client->tap(kNumLock);
    ASSERT_TRUE(server->run(QStringLiteral("xmodmap"),
                            {QStringLiteral("-e"), QStringLiteral("clear mod3"),
                             QStringLiteral("-e"), QStringLiteral("add mod2 = Num_Lock")}));
}

TEST(X11HotKeyServiceLostServer, RefusesOnceTheServerIsGone) {
    auto server = std::make_unique<test::PrivateXServer>();
    ASSERT_TRUE(server->isRunning()) << qPrintable(server->error());
    x11::X11HotKeyService service(server->display());
    ASSERT_EQ(service.registerHotKey(Key::d.rawValue, kControlOptionCommand, kId).status,
              kHotKeyNoErr);
    server.reset();
    QTest::qWait(100);
    service.processPendingEvents();
    EXPECT_EQ(service.registerHotKey(Key::k.rawValue, kControlOptionCommand, kId).status,
              kEventHotKeyInvalidErr);
}

TEST(X11HotKeyServiceNoServer, EverythingIsRefused) {
    x11::X11HotKeyService service(QStringLiteral(":999"));
    EXPECT_FALSE(service.isValid());
    EXPECT_EQ(service.registerHotKey(Key::d.rawValue, kControlOptionCommand, kId).status,
              kEventHotKeyInvalidErr);
    EXPECT_FALSE(service.installEventHandler([](const HotKeyEvent&) { return kHotKeyNoErr; }));
    EXPECT_TRUE(service.systemHotKeys().isEmpty());
}

TEST_F(X11HotKeyServiceTest, TheDesktopsShortcutsComeFromTheReaderAsKeyPositions) {
    EXPECT_TRUE(service->systemHotKeys().isEmpty());
    service->setAcceleratorReader([] {
        return QStringList{QStringLiteral("<Super>d"), QStringLiteral("not a key")};
    });
    const QList<SymbolicHotKey> keys = service->systemHotKeys();
    ASSERT_EQ(keys.size(), 1);
    EXPECT_EQ(keys[0].keyCode, Key::d.rawValue);
    EXPECT_EQ(keys[0].modifiers, 0x100);
}

TEST_F(X11HotKeyServiceTest, AGrabLostToAKeymapChangeIsARefusal) {
    ASSERT_TRUE(service->registerHotKey(Key::d.rawValue, kControlOptionCommand, kId).ref);
    // Another client holds the keys with the modifier Num Lock is about to move to.
    ASSERT_TRUE(client->grab(kControlAltSuper | XCB_MOD_MASK_3, kD));
    const auto numLockOn = [](const char* from, const char* to) {
        return QProcess::execute(
            QStringLiteral("xmodmap"),
            {QStringLiteral("-display"), server->display(), QStringLiteral("-e"),
             QStringLiteral("clear %1").arg(QLatin1String(from)), QStringLiteral("-e"),
             QStringLiteral("add %1 = Num_Lock").arg(QLatin1String(to))});
    };
    ASSERT_EQ(numLockOn("mod2", "mod3"), 0);
    waitForEvents(1);
    EXPECT_EQ(numLockOn("mod3", "mod2"), 0);
    ASSERT_EQ(kinds(), QList<quint32>{HotKeyEventKind::hotKeyRefused});
    EXPECT_EQ(events[0].hotKeyId, kId);
    EXPECT_EQ(events[0].status, kEventHotKeyExistsErr);
}

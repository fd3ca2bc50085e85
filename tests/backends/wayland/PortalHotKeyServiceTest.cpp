// The portal back-end against the real xdg-desktop-portal on a private bus, with the stand-in
// desktop behind it.

#include "PortalTestSession.h"

#include "backends/wayland/PortalHotKeyService.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "keyboard_shortcuts/Library.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QSignalSpy>
#include <QUuid>

#include <gtest/gtest.h>

#include <memory>

using namespace hushpane;
using hushpane::test::waitUntil;
using hushpane::wayland::PortalHotKeyService;

namespace {

constexpr quint32 kKeyD = 2;
constexpr quint32 kKeyK = 40;
constexpr quint32 kControlOptionCommand = 0x1000 | 0x800 | 0x100;
const QString kD = QStringLiteral("carbon-2-6400");
const QString kK = QStringLiteral("carbon-40-6400");
const QList<quint32> kPressRelease{HotKeyEventKind::hotKeyPressed, HotKeyEventKind::hotKeyReleased};

class PortalHotKeys : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(portal.start()) << portal.error().toStdString();
        service = makeService(QStringLiteral("first"), events);
    }

    std::unique_ptr<PortalHotKeyService> makeService(const QString& name,
                                                     QList<HotKeyEvent>& into) {
        // A connection of its own, as another process would have.
        const QDBusConnection bus = QDBusConnection::connectToBus(
            session.busAddress(), name + QUuid::createUuid().toString(QUuid::Id128));
        auto result = std::make_unique<PortalHotKeyService>(bus, QStringLiteral("Toggle"));
        result->installEventHandler([&into](const HotKeyEvent& event) {
            into.append(event);
            return kHotKeyNoErr;
        });
        result->addEventTypes(kPressRelease);
        return result;
    }

    QVariant control(const QString& method, const QList<QVariant>& arguments = {}) {
        const QDBusMessage reply = portal.control(method, arguments);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        const QVariant value = reply.arguments().value(0);
        if (value.canConvert<QDBusArgument>()) {
            return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
        }
        return value;
    }

    static QList<quint32> kinds(const QList<HotKeyEvent>& list) {
        QList<quint32> result;
        for (const HotKeyEvent& event : list) {
            result.append(event.kind);
        }
        return result;
    }
    static QStringList triggers(const QList<HotKeyEvent>& list) {
        QStringList result;
        for (const HotKeyEvent& event : list) {
            if (event.kind == HotKeyEventKind::hotKeyTriggerChanged) {
                result.append(event.trigger);
            }
        }
        return result;
    }

    // Registers the combination and waits for the desktop's answer.
    HotKeyRef bind(PortalHotKeyService& on, QList<HotKeyEvent>& into, quint32 keyCode, quint32 id,
                   const QString& purpose = {}) {
        QSignalSpy finished(&on, &PortalHotKeyService::bindFinished);
        const HotKeyRegistration registration =
            on.registerHotKey(keyCode, kControlOptionCommand, {0x53534B53, id, purpose});
        EXPECT_EQ(registration.status, kHotKeyNoErr);
        EXPECT_TRUE(waitUntil([&] { return !finished.isEmpty(); }));
        waitUntil([&] { return !into.isEmpty(); }, 2000);
        return registration.ref.value_or(0);
    }

    test::PrivateSession session;
    test::PortalTestSession portal{session};
    QList<HotKeyEvent> events;
    std::unique_ptr<PortalHotKeyService> service;
};

}  // namespace

TEST_F(PortalHotKeys, BindsThePreferredTriggerAndTurnsActivationsIntoPressAndRelease) {
    EXPECT_EQ(PortalHotKeyService::availableVersion(portal.bus()), 1u);
    bind(*service, events, kKeyD, 1);

    EXPECT_EQ(control(QStringLiteral("LastBind")).toMap(),
              (QVariantMap{{kD, QStringLiteral("CTRL+ALT+LOGO+d")}}));
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].kind, HotKeyEventKind::hotKeyTriggerChanged);
    EXPECT_EQ(events[0].hotKeyId, (HotKeyId{0x53534B53, 1}));
    EXPECT_EQ(events[0].trigger, QStringLiteral("Ctrl+Alt+Meta+D"));
    events.clear();

    // A held shortcut activates again before it is deactivated: one press, one release.
    EXPECT_TRUE(control(QStringLiteral("Activate"), {kD}).toBool());
    EXPECT_TRUE(control(QStringLiteral("Activate"), {kD}).toBool());
    EXPECT_TRUE(control(QStringLiteral("Deactivate"), {kD}).toBool());
    ASSERT_TRUE(waitUntil([&] { return events.size() >= 2; }));
    waitUntil([&] { return events.size() > 2; }, 300);
    EXPECT_EQ(kinds(events), kPressRelease);
    EXPECT_EQ(events[0].hotKeyId, (HotKeyId{0x53534B53, 1}));

    // Without the hot-key kinds (a menu is open), activations reach nobody.
    events.clear();
    service->removeEventTypes(kPressRelease);
    control(QStringLiteral("Activate"), {kD});
    control(QStringLiteral("Deactivate"), {kD});
    waitUntil([&] { return !events.isEmpty(); }, 500);
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(PortalHotKeys, ReportsTheKeysTheDesktopChoseAndLaterChanges) {
    control(QStringLiteral("AssignTrigger"), {kD, QStringLiteral("Meta+F9")});
    bind(*service, events, kKeyD, 1);
    EXPECT_EQ(triggers(events), QStringList{QStringLiteral("Meta+F9")});

    events.clear();
    EXPECT_TRUE(control(QStringLiteral("ChangeTrigger"), {kD, QStringLiteral("Alt+F3")}).toBool());
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(triggers(events), QStringList{QStringLiteral("Alt+F3")});

    // Unbound in the desktop's settings: no keys for now, but still ours.
    events.clear();
    control(QStringLiteral("ChangeTrigger"), {kD, QString()});
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(triggers(events), QStringList{QString()});
    EXPECT_EQ(kinds(events), QList<quint32>{HotKeyEventKind::hotKeyTriggerChanged});
}

TEST_F(PortalHotKeys, ADeclinedOrKeylessBindStaysUnboundAndIsAskedAgainOnlyOnRequest) {
    control(QStringLiteral("SetBindResponse"), {1u});
    const HotKeyRef d = bind(*service, events, kKeyD, 1);
    EXPECT_EQ(triggers(events), QStringList{QString()});
    EXPECT_EQ(kinds(events), QList<quint32>{HotKeyEventKind::hotKeyTriggerChanged});

    // Nothing asks the desktop again by itself, also not a menu that closes and takes the
    // combination back.
    events.clear();
    service->unregisterHotKey(d);
    const auto again = service->registerHotKey(kKeyD, kControlOptionCommand, {0x53534B53, 1});
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(triggers(events), QStringList{QString()});
    waitUntil([] { return false; }, 1500);
    EXPECT_EQ(control(QStringLiteral("Binds")).toInt(), 1);

    // The user asks again, and the desktop answers without keys: still unbound, still once.
    events.clear();
    control(QStringLiteral("SetBindResponse"), {0u});
    control(QStringLiteral("SetBindWithoutKeys"), {true});
    QSignalSpy finished(service.get(), &PortalHotKeyService::bindFinished);
    service->askAgain();
    ASSERT_TRUE(waitUntil([&] { return !finished.isEmpty() && !events.isEmpty(); }));
    EXPECT_EQ(triggers(events), QStringList{QString()});
    EXPECT_EQ(control(QStringLiteral("Binds")).toInt(), 2);

    // The user gives it keys in the desktop's settings: bound, and it fires.
    events.clear();
    control(QStringLiteral("ChangeTrigger"), {kD, QStringLiteral("Meta+F9")});
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(triggers(events), QStringList{QStringLiteral("Meta+F9")});
    events.clear();
    control(QStringLiteral("Activate"), {kD});
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(events[0].hotKeyId, (HotKeyId{0x53534B53, 1}));
    EXPECT_TRUE(again.ref);
}

TEST_F(PortalHotKeys, WhatTheDesktopHoldsIsNotBoundAgainAndNewKeysReplaceTheOneShortcut) {
    const QString purpose = QStringLiteral("toggleDesktop");
    bind(*service, events, kKeyD, 1, purpose);
    EXPECT_EQ(control(QStringLiteral("LastBind")).toMap(),
              (QVariantMap{{purpose, QStringLiteral("CTRL+ALT+LOGO+d")}}));

    // The next start: the desktop holds it already and is asked nothing.
    service.reset();
    events.clear();
    service = makeService(QStringLiteral("restarted"), events);
    const HotKeyRef first = bind(*service, events, kKeyD, 1, purpose);
    EXPECT_EQ(triggers(events), QStringList{QStringLiteral("Ctrl+Alt+Meta+D")});
    EXPECT_EQ(control(QStringLiteral("Binds")).toInt(), 1);

    // New keys for the same purpose: bound again under the same id, and none other.
    events.clear();
    service->unregisterHotKey(first);
    bind(*service, events, kKeyK, 2, purpose);
    EXPECT_EQ(control(QStringLiteral("Binds")).toInt(), 2);
    EXPECT_EQ(control(QStringLiteral("LastBind")).toMap(),
              (QVariantMap{{purpose, QStringLiteral("CTRL+ALT+LOGO+k")}}));
}

TEST_F(PortalHotKeys, ANewCombinationIsBoundInANewSessionButTakingOneBackAsksNothing) {
    const HotKeyRef d = bind(*service, events, kKeyD, 1);
    const QString firstSession = service->sessionHandle();
    EXPECT_FALSE(firstSession.isEmpty());

    // A menu opened and closed: the same combination comes back under its id.
    events.clear();
    EXPECT_EQ(service->unregisterHotKey(d), kHotKeyNoErr);
    const HotKeyRegistration again =
        service->registerHotKey(kKeyD, kControlOptionCommand, {0x53534B53, 1});
    ASSERT_TRUE(again.ref);
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(triggers(events), QStringList{QStringLiteral("Ctrl+Alt+Meta+D")});
    EXPECT_EQ(control(QStringLiteral("SessionsCreated")).toInt(), 1);

    // The user recorded another shortcut.
    events.clear();
    service->unregisterHotKey(*again.ref);
    bind(*service, events, kKeyK, 2);
    EXPECT_EQ(control(QStringLiteral("SessionsCreated")).toInt(), 2);
    EXPECT_TRUE(waitUntil([&] { return control(QStringLiteral("SessionsClosed")).toInt() == 1; }));
    EXPECT_EQ(control(QStringLiteral("LastBind")).toMap(),
              (QVariantMap{{kK, QStringLiteral("CTRL+ALT+LOGO+k")}}));
    EXPECT_NE(service->sessionHandle(), firstSession);

    events.clear();
    control(QStringLiteral("Activate"), {kK});
    control(QStringLiteral("Deactivate"), {kK});
    ASSERT_TRUE(waitUntil([&] { return events.size() == 2; }));
    EXPECT_EQ(events[0].hotKeyId.id, 2u);
}

TEST_F(PortalHotKeys, APortalThatGoesAwayUnbindsUntilItComesBack) {
    bind(*service, events, kKeyD, 1);
    events.clear();

    portal.stopPortal();
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(triggers(events), QStringList{QString()});
    EXPECT_EQ(PortalHotKeyService::availableVersion(portal.bus()), 0u);

    events.clear();
    QSignalSpy finished(service.get(), &PortalHotKeyService::bindFinished);
    ASSERT_TRUE(portal.startPortal()) << portal.error().toStdString();
    ASSERT_TRUE(waitUntil([&] { return !finished.isEmpty(); }));
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(triggers(events), QStringList{QStringLiteral("Ctrl+Alt+Meta+D")})
        << "bind answer " << finished.constFirst().constFirst().toUInt() << ", events "
        << kinds(events).size();

    events.clear();
    control(QStringLiteral("Activate"), {kD});
    ASSERT_TRUE(waitUntil([&] { return !events.isEmpty(); }));
    EXPECT_EQ(kinds(events), QList<quint32>{HotKeyEventKind::hotKeyPressed});
}

TEST_F(PortalHotKeys, AnotherProgramsSessionGetsNoneOfOurActivations) {
    bind(*service, events, kKeyD, 1);
    QList<HotKeyEvent> otherEvents;
    const auto other = makeService(QStringLiteral("second"), otherEvents);
    bind(*other, otherEvents, kKeyD, 1);
    EXPECT_NE(other->sessionHandle(), service->sessionHandle());
    events.clear();
    otherEvents.clear();

    // The stand-in fires the newest session's shortcut: the second program's.
    control(QStringLiteral("Activate"), {kD});
    ASSERT_TRUE(waitUntil([&] { return !otherEvents.isEmpty(); }));
    waitUntil([&] { return !events.isEmpty(); }, 500);
    EXPECT_EQ(kinds(otherEvents), QList<quint32>{HotKeyEventKind::hotKeyPressed});
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(PortalHotKeys, APortalWithoutAGlobalShortcutsBackEndOffersNone) {
    portal.stopPortal();
    ASSERT_TRUE(portal.startPortal(false)) << portal.error().toStdString();
    EXPECT_EQ(PortalHotKeyService::availableVersion(portal.bus()), 0u);
}

TEST_F(PortalHotKeys, TheShortcutLibraryOverADecliningDesktopAsksItOnlyOnce) {
    control(QStringLiteral("SetBindResponse"), {1u});
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    test::InMemoryKeyboardLayout layout;
    const QDBusConnection bus = QDBusConnection::connectToBus(
        session.busAddress(), QStringLiteral("library") + QUuid::createUuid().toString());
    PortalHotKeyService portalService(bus, QStringLiteral("Toggle"));
    KeyboardShortcuts::Library library(defaults, portalService, layout);
    const KeyboardShortcuts::Name toggle(QStringLiteral("toggleDesktop"));
    library.onKeyUp(toggle, [] {});
    library.userDefaultsSet(toggle, KeyboardShortcuts::Shortcut(kKeyD, kControlOptionCommand));

    ASSERT_TRUE(waitUntil([&] { return library.isUnboundByDesktop(toggle); }));
    // A refusal the library retried would ask again after a second, then every few seconds.
    waitUntil([] { return false; }, 2500);
    EXPECT_EQ(control(QStringLiteral("Binds")).toInt(), 1);
    EXPECT_FALSE(library.isRetryScheduled());
    EXPECT_TRUE(library.isUnboundByDesktop(toggle));
}

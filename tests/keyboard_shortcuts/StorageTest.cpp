#include "LibraryFixture.h"

#include "backends/plist/PlistPreferenceDomain.h"
#include "support/StdoutCapture.h"

#include <QAction>

#include <QDateTime>
#include <QSignalSpy>
#include <QTemporaryDir>

using namespace KeyboardShortcuts;

namespace {

const QString kToggleKey = QStringLiteral("KeyboardShortcuts_toggleDesktop");

// Records the name of every change announced.
struct ChangeLog {
    explicit ChangeLog(Library& library) {
        QObject::connect(&library, &Library::shortcutByNameDidChange, &context,
                         [this](const Name& name) { names.append(name.rawValue()); });
    }
    QObject context;
    QStringList names;
};

}  // namespace

TEST_F(LibraryTest, FirstCreationStoresRegistersAndAnnouncesTheDefault) {
    ChangeLog log(*library);
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());

    const auto stored = domain.values.value(kToggleKey);
    ASSERT_EQ(stored.typeId(), QMetaType::QString);
    EXPECT_EQ(Shortcut::fromJson(stored.toString()), controlOptionCommandD());
    EXPECT_EQ(domain.stored.value(kToggleKey), stored) << "written through at once";
    EXPECT_TRUE(hotKeys.isRegistered(2, 6400));
    EXPECT_EQ(log.names, QStringList{QStringLiteral("toggleDesktop")});
    EXPECT_TRUE(library->isInitialized());

    // Creating it again (next start) writes and announces nothing.
    const int writes = domain.setCount;
    const Name again(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    EXPECT_EQ(domain.setCount, writes);
    EXPECT_EQ(log.names.size(), 1);
}

TEST_F(LibraryTest, AStoredFalseKeepsTheDefaultAway) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    ChangeLog log(*library);
    setShortcut(std::nullopt, toggle);

    EXPECT_EQ(domain.values.value(kToggleKey), QVariant(false));
    EXPECT_FALSE(hotKeys.isRegistered(2, 6400));
    EXPECT_EQ(log.names.size(), 1);

    const Name nextStart(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    EXPECT_EQ(domain.values.value(kToggleKey), QVariant(false));
    EXPECT_FALSE(getShortcut(nextStart));
    EXPECT_EQ(log.names.size(), 1);

    // Clearing again: nothing stored, nothing written or posted.
    const int writes = domain.setCount;
    setShortcut(std::nullopt, nextStart);
    EXPECT_EQ(domain.setCount, writes);
    EXPECT_EQ(log.names.size(), 1);
}

TEST_F(LibraryTest, JunkReadsAsNoShortcutAndKeepsTheDefaultAway) {
    const QList<QVariant> junk{
        QStringLiteral("{not json"),
        QStringLiteral(R"({"carbonKeyCode":"d","carbonModifiers":6400})"),
        QVariant(qlonglong(12)),
        QVariant(true),
        QVariant(QByteArray(R"({"carbonKeyCode":2,"carbonModifiers":6400})")),
        QVariant(QDateTime::fromSecsSinceEpoch(0)),
        QVariant(QVariantMap{{QStringLiteral("carbonKeyCode"), 2}}),
    };
    for (const QVariant& value : junk) {
        domain.values.insert(kToggleKey, value);
        const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
        EXPECT_FALSE(getShortcut(toggle)) << value.typeName();
        EXPECT_TRUE(userDefaultsContains(toggle));
        EXPECT_EQ(domain.values.value(kToggleKey), value) << "junk is left as it is";
        // Clearing junk changes nothing.
        setShortcut(std::nullopt, toggle);
        EXPECT_EQ(domain.values.value(kToggleKey), value);
    }
    EXPECT_EQ(hotKeys.registerCount, 0);
}

TEST_F(LibraryTest, ClearingANameWithoutDefaultRemovesItsKey) {
    const Name other(QStringLiteral("other"));
    EXPECT_FALSE(domain.values.contains(QStringLiteral("KeyboardShortcuts_other")));
    setShortcut(commandShiftK(), other);
    EXPECT_TRUE(hotKeys.isRegistered(40, 768));
    setShortcut(std::nullopt, other);
    EXPECT_FALSE(domain.values.contains(QStringLiteral("KeyboardShortcuts_other")));
    EXPECT_FALSE(hotKeys.isRegistered(40, 768));
}

TEST_F(LibraryTest, StoringTheSameShortcutAgainReRegistersAndAnnounces) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    ChangeLog log(*library);
    const QList<hushpane::HotKeyId> before = hotKeys.registeredIds();
    userDefaultsSet(toggle, controlOptionCommandD());
    ASSERT_EQ(hotKeys.registeredIds().size(), 1);
    EXPECT_NE(hotKeys.registeredIds().first().id, before.first().id) << "registered afresh";
    EXPECT_EQ(log.names.size(), 1);
}

TEST_F(LibraryTest, NamesAreEqualByTextAndShareOneKey) {
    const Name a(QStringLiteral("n"), commandShiftK());
    const Name b(QStringLiteral("n"), controlOptionCommandD());
    EXPECT_TRUE(a == b);
    EXPECT_EQ(qHash(a), qHash(b));
    EXPECT_EQ(getShortcut(b), commandShiftK()) << "the first creation's default was stored";
}

TEST_F(LibraryTest, ResetAndResetAll) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    const Name plain(QStringLiteral("plain"));
    setShortcut(commandShiftK(), toggle);
    setShortcut(Shortcut(Key::f5), plain);
    domain.values.insert(QStringLiteral("KeyboardShortcuts_junk"), QStringLiteral("x"));
    domain.values.insert(QStringLiteral("KeyboardShortcuts_off"), false);
    domain.values.insert(QStringLiteral("unrelated"), 1);

    const QSet<Name> names = allNames();
    QStringList raw;
    for (const Name& n : names) {
        raw.append(n.rawValue());
    }
    raw.sort();
    EXPECT_EQ(raw, (QStringList{QStringLiteral("junk"), QStringLiteral("off"),
                                QStringLiteral("plain"), QStringLiteral("toggleDesktop")}));

    reset({toggle});
    EXPECT_EQ(getShortcut(toggle), controlOptionCommandD());
    EXPECT_TRUE(hotKeys.isRegistered(2, 6400));
    EXPECT_FALSE(hotKeys.isRegistered(40, 768));

    // Names from allNames carry no default: every stored shortcut goes, false and junk stay.
    resetAll();
    EXPECT_FALSE(domain.values.contains(kToggleKey));
    EXPECT_FALSE(domain.values.contains(QStringLiteral("KeyboardShortcuts_plain")));
    EXPECT_EQ(domain.values.value(QStringLiteral("KeyboardShortcuts_junk")), QStringLiteral("x"));
    EXPECT_EQ(domain.values.value(QStringLiteral("KeyboardShortcuts_off")), QVariant(false));
    EXPECT_TRUE(hotKeys.registrations.isEmpty());

    // A reset replaces a stored false with the default.
    setShortcut(commandShiftK(), toggle);
    setShortcut(std::nullopt, toggle);
    reset({toggle});
    EXPECT_EQ(getShortcut(toggle), controlOptionCommandD());
}

TEST(StorageInPlistFiles, FollowsTheStoredValueTable) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("app.hushpane.plist"));
    const Shortcut defaultShortcut(Key::d,
                                   Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    {
        hushpane::PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), file);
        hushpane::UserDefaults defaults(domain);
        hushpane::test::InMemoryHotKeyService hotKeys;
        hushpane::test::InMemoryKeyboardLayout layout;
        Library library(defaults, hotKeys, layout);
        const Name toggle(QStringLiteral("toggleDesktop"), defaultShortcut);
        setShortcut(std::nullopt, toggle);
    }
    {
        hushpane::PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), file);
        EXPECT_EQ(domain.copyValue(kToggleKey), QVariant(false));
        hushpane::UserDefaults defaults(domain);
        hushpane::test::InMemoryHotKeyService hotKeys;
        hushpane::test::InMemoryKeyboardLayout layout;
        Library library(defaults, hotKeys, layout);
        const Name toggle(QStringLiteral("toggleDesktop"), defaultShortcut);
        EXPECT_FALSE(getShortcut(toggle));
        EXPECT_EQ(hotKeys.registerCount, 0);
        setShortcut(Shortcut(Key::k, Qt::MetaModifier | Qt::ShiftModifier), toggle);
    }
    {
        hushpane::PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), file);
        const auto stored = domain.copyValue(kToggleKey);
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->typeId(), QMetaType::QString) << "stored as text, not data";
        hushpane::UserDefaults defaults(domain);
        hushpane::test::InMemoryHotKeyService hotKeys;
        hushpane::test::InMemoryKeyboardLayout layout;
        Library library(defaults, hotKeys, layout);
        const Name toggle(QStringLiteral("toggleDesktop"), defaultShortcut);
        EXPECT_EQ(getShortcut(toggle), Shortcut(Key::k, Qt::MetaModifier | Qt::ShiftModifier));
        onKeyUp(toggle, [] {});
        EXPECT_TRUE(hotKeys.isRegistered(40, 768));
    }
}

TEST_F(LibraryTest, HandEditedOutOfRangeValuesAreShownButNeverRegistered) {
    domain.values.insert(kToggleKey,
                         QStringLiteral(R"({"carbonKeyCode":70000,"carbonModifiers":4294967552})"));
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    const auto shortcut = getShortcut(toggle);
    ASSERT_TRUE(shortcut);
    EXPECT_EQ(shortcut->carbonKeyCode(), 70000);
    EXPECT_EQ(shortcut->presentableDescription(), QStringLiteral("Super+") + QChar(0xFFFD));

    QString printed;
    int ran = 0;
    {
        hushpane::test::StdoutCapture out;
        onKeyUp(toggle, [&] { ++ran; });
        printed = out.text();
    }
    EXPECT_EQ(hotKeys.registerCount, 0);
    EXPECT_EQ(printed, QStringLiteral("Error registering hotkey Super+\uFFFD: -9879\n"));
    EXPECT_FALSE(isEnabled(toggle));

    QAction item;
    setShortcut(&item, toggle);
    EXPECT_TRUE(item.shortcut().isEmpty());
    EXPECT_EQ(menuItemKeyEquivalent(&item).modifierMask, Qt::MetaModifier);
}

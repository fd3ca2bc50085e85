#include "app/DesktopShortcutHint.h"
#include "app/ToggleShortcut.h"

#include "common/UserDefaults.h"
#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "keyboard_shortcuts/Library.h"
#include "keyboard_shortcuts/Recorder.h"
#include "platform/DesktopKeybindings.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

using namespace hushpane;

namespace {

struct RecordingKeybindings : DesktopKeybindings {
    bool available = true;
    std::optional<QString> failure;
    struct Call {
        QString name, command;
        qint64 keyCode, modifiers;
    };
    QList<Call> calls;

    bool isAvailable() const override { return available; }
    std::optional<QString> addKeybinding(const QString& name, const QString& command,
                                         qint64 keyCode, qint64 modifiers) override {
        calls.append({name, command, keyCode, modifiers});
        return failure;
    }
};

class ToggleShortcutRowTest : public ::testing::Test {
protected:
    std::unique_ptr<QWidget> makeRow(DesktopKeybindings* desktop,
                                     ShortcutHelp::Shown shown = ShortcutHelp::Shown::always) {
        // The name is made once per process: store its default for this test's library.
        library.userDefaultsSet(toggleDesktopName(), *toggleDesktopName().defaultShortcut());
        const ShortcutHelp help{desktop ? shown : ShortcutHelp::Shown::never, desktop};
        return std::unique_ptr<QWidget>(
            makeToggleShortcutRow(library, QStringLiteral("Keyboard shortcut"), nullptr, help));
    }

    // The desktop's answer for the registered toggle shortcut, as a portal delivers it.
    void answer(const QString& trigger) {
        for (const auto& registration : std::as_const(hotKeys.registrations)) {
            HotKeyEvent event;
            event.kind = HotKeyEventKind::hotKeyTriggerChanged;
            event.hotKeyId = registration.id;
            event.trigger = trigger;
            hotKeys.deliver(event);
        }
    }

    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    test::InMemoryHotKeyService hotKeys;
    test::InMemoryKeyboardLayout layout;
    KeyboardShortcuts::Library library{defaults, hotKeys, layout};
    RecordingKeybindings keybindings;
};

}  // namespace

TEST_F(ToggleShortcutRowTest, WithGlobalShortcutsTheRowIsTheRecorderAlone) {
    const auto row = makeRow(nullptr);
    EXPECT_NE(qobject_cast<KeyboardShortcuts::Recorder*>(row.get()), nullptr);
    EXPECT_EQ(row->findChild<DesktopShortcutHint*>(), nullptr);
}

TEST_F(ToggleShortcutRowTest, WithoutThemItExplainsOffersTheCommandAndAddsTheDesktopsKeybinding) {
    const auto row = makeRow(&keybindings);
    ASSERT_NE(row->findChild<KeyboardShortcuts::Recorder*>(), nullptr);
    auto* hint = row->findChild<DesktopShortcutHint*>();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->findChild<QLabel*>(QStringLiteral("explanation"))->text(),
              QStringLiteral("This desktop doesn't let programs set global shortcuts; bind "
                             "`hushpane hushpane://toggle` in the desktop's keyboard settings"));

    EXPECT_TRUE(hint->commandField()->isReadOnly());
    hint->copyButton()->click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hushpane hushpane://toggle"));

    // Nothing is written until the user asks.
    EXPECT_TRUE(keybindings.calls.isEmpty());
    ASSERT_NE(hint->addButton(), nullptr);
    hint->addButton()->click();
    ASSERT_EQ(keybindings.calls.size(), 1);
    EXPECT_TRUE(keybindings.calls[0].command.endsWith(QStringLiteral(" hushpane://toggle")));
    EXPECT_EQ(keybindings.calls[0].keyCode, 2);
    EXPECT_EQ(keybindings.calls[0].modifiers, 0x1000 | 0x800 | 0x100);
    EXPECT_TRUE(hint->result()->text().startsWith(QStringLiteral("Added")))
        << hint->result()->text().toStdString();

    keybindings.failure = QStringLiteral("GNOME's keyboard settings are read-only");
    hint->addButton()->click();
    EXPECT_TRUE(hint->result()->text().contains(*keybindings.failure));

    // With the shortcut removed there are no keys to bind.
    KeyboardShortcuts::Library* lib = &library;
    lib->setShortcut(std::nullopt, toggleDesktopName());
    hint->addButton()->click();
    EXPECT_EQ(keybindings.calls.size(), 2);
    EXPECT_EQ(hint->result()->text(), QStringLiteral("Record a shortcut first."));
}

TEST_F(ToggleShortcutRowTest, OnOtherDesktopsThereIsNothingToAddTo) {
    keybindings.available = false;
    const auto row = makeRow(&keybindings);
    auto* hint = row->findChild<DesktopShortcutHint*>();
    ASSERT_NE(hint, nullptr);
    EXPECT_EQ(hint->addButton(), nullptr);
    EXPECT_NE(hint->copyButton(), nullptr);
}

TEST_F(ToggleShortcutRowTest, WhereTheDesktopPicksTheKeysTheHintShowsOnlyWhileItBoundNone) {
    const auto row = makeRow(&keybindings, ShortcutHelp::Shown::whileUnbound);
    row->show();
    auto* hint = row->findChild<DesktopShortcutHint*>();
    ASSERT_NE(hint, nullptr);
    // Registered under the shortcut's name, and nothing shown before the desktop answers.
    ASSERT_EQ(hotKeys.registrations.size(), 1);
    EXPECT_EQ(hotKeys.registrations.first().id.purpose, QStringLiteral("toggleDesktop"));
    EXPECT_FALSE(hint->isVisible());

    answer(QString());
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->findChild<QLabel*>(QStringLiteral("explanation"))->text(),
              DesktopShortcutHint::unboundExplanation());
    ASSERT_NE(hint->askAgainButton(), nullptr);
    hint->askAgainButton()->click();
    EXPECT_EQ(hotKeys.askAgainCount, 1);
    EXPECT_NE(hint->addButton(), nullptr);

    answer(QStringLiteral("Meta+Ctrl+Alt+D"));
    EXPECT_FALSE(hint->isVisible());
}

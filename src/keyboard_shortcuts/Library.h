#pragma once

#include "keyboard_shortcuts/CarbonKeyboardShortcuts.h"
#include "keyboard_shortcuts/MenuTrackingObserver.h"
#include "keyboard_shortcuts/Name.h"
#include "keyboard_shortcuts/NotificationCenter.h"
#include "keyboard_shortcuts/Shortcut.h"

#include <QList>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <functional>
#include <memory>

namespace hushpane {
class HotKeyService;
class KeyboardLayout;
class UserDefaults;
}  // namespace hushpane

namespace KeyboardShortcuts {

using Action = std::function<void()>;

// The shortcut library's state for the life of the program: storage in the application's user
// defaults, the hot-key layer, the handlers and the notification centre. The composition root
// makes one; while it lives, the free functions of the namespace (KeyboardShortcuts.h) work
// on it. Tests make a fresh one per test.
class Library {
public:
    Library(hushpane::UserDefaults& userDefaults, hushpane::HotKeyService& hotKeys,
            hushpane::KeyboardLayout& keyboardLayout);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // The library set up last and still alive, or nullptr.
    static Library* current();

    hushpane::UserDefaults& userDefaults() { return userDefaults_; }
    hushpane::KeyboardLayout& keyboardLayout() { return keyboardLayout_; }
    NotificationCenter& notificationCenter() { return notificationCenter_; }
    CarbonKeyboardShortcuts& carbonKeyboardShortcuts() { return carbon_; }

    // Storage.
    std::optional<Shortcut> getShortcut(const Name& name) const;
    void setShortcut(const std::optional<Shortcut>& shortcut, const Name& name);
    void userDefaultsSet(const Name& name, const Shortcut& shortcut);
    bool userDefaultsContains(const Name& name) const;
    void userDefaultsDidChange(const Name& name);
    void reset(const QList<Name>& names);
    void resetAll();
    QSet<Name> allNames() const;

    // Handlers.
    void onKeyDown(const Name& name, Action action);
    void onKeyUp(const Name& name, Action action);
    void removeHandler(const Name& name);
    void removeAllHandlers();
    bool isEnabled(const Name& name) const;
    void enable(const QList<Name>& names);
    void disable(const QList<Name>& names);
    void registerShortcut(const Shortcut& shortcut);
    void deregister(const Shortcut& shortcut);
    void handleOnKeyDown(const Shortcut& shortcut);
    void handleOnKeyRelease(const Shortcut& shortcut);
    const QSet<Shortcut>& registeredShortcuts() const { return registeredShortcuts_; }

    bool isEnabled() const { return carbon_.isEnabled(); }
    void setEnabled(bool enabled) { carbon_.setEnabled(enabled); }
    bool isMenuOpen() const { return carbon_.isMenuOpen(); }
    bool isPaused() const { return isPaused_; }
    void setPaused(bool paused) { isPaused_ = paused; }

    // The application's main menu (a QMenuBar or QMenu), against which recorders check new
    // shortcuts; none by default.
    QWidget* mainMenu() const { return mainMenu_; }
    void setMainMenu(QWidget* menu) { mainMenu_ = menu; }

    // Installs the menu-tracking observer once.
    void initialize();
    bool isInitialized() const { return menuTracking_ != nullptr; }

private:
    struct Handlers {
        Name name;
        QList<Action> actions;
    };

    static void addAction(QList<Handlers>& handlers, const Name& name, Action action);
    static void dispatch(const QList<Handlers>& handlers, const Shortcut& shortcut,
                         const Library& library);
    QSet<Shortcut> shortcutsForLegacyHandlers() const;
    // True when a name other than `except` with a handler still stores the shortcut: its hot
    // key must stay.
    bool isNeededByAnotherName(const Shortcut& shortcut, const Name& except) const;
    void releaseFor(const Shortcut& shortcut, const Name& name);

    hushpane::UserDefaults& userDefaults_;
    hushpane::KeyboardLayout& keyboardLayout_;
    NotificationCenter notificationCenter_;
    CarbonKeyboardShortcuts carbon_;
    QSet<Shortcut> registeredShortcuts_;
    QList<Handlers> legacyKeyDownHandlers_;
    QList<Handlers> legacyKeyUpHandlers_;
    bool isPaused_ = false;
    std::unique_ptr<MenuTrackingObserver> menuTracking_;
    QPointer<QWidget> mainMenu_;
    Library* previous_ = nullptr;
};

}  // namespace KeyboardShortcuts

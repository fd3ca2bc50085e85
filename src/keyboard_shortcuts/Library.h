#pragma once

#include "keyboard_shortcuts/CarbonKeyboardShortcuts.h"
#include "keyboard_shortcuts/MenuTrackingObserver.h"
#include "keyboard_shortcuts/Name.h"
#include "keyboard_shortcuts/Shortcut.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace hushpane {
class DesktopKeybindings;
class HotKeyService;
class KeyboardLayout;
class UserDefaults;
}  // namespace hushpane

namespace KeyboardShortcuts {

using Action = std::function<void()>;

// The shortcut library's state for the life of the program: storage in the application's user
// defaults, the hot-key layer and the handlers. The application owns one and hands it to what
// needs it (recorders, menu bindings). The free functions of the namespace (KeyboardShortcuts.h)
// are the same interface without the library argument: they work on the library made last
// that still lives. Tests make a fresh one per test.
class Library : public QObject {
    Q_OBJECT
public:
    Library(hushpane::UserDefaults& userDefaults, hushpane::HotKeyService& hotKeys,
            hushpane::KeyboardLayout& keyboardLayout, QObject* parent = nullptr);
    ~Library() override;

    // The library the free functions work on, or nullptr.
    static Library* current();

    hushpane::UserDefaults& userDefaults() { return userDefaults_; }
    hushpane::KeyboardLayout& keyboardLayout() const { return keyboardLayout_; }
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

    // Handlers. With a context object the action goes away when the context does.
    void onKeyDown(const Name& name, Action action);
    void onKeyUp(const Name& name, Action action);
    void onKeyDown(const Name& name, const QObject* context, Action action);
    void onKeyUp(const Name& name, const QObject* context, Action action);
    void removeHandler(const Name& name);
    void removeAllHandlers();
    bool isEnabled(const Name& name) const;
    void enable(const QList<Name>& names);
    void disable(const QList<Name>& names);
    void registerShortcut(const Shortcut& shortcut);
    // Registers the hot key for what `name` does: desktops that keep shortcuts by name file it
    // under the name.
    void registerShortcut(const Shortcut& shortcut, const Name& name);
    void deregister(const Shortcut& shortcut);
    void handleOnKeyDown(const Shortcut& shortcut);
    void handleOnKeyRelease(const Shortcut& shortcut);

    // Hot keys another program holds. They are tried again until the holder lets go: on a
    // timer that waits twice as long after each failed try (up to a minute), and whenever
    // retryRefusedShortcuts() is called (the recorder does when its window gains or loses
    // focus).
    bool isRefused(const Name& name) const;
    bool hasRefusedShortcuts() const { return !refused_.isEmpty(); }
    void retryRefusedShortcuts();
    int retryInterval() const { return retryTimer_.interval(); }
    bool isRetryScheduled() const { return retryTimer_.isActive(); }

    bool isEnabled() const { return carbon_.isEnabled(); }
    void setEnabled(bool enabled) { carbon_.setEnabled(enabled); }
    bool isMenuOpen() const { return carbon_.isMenuOpen(); }
    bool isPaused() const { return isPaused_; }
    void setPaused(bool paused) { isPaused_ = paused; }

    // Where the desktop picks the keys of a registered shortcut (a portal): its text for the
    // keys it bound, empty while it has unbound them. Nothing where the shortcut's own keys
    // fire it, and for shortcuts not registered.
    std::optional<QString> boundTrigger(const Shortcut& shortcut) const;
    std::optional<QString> boundTrigger(const Name& name) const;
    // True while the desktop that picks the keys has bound none to the name's shortcut (it
    // declined, refused or gave it no keys, or went away).
    bool isUnboundByDesktop(const Name& name) const;
    // Asks that desktop once more for every shortcut it has not bound; for a user's request.
    void askDesktopAgain() { carbon_.askDesktopAgain(); }

    // The desktop's own shortcuts, for conflict checks.
    QList<Shortcut> systemShortcuts() const { return carbon_.system(); }
    // What the desktop itself does on the shortcut's keys, in its words, where it can tell
    // (set the desktop's keybindings first); nothing otherwise.
    std::optional<QString> desktopActionOn(const Shortcut& shortcut) const;
    // Not owned; must outlive the library, or be unset before it goes.
    void setDesktopKeybindings(hushpane::DesktopKeybindings* keybindings) {
        desktopKeybindings_ = keybindings;
    }

    // The application's main menu (a QMenuBar or QMenu), against which recorders check new
    // shortcuts; none by default.
    QWidget* mainMenu() const { return mainMenu_; }
    void setMainMenu(QWidget* menu) { mainMenu_ = menu; }

    // Installs the menu-tracking observer once.
    void initialize();
    bool isInitialized() const { return menuTracking_ != nullptr; }

Q_SIGNALS:
    // "KeyboardShortcuts_shortcutByNameDidChange": the shortcut stored for the name changed.
    void shortcutByNameDidChange(const KeyboardShortcuts::Name& name);
    // "KeyboardShortcuts_recorderActiveStatusDidChange": a recorder started or ended
    // recording.
    void recorderActiveStatusDidChange(bool isActive);
    // A hot key was refused because another program holds it, or a refused one was taken
    // after all.
    void refusedShortcutsDidChange();
    // The desktop bound a registered shortcut to other keys or unbound it (boundTrigger).
    void boundTriggerChanged(const KeyboardShortcuts::Shortcut& shortcut);

private:
    struct BoundAction {
        Action action;
        // Set for actions given with a context: they end with it.
        bool hasContext = false;
        QPointer<const QObject> context = nullptr;
    };
    struct Handlers {
        Name name;
        QList<BoundAction> actions;
    };

    static void addAction(QList<Handlers>& handlers, const Name& name, BoundAction action);
    void addKeyHandler(QList<Handlers>& handlers, const Name& name, BoundAction action);
    static void dispatch(const QList<Handlers>& handlers, const Shortcut& shortcut,
                         const Library& library);
    QSet<Shortcut> shortcutsForLegacyHandlers() const;
    // True when a name other than `except` with a handler still stores the shortcut: its hot
    // key must stay.
    bool isNeededByAnotherName(const Shortcut& shortcut, const Name& except) const;
    void releaseFor(const Shortcut& shortcut, const Name& name);
    void noteRefusal(const Shortcut& shortcut, qint32 status);
    void forgetRefusal(const Shortcut& shortcut);
    void retryOnTimer();
    void registerShortcut(const Shortcut& shortcut, const QString& purpose);

    hushpane::UserDefaults& userDefaults_;
    hushpane::KeyboardLayout& keyboardLayout_;
    CarbonKeyboardShortcuts carbon_;
    QSet<Shortcut> registeredShortcuts_;
    QSet<Shortcut> refused_;
    // What each registered shortcut is for (HotKeyId::purpose).
    QHash<Shortcut, QString> purposes_;
    QTimer retryTimer_;
    QList<Handlers> legacyKeyDownHandlers_;
    QList<Handlers> legacyKeyUpHandlers_;
    bool isPaused_ = false;
    std::unique_ptr<MenuTrackingObserver> menuTracking_;
    QPointer<QWidget> mainMenu_;
    hushpane::DesktopKeybindings* desktopKeybindings_ = nullptr;
    Library* previous_ = nullptr;
};

}  // namespace KeyboardShortcuts

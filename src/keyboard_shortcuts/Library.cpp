#include "keyboard_shortcuts/Library.h"

#include "common/UserDefaults.h"
#include "platform/DesktopKeybindings.h"
#include "platform/HotKeyService.h"

#include <algorithm>

namespace KeyboardShortcuts {

namespace {

Library* gCurrent = nullptr;

constexpr int kFirstRetryMs = 1000;
constexpr int kLongestRetryMs = 60000;

}  // namespace

Library::Library(hushpane::UserDefaults& userDefaults, hushpane::HotKeyService& hotKeys,
                 hushpane::KeyboardLayout& keyboardLayout, QObject* parent)
    : QObject(parent),
      userDefaults_(userDefaults),
      keyboardLayout_(keyboardLayout),
      carbon_(hotKeys),
      previous_(gCurrent) {
    gCurrent = this;
    connect(&carbon_, &CarbonKeyboardShortcuts::keyDown, this, &Library::handleOnKeyDown);
    connect(&carbon_, &CarbonKeyboardShortcuts::keyUp, this, &Library::handleOnKeyRelease);
    connect(&carbon_, &CarbonKeyboardShortcuts::registrationLost, this, &Library::noteRefusal);
    retryTimer_.setSingleShot(true);
    retryTimer_.setInterval(kFirstRetryMs);
    connect(&retryTimer_, &QTimer::timeout, this, &Library::retryOnTimer);
    connect(&carbon_, &CarbonKeyboardShortcuts::triggerChanged, this,
            [this](const Shortcut& shortcut) { Q_EMIT boundTriggerChanged(shortcut); });
}

std::optional<QString> Library::boundTrigger(const Shortcut& shortcut) const {
    for (const auto& [id, hotKey] : carbon_.hotKeys()) {
        if (hotKey.shortcut == shortcut && hotKey.trigger) {
            return hotKey.trigger;
        }
    }
    return std::nullopt;
}

std::optional<QString> Library::boundTrigger(const Name& name) const {
    const auto shortcut = getShortcut(name);
    return shortcut ? boundTrigger(*shortcut) : std::nullopt;
}

bool Library::isUnboundByDesktop(const Name& name) const {
    const auto trigger = boundTrigger(name);
    return trigger && trigger->isEmpty();
}

std::optional<QString> Library::desktopActionOn(const Shortcut& shortcut) const {
    if (desktopKeybindings_ == nullptr) {
        return std::nullopt;
    }
    return desktopKeybindings_->actionOnKeys(shortcut.carbonKeyCode(),
                                             normalizedCarbonModifiers(shortcut.carbonModifiers()));
}

Library::~Library() {
    if (gCurrent == this) {
        gCurrent = previous_;
    }
}

Library* Library::current() {
    return gCurrent;
}

// Storage

std::optional<Shortcut> Library::getShortcut(const Name& name) const {
    const auto text = userDefaults_.stringForKey(name.userDefaultsKey());
    if (!text) {
        return std::nullopt;
    }
    return Shortcut::fromJson(*text);
}

bool Library::userDefaultsContains(const Name& name) const {
    return userDefaults_.objectForKey(name.userDefaultsKey()).has_value();
}

void Library::userDefaultsDidChange(const Name& name) {
    Q_EMIT shortcutByNameDidChange(name);
}

void Library::userDefaultsSet(const Name& name, const Shortcut& shortcut) {
    const QString text = shortcut.toJson();
    if (text.isEmpty()) {
        return;
    }
    if (const auto old = getShortcut(name)) {
        releaseFor(*old, name);
    }
    registerShortcut(shortcut, name);
    userDefaults_.setString(name.userDefaultsKey(), text);
    userDefaultsDidChange(name);
}

void Library::setShortcut(const std::optional<Shortcut>& shortcut, const Name& name) {
    if (shortcut) {
        userDefaultsSet(name, *shortcut);
        return;
    }
    const auto current = getShortcut(name);
    if (!current) {
        return;
    }
    if (name.defaultShortcut()) {
        // Keeps the default from coming back at the next start.
        userDefaults_.setBool(name.userDefaultsKey(), false);
    } else {
        userDefaults_.removeObjectForKey(name.userDefaultsKey());
    }
    releaseFor(*current, name);
    userDefaultsDidChange(name);
}

void Library::reset(const QList<Name>& names) {
    for (const Name& name : names) {
        if (name.defaultShortcut()) {
            userDefaultsSet(name, *name.defaultShortcut());
        } else if (const auto current = getShortcut(name)) {
            userDefaults_.removeObjectForKey(name.userDefaultsKey());
            releaseFor(*current, name);
            userDefaultsDidChange(name);
        }
    }
}

void Library::resetAll() {
    reset(allNames().values());
}

QSet<Name> Library::allNames() const {
    QSet<Name> names;
    const QString prefix = QLatin1String(kUserDefaultsKeyPrefix);
    const QVariantMap all = userDefaults_.dictionaryRepresentation();
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        if (it.key().startsWith(prefix)) {
            names.insert(Name::fromRawValue(it.key().mid(prefix.size())));
        }
    }
    return names;
}

// Handlers

void Library::addAction(QList<Handlers>& handlers, const Name& name, BoundAction action) {
    for (Handlers& entry : handlers) {
        if (entry.name == name) {
            entry.actions.append(std::move(action));
            return;
        }
    }
    handlers.append(Handlers{name, {std::move(action)}});
}

void Library::addKeyHandler(QList<Handlers>& handlers, const Name& name, BoundAction action) {
    addAction(handlers, name, std::move(action));
    if (const auto shortcut = getShortcut(name)) {
        registerShortcut(*shortcut, name);
    }
}

void Library::onKeyDown(const Name& name, Action action) {
    addKeyHandler(legacyKeyDownHandlers_, name, BoundAction{std::move(action)});
}

void Library::onKeyUp(const Name& name, Action action) {
    addKeyHandler(legacyKeyUpHandlers_, name, BoundAction{std::move(action)});
}

void Library::onKeyDown(const Name& name, const QObject* context, Action action) {
    addKeyHandler(legacyKeyDownHandlers_, name, BoundAction{std::move(action), true, context});
}

void Library::onKeyUp(const Name& name, const QObject* context, Action action) {
    addKeyHandler(legacyKeyUpHandlers_, name, BoundAction{std::move(action), true, context});
}

QSet<Shortcut> Library::shortcutsForLegacyHandlers() const {
    QSet<Shortcut> result;
    for (const QList<Handlers>* handlers : {&legacyKeyDownHandlers_, &legacyKeyUpHandlers_}) {
        for (const Handlers& entry : *handlers) {
            if (const auto shortcut = getShortcut(entry.name)) {
                result.insert(*shortcut);
            }
        }
    }
    return result;
}

bool Library::isNeededByAnotherName(const Shortcut& shortcut, const Name& except) const {
    for (const QList<Handlers>* handlers : {&legacyKeyDownHandlers_, &legacyKeyUpHandlers_}) {
        for (const Handlers& entry : *handlers) {
            if (!(entry.name == except) && getShortcut(entry.name) == shortcut) {
                return true;
            }
        }
    }
    return false;
}

void Library::releaseFor(const Shortcut& shortcut, const Name& name) {
    // Hot keys are shared by shortcut: another name that still uses this one keeps it.
    if (!isNeededByAnotherName(shortcut, name)) {
        deregister(shortcut);
    }
}

void Library::removeHandler(const Name& name) {
    const auto removeName = [&name](QList<Handlers>& handlers) {
        handlers.removeIf([&name](const Handlers& entry) { return entry.name == name; });
    };
    removeName(legacyKeyDownHandlers_);
    removeName(legacyKeyUpHandlers_);
    if (const auto shortcut = getShortcut(name)) {
        releaseFor(*shortcut, name);
    }
}

void Library::removeAllHandlers() {
    for (const Shortcut& shortcut : shortcutsForLegacyHandlers()) {
        deregister(shortcut);
    }
    legacyKeyDownHandlers_.clear();
    legacyKeyUpHandlers_.clear();
}

bool Library::isEnabled(const Name& name) const {
    const auto shortcut = getShortcut(name);
    if (!isEnabled() || !shortcut || !registeredShortcuts_.contains(*shortcut)) {
        return false;
    }
    // The registered set records attempts; a hot key the system refused is not enabled.
    const auto& hotKeys = carbon_.hotKeys();
    return std::any_of(hotKeys.begin(), hotKeys.end(),
                       [&](const auto& entry) { return entry.second.shortcut == *shortcut; });
}

void Library::enable(const QList<Name>& names) {
    for (const Name& name : names) {
        if (const auto shortcut = getShortcut(name)) {
            registerShortcut(*shortcut, name);
        }
    }
}

void Library::disable(const QList<Name>& names) {
    for (const Name& name : names) {
        if (const auto shortcut = getShortcut(name)) {
            deregister(*shortcut);
        }
    }
}

void Library::registerShortcut(const Shortcut& shortcut) {
    registerShortcut(shortcut, QString());
}

void Library::registerShortcut(const Shortcut& shortcut, const Name& name) {
    registerShortcut(shortcut, name.rawValue());
}

void Library::registerShortcut(const Shortcut& shortcut, const QString& purpose) {
    if (registeredShortcuts_.contains(shortcut)) {
        return;
    }
    // The set records the attempt; a shortcut another program holds is retried apart.
    registeredShortcuts_.insert(shortcut);
    purposes_.insert(shortcut, purpose);
    noteRefusal(shortcut, carbon_.registerShortcut(shortcut, true, purpose));
}

void Library::deregister(const Shortcut& shortcut) {
    carbon_.unregisterShortcut(shortcut);
    registeredShortcuts_.remove(shortcut);
    purposes_.remove(shortcut);
    forgetRefusal(shortcut);
}

void Library::noteRefusal(const Shortcut& shortcut, qint32 status) {
    // Only a holder can let go; a combination the system cannot express never works.
    if (status != hushpane::kEventHotKeyExistsErr || refused_.contains(shortcut)) {
        return;
    }
    refused_.insert(shortcut);
    if (!retryTimer_.isActive()) {
        retryTimer_.setInterval(kFirstRetryMs);
        retryTimer_.start();
    }
    Q_EMIT refusedShortcutsDidChange();
}

void Library::forgetRefusal(const Shortcut& shortcut) {
    if (!refused_.remove(shortcut)) {
        return;
    }
    if (refused_.isEmpty()) {
        retryTimer_.stop();
    }
    Q_EMIT refusedShortcutsDidChange();
}

bool Library::isRefused(const Name& name) const {
    const auto shortcut = getShortcut(name);
    return shortcut && refused_.contains(*shortcut);
}

void Library::retryRefusedShortcuts() {
    bool changed = false;
    for (const Shortcut& shortcut : QSet<Shortcut>(refused_)) {
        if (carbon_.registerShortcut(shortcut, false, purposes_.value(shortcut)) ==
            hushpane::kHotKeyNoErr) {
            refused_.remove(shortcut);
            changed = true;
        }
    }
    if (refused_.isEmpty()) {
        retryTimer_.stop();
    }
    if (changed) {
        Q_EMIT refusedShortcutsDidChange();
    }
}

void Library::retryOnTimer() {
    retryRefusedShortcuts();
    if (!refused_.isEmpty()) {
        retryTimer_.setInterval(std::min(retryTimer_.interval() * 2, kLongestRetryMs));
        retryTimer_.start();
    }
}

void Library::dispatch(const QList<Handlers>& handlers, const Shortcut& shortcut,
                       const Library& library) {
    if (library.isPaused_) {
        return;
    }
    // Copies: an action may add or remove handlers.
    const QList<Handlers> snapshot = handlers;
    for (const Handlers& entry : snapshot) {
        if (library.getShortcut(entry.name) != shortcut) {
            continue;
        }
        for (const BoundAction& bound : entry.actions) {
            if (!bound.hasContext || bound.context) {
                bound.action();
            }
        }
    }
}

void Library::handleOnKeyDown(const Shortcut& shortcut) {
    dispatch(legacyKeyDownHandlers_, shortcut, *this);
}

void Library::handleOnKeyRelease(const Shortcut& shortcut) {
    dispatch(legacyKeyUpHandlers_, shortcut, *this);
}

void Library::initialize() {
    if (menuTracking_) {
        return;
    }
    menuTracking_ = std::make_unique<MenuTrackingObserver>();
    connect(menuTracking_.get(), &MenuTrackingObserver::menuOpenDidChange, this,
            [this](bool isOpen) { carbon_.setMenuOpen(isOpen); });
}

}  // namespace KeyboardShortcuts

#pragma once

#include <QDBusConnection>
#include <QString>

namespace hushpane::plasma {

// Plasma's store of global shortcuts (kglobalaccel, in KWin). A shortcut that Plasma already
// holds for a program keeps its keys when the program binds it again through the portal; this
// gives it the keys the user just recorded in the program, as Plasma's own shortcut settings
// would.
class KGlobalAccelKeys {
public:
    explicit KGlobalAccelKeys(QDBusConnection bus) : bus_(std::move(bus)) {}

    // Whether Plasma's shortcut store is on the bus.
    bool isAvailable() const;

    // Gives the action `action` of `component` the one key combination `keys` (Qt's combined
    // key and modifiers). Asks without waiting; false when the call could not go out.
    bool setKeys(const QString& component, const QString& action, const QString& description,
                 int keys) const;

private:
    QDBusConnection bus_;
};

}  // namespace hushpane::plasma

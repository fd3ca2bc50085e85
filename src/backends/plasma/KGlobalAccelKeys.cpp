#include "backends/plasma/KGlobalAccelKeys.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>

namespace hushpane::plasma {

namespace {

const QString kService = QStringLiteral("org.kde.kglobalaccel");
const QString kPath = QStringLiteral("/kglobalaccel");
const QString kInterface = QStringLiteral("org.kde.KGlobalAccel");
constexpr int kTimeoutMs = 400;

// One key sequence as kglobalaccel marshals it: four combined keys, unused ones 0.
struct KeySequence {
    QList<int> keys;
};

QDBusArgument& operator<<(QDBusArgument& argument, const KeySequence& sequence) {
    argument.beginStructure();
    argument << sequence.keys;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, KeySequence& sequence) {
    argument.beginStructure();
    argument >> sequence.keys;
    argument.endStructure();
    return argument;
}

}  // namespace

}  // namespace hushpane::plasma

Q_DECLARE_METATYPE(hushpane::plasma::KeySequence)

namespace hushpane::plasma {

bool KGlobalAccelKeys::isAvailable() const {
    const QDBusConnectionInterface* daemon = bus_.interface();
    return daemon != nullptr && daemon->isServiceRegistered(kService).value();
}

bool KGlobalAccelKeys::setKeys(const QString& component, const QString& action,
                               const QString& description, int keys) const {
    qDBusRegisterMetaType<KeySequence>();
    qDBusRegisterMetaType<QList<KeySequence>>();
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("setForeignShortcutKeys"));
    const QStringList actionId{component, action, component, description};
    call << actionId << QVariant::fromValue(QList<KeySequence>{KeySequence{{keys, 0, 0, 0}}});
    // Answered later: Plasma reports the keys it took through the portal's ShortcutsChanged.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kTimeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [action](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         if (finished->isError()) {
                             qWarning("Plasma's shortcut store refused the new keys for %s: %s",
                                      qPrintable(action), qPrintable(finished->error().message()));
                         }
                     });
    return true;
}

}  // namespace hushpane::plasma

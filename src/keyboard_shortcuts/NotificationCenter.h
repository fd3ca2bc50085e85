#pragma once

#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>

namespace KeyboardShortcuts {

inline const QString shortcutByNameDidChange =
    QStringLiteral("KeyboardShortcuts_shortcutByNameDidChange");
inline const QString recorderActiveStatusDidChange =
    QStringLiteral("KeyboardShortcuts_recorderActiveStatusDidChange");

// Named notifications with a user-info map, delivered synchronously to every observer.
class NotificationCenter : public QObject {
    Q_OBJECT
public:
    using Observer = std::function<void(const QVariantMap& userInfo)>;

    void post(const QString& name, const QVariantMap& userInfo = {});

    // The observation ends when `context` is destroyed or the connection is disconnected.
    QMetaObject::Connection addObserver(const QString& name, const QObject* context,
                                        Observer observer);

Q_SIGNALS:
    void posted(const QString& name, const QVariantMap& userInfo);
};

}  // namespace KeyboardShortcuts

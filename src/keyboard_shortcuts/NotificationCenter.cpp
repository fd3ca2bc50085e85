#include "keyboard_shortcuts/NotificationCenter.h"

namespace KeyboardShortcuts {

void NotificationCenter::post(const QString& name, const QVariantMap& userInfo) {
    Q_EMIT posted(name, userInfo);
}

QMetaObject::Connection NotificationCenter::addObserver(const QString& name, const QObject* context,
                                                        Observer observer) {
    return connect(
        this, &NotificationCenter::posted, context,
        [name, observer = std::move(observer)](const QString& posted, const QVariantMap& userInfo) {
            if (posted == name) {
                observer(userInfo);
            }
        });
}

}  // namespace KeyboardShortcuts

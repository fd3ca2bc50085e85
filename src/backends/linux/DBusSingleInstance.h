#pragma once

#include "platform/SingleInstance.h"

#include <QDBusConnection>

namespace hushpane {

// The running instance owns the name "app.hushpane" on the user's session bus and offers
// Activate(urls) at "/app/hushpane". The session bus belongs to one user, so nobody else can
// reach it. Without a session bus there is nobody to hand over to: the process runs alone.
class DBusSingleInstance : public SingleInstance {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.hushpane.Instance")
public:
    static constexpr auto kServiceName = "app.hushpane";
    static constexpr auto kObjectPath = "/app/hushpane";
    static constexpr auto kInterface = "app.hushpane.Instance";
    // The most URLs one Activate call may carry; a longer list is refused whole.
    static constexpr qsizetype kMaxUrls = 64;

    explicit DBusSingleInstance(QDBusConnection bus = QDBusConnection::sessionBus(),
                                QObject* parent = nullptr);

    Role claim(const QStringList& urls, QString* error) override;

public Q_SLOTS:
    Q_SCRIPTABLE void Activate(const QStringList& urls);  // NOLINT: the D-Bus method's name

private:
    QDBusConnection bus_;
};

}  // namespace hushpane

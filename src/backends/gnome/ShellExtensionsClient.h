#pragma once

#include "backends/gnome/ShellExtensions.h"
#include "backends/linux/BoundedBusCaller.h"
#include "platform/DesktopSwitch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QVariantMap>

namespace hushpane {

// GNOME Shell's org.gnome.Shell.Extensions on a D-Bus connection. Calls never start a
// service; each is bounded, and a Shell that stops answering is called no more until it
// answers again or comes back on the bus (BoundedBusCaller).
class ShellExtensionsClient : public QObject, public ShellExtensions {
    Q_OBJECT
public:
    static constexpr auto kService = "org.gnome.Shell";
    static constexpr auto kPath = "/org/gnome/Shell";
    static constexpr auto kInterface = "org.gnome.Shell.Extensions";
    static constexpr int kDefaultQuietPeriodMs = 5000;

    explicit ShellExtensionsClient(QDBusConnection bus, int timeoutMs = kDesktopCallTimeoutMs,
                                   int quietPeriodMs = kDefaultQuietPeriodMs,
                                   QObject* parent = nullptr);
    ~ShellExtensionsClient() override;
    ShellExtensionsClient(const ShellExtensionsClient&) = delete;
    ShellExtensionsClient& operator=(const ShellExtensionsClient&) = delete;

    Lookup extension(const QString& uuid) override;
    std::optional<QString> setEnabled(const QString& uuid, bool on) override;
    void setChangeHandler(std::function<void()> handler) override;

    // Turns a GetExtensionInfo reply into what the switch needs; an empty one is no extension.
    static std::optional<Info> infoFrom(const QVariantMap& reply);

private Q_SLOTS:
    void extensionStateChanged(const QString& uuid, const QVariantMap& state);

private:
    QDBusMessage send(const QString& method, const QString& uuid);
    QString errorText(const QDBusMessage& reply) const;
    void changed();

    QDBusConnection bus_;
    int timeoutMs_;
    BoundedBusCaller caller_;
    bool listening_ = false;
    QDBusServiceWatcher owner_;
    std::function<void()> handler_;
};

}  // namespace hushpane

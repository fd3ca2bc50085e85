#pragma once

#include "backends/gnome/ShellExtensions.h"
#include "platform/DesktopSwitch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDeadlineTimer>
#include <QObject>
#include <QVariantMap>

namespace hushpane {

// GNOME Shell's org.gnome.Shell.Extensions on a D-Bus connection. Calls never start a
// service, and each is bounded by the timeout. Once a call timed out, the calls that follow
// fail at once with the same message (a hung Shell costs one timeout per hide or show, not one
// per call) until the Shell answers a ping or comes back on the bus, or the quiet period ends.
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
    void waitForAnswer();
    void changed();

    QDBusConnection bus_;
    int timeoutMs_;
    int quietPeriodMs_;
    QDeadlineTimer silentUntil_{0};
    QString silenceMessage_;
    bool pinging_ = false;
    bool listening_ = false;
    QDBusServiceWatcher owner_;
    std::function<void()> handler_;
};

}  // namespace hushpane

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
    // Switching an extension makes the Shell load or unload it (the desktop icons extension
    // starts or ends a program of its own), which takes longer on a busy machine; nothing
    // waits for it, so it gets a longer bound than a question.
    static constexpr int kSwitchTimeoutMs = 5000;

    explicit ShellExtensionsClient(QDBusConnection bus, int timeoutMs = kDesktopCallTimeoutMs,
                                   int quietPeriodMs = kDefaultQuietPeriodMs,
                                   QObject* parent = nullptr);
    ~ShellExtensionsClient() override;
    ShellExtensionsClient(const ShellExtensionsClient&) = delete;
    ShellExtensionsClient& operator=(const ShellExtensionsClient&) = delete;

    Lookup extension(const QString& uuid) override;
    std::optional<QString> setEnabled(const QString& uuid, bool on) override;
    void setEnabledThen(const QString& uuid, bool on, const Done& done) override;
    void setChangeHandler(std::function<void()> handler) override;

    // Turns a GetExtensionInfo reply into what the switch needs; an empty one is no extension.
    static std::optional<Info> infoFrom(const QVariantMap& reply);

private Q_SLOTS:
    void extensionStateChanged(const QString& uuid, const QVariantMap& state);

private:
    QDBusMessage message(const QString& method, const QString& uuid) const;
    QDBusMessage send(const QString& method, const QString& uuid);
    // What a switch's reply says: nothing when the Shell took it.
    std::optional<QString> switched(const QDBusMessage& reply, const QString& uuid, bool on,
                                    int waitedMs) const;
    // Why a call failed; a timeout says how long it waited.
    QString errorText(const QDBusMessage& reply, int waitedMs) const;
    void changed();

    QDBusConnection bus_;
    int timeoutMs_;
    BoundedBusCaller caller_;
    BoundedBusCaller switcher_;  // the switches made without waiting
    bool listening_ = false;
    QDBusServiceWatcher owner_;
    std::function<void()> handler_;
};

}  // namespace hushpane

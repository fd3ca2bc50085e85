#pragma once

#include "platform/HideTrigger.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QPointer>

class QDBusPendingCallWatcher;

namespace hushpane {

// Active while GNOME shows one picture on several monitors (mirror mode), from Mutter's
// org.gnome.Mutter.DisplayConfig: a logical monitor that holds more than one monitor. Mutter
// hands such a pair to programs as a single screen, so Qt's screen list cannot tell.
class MutterMirroredDisplays : public HideTrigger {
    Q_OBJECT
public:
    static constexpr auto kService = "org.gnome.Mutter.DisplayConfig";
    static constexpr auto kPath = "/org/gnome/Mutter/DisplayConfig";
    static constexpr auto kInterface = "org.gnome.Mutter.DisplayConfig";

    explicit MutterMirroredDisplays(QDBusConnection bus, QObject* parent = nullptr);
    // Connections end with the object; a reply still on its way is dropped with it.
    ~MutterMirroredDisplays() override = default;

    void start() override;
    void stop() override;
    bool isActive() const override { return active_; }
    bool isSettled() const override { return settled_; }
    std::optional<QString> unavailableReason() const override;

    // Whether a GetCurrentState reply holds a logical monitor of two or more monitors; nothing
    // when the reply is not of that shape.
    static std::optional<bool> mirroredIn(const QDBusMessage& reply);

private Q_SLOTS:
    void monitorsChanged();

private:
    void finish(QDBusPendingCallWatcher* call);

    QDBusConnection bus_;
    // Whether Mutter is on the bus, followed as it comes and goes: asked often, never waited for.
    QDBusServiceWatcher mutter_;
    bool mutterRunning_ = false;
    bool watching_ = false;
    bool settled_ = false;
    bool active_ = false;
    QPointer<QDBusPendingCallWatcher> pending_;
};

}  // namespace hushpane

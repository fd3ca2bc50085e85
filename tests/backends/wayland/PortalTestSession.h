#pragma once

#include "support/PrivateXfceSession.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace hushpane::test {

// A private session bus with the real xdg-desktop-portal on it, whose global shortcuts go to
// the stand-in desktop back-end (stand_in_shortcuts_portal), found through a .portal file of
// the test's own and XDG_CURRENT_DESKTOP.
class PortalTestSession {
public:
    static constexpr auto kDesktop = "hushpanetest";
    static constexpr auto kBackEndName = "org.freedesktop.impl.portal.desktop.hushpanetest";

    PortalTestSession();
    ~PortalTestSession();
    PortalTestSession(const PortalTestSession&) = delete;
    PortalTestSession& operator=(const PortalTestSession&) = delete;

    // Starts the back-end, then the portal; false (with error()) when either did not come up.
    bool start();
    const QString& error() const { return error_; }

    PrivateXfceSession& session() { return session_; }
    QDBusConnection bus() const { return session_.bus(); }
    // The session's environment with the portal's desktop set.
    QProcessEnvironment environment() const;

    // Ends the portal (the front end), or starts it again, optionally without any back-end
    // (as on a desktop whose portal has no global shortcuts).
    void stopPortal();
    bool startPortal(bool withShortcutsBackEnd = true);

    // A call of the back-end's control object; its reply.
    QDBusMessage control(const QString& method, const QList<QVariant>& arguments = {}) const;

private:
    bool waitForName(const QString& name);

    PrivateXfceSession session_;
    QTemporaryDir portals_;
    QTemporaryDir noPortals_;
    QString error_;
    std::unique_ptr<QProcess> backEnd_;
    std::unique_ptr<QProcess> portal_;
};

// Runs the event loop until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, int ms = 10000);

}  // namespace hushpane::test

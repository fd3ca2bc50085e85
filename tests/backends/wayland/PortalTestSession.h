#pragma once

#include "support/PrivateSession.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace hushpane::test {

// The real xdg-desktop-portal in a private session, its global shortcuts handled by the
// stand-in desktop back-end (stand_in_shortcuts_portal), which it finds through a .portal file
// of the test's own and XDG_CURRENT_DESKTOP.
class PortalTestSession {
public:
    static constexpr auto kDesktop = "hushpanetest";
    static constexpr auto kBackEndName = "org.freedesktop.impl.portal.desktop.hushpanetest";

    // The session must outlive this object; its environment gets the portal's desktop.
    explicit PortalTestSession(PrivateSession& session);

    // Starts the back-end, then the portal; false (with error()) when either did not come up.
    bool start();
    const QString& error() const { return error_; }

    QDBusConnection bus() const { return session_.bus(); }

    // Ends the portal (the front end), or starts it again, optionally without any back-end
    // (as on a desktop whose portal has no global shortcuts).
    void stopPortal();
    bool startPortal(bool withShortcutsBackEnd = true);

    // A call of the back-end's control object; its reply.
    QDBusMessage control(const QString& method, const QList<QVariant>& arguments = {}) const;

private:
    bool waitForName(const QString& name, bool registered = true);

    PrivateSession& session_;
    QTemporaryDir portals_;
    QTemporaryDir noPortals_;
    QString error_;
    QProcess* portal_ = nullptr;
};

// Runs the event loop until the condition holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, int ms = 10000);

}  // namespace hushpane::test

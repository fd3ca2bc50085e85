#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>

namespace hushpane::test {

// What goes over the session bus between the programs and the GlobalShortcuts portal, watched
// with dbus-monitor from construction on: the calls to the portal, the answers to its
// requests, and the shortcut signals it sends.
//
//   PortalCallMonitor portal;
//   ASSERT_TRUE(portal.isWatching()) << portal.error().toStdString();
//   ... the program binds ...
//   EXPECT_EQ(portal.calls("BindShortcuts"), 1);
class PortalCallMonitor {
public:
    PortalCallMonitor();
    ~PortalCallMonitor();
    PortalCallMonitor(const PortalCallMonitor&) = delete;
    PortalCallMonitor& operator=(const PortalCallMonitor&) = delete;

    // False (with error()) when dbus-monitor could not watch the bus.
    bool isWatching() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    // How often the portal was called with `method` (CreateSession, ListShortcuts, ...).
    int calls(const QString& method);
    // How often it sent `signal` (Activated, Deactivated, ShortcutsChanged).
    int sent(const QString& signal);
    // The response codes of its answered requests, in order (0 success, 1 declined, 2 other).
    QList<uint> responses();
    // True once every request the portal was asked (CreateSession, ListShortcuts,
    // BindShortcuts) has its answer and at least one was asked.
    bool settled();
    // Everything seen so far, for a failure message.
    QString transcript();

private:
    void read();

    QProcess monitor_;
    QByteArray seen_;
    QString error_;
};

}  // namespace hushpane::test

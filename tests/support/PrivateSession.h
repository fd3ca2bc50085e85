#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <vector>

namespace hushpane::test {

class PrivateBus;
class PrivateXServer;

// A throw-away session for one test: a temporary HOME with the XDG directories and a Desktop
// folder, and on request a private D-Bus session bus and an Xvfb display of its own, a window
// manager on it, or a headless Wayland compositor instead of X. The bus is started with the
// session's environment, so what it activates (xfconfd, dconf) reads and writes only the temporary
// HOME. The code under test talks to it through bus() and display(); programs get environment()
// (start() and run() pass it). A whole desktop is the shell harness's (HarnessDesktop).
//
// Everything started here is ended by its own process id, newest first, with the session, and
// so are the services the bus activated (each owner of a well-known name on it), before the
// bus goes.
class PrivateSession {
public:
    struct Options {
        bool bus = true;
        // Off: the process's own DISPLAY (if any) is passed on.
        bool display = false;
        QSize screen{1024, 768};
        // openbox; needs a display (own or inherited).
        bool windowManager = false;
        // A headless Wayland compositor (weston) as the session's display server, with no X
        // display at all: WAYLAND_DISPLAY is set, DISPLAY taken away.
        bool wayland = false;
    };

    PrivateSession();
    explicit PrivateSession(const Options& options);
    ~PrivateSession();
    PrivateSession(const PrivateSession&) = delete;
    PrivateSession& operator=(const PrivateSession&) = delete;

    // False (with error()) when a part could not be started.
    bool isValid() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    QString home() const { return home_.path(); }
    QString configHome() const { return home() + QStringLiteral("/.config"); }
    // ":N", or empty without a display.
    QString display() const;
    // The Wayland socket's name, or empty without a compositor.
    QString waylandDisplay() const;
    // Empty without a bus.
    QString busAddress() const;
    QDBusConnection bus() const;
    QProcessEnvironment environment() const { return environment_; }
    void setEnvironmentVariable(const QString& name, const QString& value);
    // Puts the session's HOME, XDG directories, runtime directory and bus address into this
    // process's environment, for code under test that reads them from there.
    void exportEnvironment() const;

    // Starts a program in the session (bounded wait for it to start), its standard output
    // discarded and its errors passed on; it is ended with the session. Null when it could
    // not be started.
    QProcess* start(const QString& program, const QStringList& arguments = {});
    // Runs a program in the session and waits (bounded); its trimmed standard output when it
    // exited with 0, nothing otherwise.
    std::optional<QString> run(const QString& program, const QStringList& arguments) const;

    // The pid that owns a bus name, or 0.
    qint64 ownerPid(const QString& busName) const;

private:
    void startParts(const Options& options);
    void startCompositor();
    void endBusServices();

    QTemporaryDir home_;
    QProcessEnvironment environment_;
    QString error_;
    QString connectionName_;
    std::unique_ptr<PrivateXServer> xserver_;
    std::unique_ptr<PrivateBus> bus_;
    std::vector<std::unique_ptr<QProcess>> children_;
};

}  // namespace hushpane::test

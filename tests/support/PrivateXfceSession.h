#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace hushpane::test {

// A throw-away XFCE session for one test: a temporary HOME (with the XDG directories and a
// Desktop folder) and a private D-Bus session bus started with that environment, so the
// xfconfd it activates reads and writes only the temporary HOME. The code under test talks to
// it through bus(); helper programs (xfconf-query, xfdesktop) get environment().
//
// Everything started here is ended by its own process id when the session goes away.
class PrivateXfceSession {
public:
    PrivateXfceSession();
    ~PrivateXfceSession();
    PrivateXfceSession(const PrivateXfceSession&) = delete;
    PrivateXfceSession& operator=(const PrivateXfceSession&) = delete;

    // False (with error()) when the bus could not be started.
    bool isValid() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    QString home() const { return home_.path(); }
    QString desktopDirectory() const { return home() + QStringLiteral("/Desktop"); }
    QString configHome() const { return home() + QStringLiteral("/.config"); }
    const QString& busAddress() const { return busAddress_; }
    QDBusConnection bus() const;
    QProcessEnvironment environment() const { return environment_; }

    // Runs xfconf-query on the xfce4-desktop channel with these arguments; its trimmed
    // standard output, or nothing when it failed.
    std::optional<QString> xfconfQuery(const QStringList& arguments) const;
    std::optional<QString> desktopProperty(const QString& property) const;

    // Starts a program in the session (bounded wait for it to start); it is ended with the
    // session. Returns the process, or null when it could not be started.
    QProcess* start(const QString& program, const QStringList& arguments = {});

    // The pid that owns a bus name (xfconfd's org.xfce.Xfconf), or 0.
    qint64 ownerPid(const QString& busName) const;

private:
    QTemporaryDir home_;
    QProcessEnvironment environment_;
    QString error_;
    QString busAddress_;
    QString connectionName_;
    QProcess bus_;
    std::vector<std::unique_ptr<QProcess>> children_;
};

}  // namespace hushpane::test

#include "support/PrivateSession.h"

#include "support/EndProcess.h"
#include "support/PrivateBus.h"
#include "support/PrivateXServer.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>
#include <QUuid>

#include <csignal>
#include <utility>

namespace hushpane::test {

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kRunTimeoutMs = 20000;

}  // namespace

PrivateSession::PrivateSession() : PrivateSession(Options{}) {}

PrivateSession::PrivateSession(const Options& options) {
    if (!home_.isValid()) {
        error_ = QStringLiteral("no temporary HOME");
        return;
    }
    const QString root = home_.path();
    for (const QString& dir : {QStringLiteral("/.config"), QStringLiteral("/.local/share"),
                               QStringLiteral("/.cache"), QStringLiteral("/Desktop")}) {
        QDir().mkpath(root + dir);
    }
    const QString runtime = root + QStringLiteral("/.runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("HOME"), root);
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/.config"));
    environment_.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/.local/share"));
    environment_.insert(QStringLiteral("XDG_CACHE_HOME"), root + QStringLiteral("/.cache"));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment_.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    environment_.remove(QStringLiteral("SESSION_MANAGER"));
    environment_.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
    // No accessibility bus: it would outlive the session.
    environment_.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    startParts(options);
}

void PrivateSession::startParts(const Options& options) {
    if (options.display) {
        xserver_ = std::make_unique<PrivateXServer>(options.screen);
        if (!xserver_->isRunning()) {
            error_ = xserver_->error();
            return;
        }
        environment_.insert(QStringLiteral("DISPLAY"), xserver_->display());
    }
    if (options.bus) {
        bus_ = std::make_unique<PrivateBus>(environment_);
        if (bus_->address().isEmpty()) {
            error_ = bus_->error();
            return;
        }
        environment_.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_->address());
        connectionName_ =
            QStringLiteral("private-session-") + QUuid::createUuid().toString(QUuid::Id128);
        if (!bus().isConnected()) {
            error_ = QStringLiteral("could not connect to the private bus");
            return;
        }
    }
    if (options.wayland) {
        startCompositor();
        if (!error_.isEmpty()) {
            return;
        }
    }
    if (options.windowManager) {
        if (display().isEmpty()) {
            error_ = QStringLiteral("a window manager needs a display");
        } else if (!start(QStringLiteral("openbox"))) {
            error_ = QStringLiteral("openbox did not start");
        }
    }
}

PrivateSession::~PrivateSession() {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        endProcess(**it);
    }
    if (!connectionName_.isEmpty()) {
        endBusServices();
        QDBusConnection::disconnectFromBus(connectionName_);
    }
    bus_.reset();
    xserver_.reset();
}

QString PrivateSession::display() const {
    return environment_.value(QStringLiteral("DISPLAY"));
}

QString PrivateSession::waylandDisplay() const {
    return environment_.value(QStringLiteral("WAYLAND_DISPLAY"));
}

void PrivateSession::startCompositor() {
    environment_.remove(QStringLiteral("DISPLAY"));
    const QString socket = QStringLiteral("wayland-hushpane");
    // weston refuses a runtime directory that others may read; ours is the owner's alone.
    const QString runtime = environment_.value(QStringLiteral("XDG_RUNTIME_DIR"));
    if (!start(
            QStringLiteral("weston"),
            {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--socket=") + socket,
             QStringLiteral("--idle-time=0"), QStringLiteral("--no-config"),
             QStringLiteral("--log=") + home() + QStringLiteral("/weston.log")})) {
        error_ = QStringLiteral("weston did not start");
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!QFile::exists(runtime + QLatin1Char('/') + socket) && !deadline.hasExpired()) {
        QThread::msleep(20);
    }
    if (!QFile::exists(runtime + QLatin1Char('/') + socket)) {
        error_ =
            QStringLiteral("weston made no socket; see ") + home() + QStringLiteral("/weston.log");
        return;
    }
    environment_.insert(QStringLiteral("WAYLAND_DISPLAY"), socket);
}

QString PrivateSession::busAddress() const {
    return bus_ ? bus_->address() : QString();
}

QDBusConnection PrivateSession::bus() const {
    return QDBusConnection::connectToBus(busAddress(), connectionName_);
}

void PrivateSession::exportEnvironment() const {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                             "XDG_RUNTIME_DIR", "DBUS_SESSION_BUS_ADDRESS"}) {
        qputenv(name, environment_.value(QString::fromLatin1(name)).toLocal8Bit());
    }
}

void PrivateSession::setEnvironmentVariable(const QString& name, const QString& value) {
    environment_.insert(name, value);
}

QProcess* PrivateSession::start(const QString& program, const QStringList& arguments) {
    auto child = std::make_unique<QProcess>();
    child->setProcessEnvironment(environment_);
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->setStandardOutputFile(QProcess::nullDevice());
    child->start(program, arguments);
    if (!child->waitForStarted(kStartTimeoutMs)) {
        return nullptr;
    }
    children_.push_back(std::move(child));
    return children_.back().get();
}

std::optional<QString> PrivateSession::run(const QString& program,
                                           const QStringList& arguments) const {
    QProcess process;
    process.setProcessEnvironment(environment_);
    process.start(program, arguments);
    if (!process.waitForFinished(kRunTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        endProcess(process);
        return std::nullopt;
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

qint64 PrivateSession::ownerPid(const QString& busName) const {
    if (connectionName_.isEmpty()) {
        return 0;
    }
    QDBusConnectionInterface* daemon = bus().interface();
    if (!daemon) {
        return 0;
    }
    const QDBusReply<uint> pid = daemon->servicePid(busName);
    return pid.isValid() ? static_cast<qint64>(pid.value()) : 0;
}

void PrivateSession::endBusServices() {
    QDBusConnectionInterface* daemon = bus().interface();
    if (!daemon) {
        return;
    }
    const QDBusReply<QStringList> names = daemon->registeredServiceNames();
    const qint64 self = QCoreApplication::applicationPid();
    for (const QString& name : names.value()) {
        if (name.startsWith(QLatin1Char(':')) || name == QStringLiteral("org.freedesktop.DBus")) {
            continue;
        }
        if (const qint64 pid = ownerPid(name); pid > 0 && pid != self) {
            // Woken first in case a test stopped it; SIGTERM lets it save and go.
            ::kill(static_cast<pid_t>(pid), SIGCONT);
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        }
    }
}

}  // namespace hushpane::test

#include "support/PrivateXfceSession.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QUuid>

#include <csignal>

namespace hushpane::test {

namespace {

constexpr int kStartTimeoutMs = 10000;

}  // namespace

PrivateXfceSession::PrivateXfceSession() {
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

    // The bus daemon passes its own environment to what it activates, so it must already see
    // the temporary HOME.
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("HOME"), root);
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/.config"));
    environment_.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/.local/share"));
    environment_.insert(QStringLiteral("XDG_CACHE_HOME"), root + QStringLiteral("/.cache"));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    environment_.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    environment_.remove(QStringLiteral("SESSION_MANAGER"));
    // No accessibility bus: it would outlive the session.
    environment_.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));

    bus_.setProcessEnvironment(environment_);
    bus_.setProgram(QStringLiteral("dbus-daemon"));
    bus_.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    bus_.start();
    if (!bus_.waitForStarted(kStartTimeoutMs)) {
        error_ = QStringLiteral("dbus-daemon did not start: ") + bus_.errorString();
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!bus_.canReadLine() && !deadline.hasExpired()) {
        bus_.waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
    }
    busAddress_ = QString::fromLocal8Bit(bus_.readLine()).trimmed();
    if (busAddress_.isEmpty()) {
        error_ = QStringLiteral("dbus-daemon printed no address");
        return;
    }
    environment_.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
    connectionName_ = QStringLiteral("xfce-test-") + QUuid::createUuid().toString(QUuid::Id128);
    if (!bus().isConnected()) {
        error_ = QStringLiteral("could not connect to the private bus");
    }
}

PrivateXfceSession::~PrivateXfceSession() {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        QProcess& child = **it;
        if (child.state() != QProcess::NotRunning) {
            child.terminate();
            if (!child.waitForFinished(3000)) {
                child.kill();
                child.waitForFinished(3000);
            }
        }
    }
    // xfconfd was started by the bus, not by us: end it by its pid so it saves and goes.
    if (!connectionName_.isEmpty()) {
        if (const qint64 pid = ownerPid(QStringLiteral("org.xfce.Xfconf")); pid > 0) {
            ::kill(static_cast<pid_t>(pid), SIGCONT);
            ::kill(static_cast<pid_t>(pid), SIGTERM);
        }
        QDBusConnection::disconnectFromBus(connectionName_);
    }
    if (bus_.state() != QProcess::NotRunning) {
        bus_.terminate();
        if (!bus_.waitForFinished(3000)) {
            bus_.kill();
            bus_.waitForFinished(3000);
        }
    }
}

QDBusConnection PrivateXfceSession::bus() const {
    return QDBusConnection::connectToBus(busAddress_, connectionName_);
}

std::optional<QString> PrivateXfceSession::xfconfQuery(const QStringList& arguments) const {
    QProcess query;
    query.setProcessEnvironment(environment_);
    query.start(QStringLiteral("xfconf-query"),
                QStringList{QStringLiteral("-c"), QStringLiteral("xfce4-desktop")} + arguments);
    if (!query.waitForFinished(kStartTimeoutMs) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0) {
        if (query.state() != QProcess::NotRunning) {
            query.kill();
            query.waitForFinished(1000);
        }
        return std::nullopt;
    }
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

std::optional<QString> PrivateXfceSession::desktopProperty(const QString& property) const {
    return xfconfQuery({QStringLiteral("-p"), property});
}

QProcess* PrivateXfceSession::start(const QString& program, const QStringList& arguments) {
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

qint64 PrivateXfceSession::ownerPid(const QString& busName) const {
    QDBusConnectionInterface* daemon = bus().interface();
    if (!daemon) {
        return 0;
    }
    const QDBusReply<uint> pid = daemon->servicePid(busName);
    return pid.isValid() ? static_cast<qint64>(pid.value()) : 0;
}

}  // namespace hushpane::test

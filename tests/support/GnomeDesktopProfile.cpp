#include "support/GnomeDesktopProfile.h"

#include "support/GSettingsCommand.h"
#include "support/PrivateSession.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QThread>
#include <QUrl>

namespace hushpane::test {

namespace {

constexpr int kStartTimeoutMs = 90000;

bool waitFor(const std::function<bool()>& condition, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(200);
    }
    return true;
}

std::optional<bool> overviewActive(const QDBusConnection& bus) {
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.gnome.Shell") << QStringLiteral("OverviewActive");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return std::nullopt;
    }
    return reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

void leaveOverview(const QDBusConnection& bus) {
    QDBusMessage set = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
    set << QStringLiteral("org.gnome.Shell") << QStringLiteral("OverviewActive")
        << QVariant::fromValue(QDBusVariant(false));
    bus.call(set, QDBus::Block, 2000);
}

}  // namespace

QStringList GnomeDesktopProfile::programs() const {
    return {QStringLiteral("gnome-shell"), QStringLiteral("gsettings"),
            QStringLiteral("dbus-daemon")};
}

std::optional<QString> GnomeDesktopProfile::setWallpaper(PrivateSession& session,
                                                         const QString& picture) const {
    const QString schema = QStringLiteral("org.gnome.desktop.background");
    const QString uri = QUrl::fromLocalFile(picture).toString();
    for (const char* key : {"picture-uri", "picture-uri-dark"}) {
        if (auto error = gsettingsSet(session, schema, QString::fromLatin1(key), uri)) {
            return error;
        }
    }
    return gsettingsSet(session, schema, QStringLiteral("picture-options"),
                        QStringLiteral("stretched"));
}

std::optional<QString> GnomeDesktopProfile::start(PrivateSession& session) const {
    if (!QFileInfo::exists(QStringLiteral("/usr/share/gnome-shell/extensions/") +
                           QLatin1String(kIconsExtension))) {
        return QStringLiteral("the %1 extension is not installed")
            .arg(QLatin1String(kIconsExtension));
    }
    const QString socket = session.home() + QStringLiteral("/system_bus_socket");
    if (!session.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
             QStringLiteral("--address=unix:path=") + socket}) ||
        !waitFor([&] { return QFileInfo::exists(socket); }, 10000)) {
        return QStringLiteral("the system bus stand-in did not start");
    }
    session.setEnvironmentVariable(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"),
                                   QStringLiteral("unix:path=") + socket);
    session.setEnvironmentVariable(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
    session.setEnvironmentVariable(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("x11"));
    const struct {
        const char* schema;
        const char* key;
        const char* value;
    } settings[] = {
        {"org.gnome.shell", "enabled-extensions", "['ding@rastersoft.com']"},
        {"org.gnome.desktop.notifications", "show-banners", "false"},
        {"org.gnome.desktop.interface", "enable-animations", "false"},
    };
    for (const auto& setting : settings) {
        if (auto error = gsettingsSet(session, QString::fromLatin1(setting.schema),
                                      QString::fromLatin1(setting.key),
                                      QString::fromLatin1(setting.value))) {
            return error;
        }
    }
    if (!session.start(QStringLiteral("gnome-shell"),
                       {QStringLiteral("--x11"), QStringLiteral("--replace"),
                        QStringLiteral("--sm-disable")})) {
        return QStringLiteral("gnome-shell did not start");
    }
    const QDBusConnection bus = session.bus();
    // The Shell shows its overview once it has started up; then it can be left.
    if (!waitFor([&] { return overviewActive(bus).value_or(false); }, kStartTimeoutMs)) {
        return QStringLiteral("gnome-shell did not finish starting up");
    }
    if (!waitFor(
            [&] {
                leaveOverview(bus);
                return !overviewActive(bus).value_or(true);
            },
            10000)) {
        return QStringLiteral("gnome-shell did not leave its overview");
    }
    return std::nullopt;
}

}  // namespace hushpane::test

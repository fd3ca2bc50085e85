#include "PortalTestSession.h"

#include "support/EndProcess.h"
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace hushpane::test {

namespace {

constexpr int kStartTimeoutMs = 10000;
const QString kPortalDir = QStringLiteral("XDG_DESKTOP_PORTAL_DIR");

}  // namespace

bool waitUntil(const std::function<bool()>& condition, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (condition()) {
            return true;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return condition();
}

PortalTestSession::PortalTestSession(PrivateSession& session) : session_(session) {
    if (!session_.isValid()) {
        error_ = session_.error();
        return;
    }
    QFile file(portals_.path() + QStringLiteral("/hushpanetest.portal"));
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("cannot write the .portal file");
        return;
    }
    file.write(
        "[portal]\n"
        "DBusName=org.freedesktop.impl.portal.desktop.hushpanetest\n"
        "Interfaces=org.freedesktop.impl.portal.GlobalShortcuts;\n"
        "UseIn=hushpanetest\n");
    session_.setEnvironmentVariable(QStringLiteral("XDG_CURRENT_DESKTOP"), QLatin1String(kDesktop));
    session_.setEnvironmentVariable(kPortalDir, portals_.path());
}

bool PortalTestSession::waitForName(const QString& name, bool registered) {
    QDBusConnection connection = bus();
    return waitUntil(
        [&] {
            return connection.interface() &&
                   connection.interface()->isServiceRegistered(name).value() == registered;
        },
        kStartTimeoutMs);
}

bool PortalTestSession::start() {
    if (!error_.isEmpty()) {
        return false;
    }
    if (!session_.start(buildDirectory() + QStringLiteral("/tests/bin/stand_in_shortcuts_portal"),
                        {QLatin1String(kBackEndName)}) ||
        !waitForName(QLatin1String(kBackEndName))) {
        error_ = QStringLiteral("the stand-in back-end did not start");
        return false;
    }
    return startPortal();
}

bool PortalTestSession::startPortal(bool withShortcutsBackEnd) {
    if (!withShortcutsBackEnd) {
        session_.setEnvironmentVariable(kPortalDir, noPortals_.path());
    }
    portal_ = session_.start(QStringLiteral("/usr/libexec/xdg-desktop-portal"),
                             {QStringLiteral("--replace")});
    session_.setEnvironmentVariable(kPortalDir, portals_.path());
    if (portal_ == nullptr || !waitForName(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        error_ = QStringLiteral("xdg-desktop-portal did not start");
        return false;
    }
    return true;
}

void PortalTestSession::stopPortal() {
    if (portal_ != nullptr) {
        endProcess(*portal_);
        portal_ = nullptr;
    }
    waitForName(QStringLiteral("org.freedesktop.portal.Desktop"), false);
}

QDBusMessage PortalTestSession::control(const QString& method,
                                        const QList<QVariant>& arguments) const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QLatin1String(kBackEndName), QStringLiteral("/control"),
        QStringLiteral("app.hushpane.test.ShortcutsPortalControl"), method);
    call.setArguments(arguments);
    return bus().call(call, QDBus::Block, 5000);
}

}  // namespace hushpane::test

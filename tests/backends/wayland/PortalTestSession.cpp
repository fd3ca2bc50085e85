#include "PortalTestSession.h"

#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace hushpane::test {

namespace {

constexpr int kStartTimeoutMs = 10000;

void end(std::unique_ptr<QProcess>& process) {
    if (process && process->state() != QProcess::NotRunning) {
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(3000);
        }
    }
    process.reset();
}

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

PortalTestSession::PortalTestSession() {
    if (!session_.isValid()) {
        error_ = session_.error();
        return;
    }
    QFile file(portals_.path() + QStringLiteral("/hushpanetest.portal"));
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = QStringLiteral("cannot write the .portal file");
        return;
    }
    file.write("[portal]\n"
               "DBusName=org.freedesktop.impl.portal.desktop.hushpanetest\n"
               "Interfaces=org.freedesktop.impl.portal.GlobalShortcuts;\n"
               "UseIn=hushpanetest\n");
}

PortalTestSession::~PortalTestSession() {
    end(portal_);
    end(backEnd_);
}

QProcessEnvironment PortalTestSession::environment() const {
    QProcessEnvironment env = session_.environment();
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QLatin1String(kDesktop));
    env.insert(QStringLiteral("XDG_DESKTOP_PORTAL_DIR"), portals_.path());
    return env;
}

bool PortalTestSession::waitForName(const QString& name) {
    QDBusConnection connection = bus();
    return waitUntil(
        [&] {
            return connection.interface() &&
                   connection.interface()->isServiceRegistered(name).value();
        },
        kStartTimeoutMs);
}

bool PortalTestSession::start() {
    if (!error_.isEmpty()) {
        return false;
    }
    backEnd_ = std::make_unique<QProcess>();
    backEnd_->setProcessEnvironment(environment());
    backEnd_->setProcessChannelMode(QProcess::ForwardedChannels);
    backEnd_->start(buildDirectory() + QStringLiteral("/tests/bin/stand_in_shortcuts_portal"),
                    {QLatin1String(kBackEndName)});
    if (!backEnd_->waitForStarted(kStartTimeoutMs) || !waitForName(QLatin1String(kBackEndName))) {
        error_ = QStringLiteral("the stand-in back-end did not start");
        return false;
    }
    return startPortal();
}

bool PortalTestSession::startPortal(bool withShortcutsBackEnd) {
    portal_ = std::make_unique<QProcess>();
    QProcessEnvironment env = environment();
    if (!withShortcutsBackEnd) {
        env.insert(QStringLiteral("XDG_DESKTOP_PORTAL_DIR"), noPortals_.path());
    }
    portal_->setProcessEnvironment(env);
    portal_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    portal_->setStandardOutputFile(QProcess::nullDevice());
    portal_->start(QStringLiteral("/usr/libexec/xdg-desktop-portal"), {QStringLiteral("-r")});
    if (!portal_->waitForStarted(kStartTimeoutMs) ||
        !waitForName(QStringLiteral("org.freedesktop.portal.Desktop"))) {
        error_ = QStringLiteral("xdg-desktop-portal did not start");
        return false;
    }
    return true;
}

void PortalTestSession::stopPortal() {
    end(portal_);
    QDBusConnection connection = bus();
    waitUntil([&] {
        return !connection.interface()
                    ->isServiceRegistered(QStringLiteral("org.freedesktop.portal.Desktop"))
                    .value();
    });
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

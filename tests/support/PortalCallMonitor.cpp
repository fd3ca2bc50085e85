#include "support/PortalCallMonitor.h"

#include "support/EndProcess.h"

#include <QRegularExpression>

namespace hushpane::test {

namespace {

constexpr int kStartMs = 10000;
const QString kPortal = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
// The calls that the portal answers with a Response signal on a request object.
const QStringList kRequests{QStringLiteral("CreateSession"), QStringLiteral("ListShortcuts"),
                            QStringLiteral("BindShortcuts")};

}  // namespace

PortalCallMonitor::PortalCallMonitor() {
    monitor_.setProcessChannelMode(QProcess::MergedChannels);
    monitor_.start(QStringLiteral("dbus-monitor"),
                   {QStringLiteral("--session"),
                    QStringLiteral("type='method_call',interface='%1'").arg(kPortal),
                    QStringLiteral("type='signal',interface='%1'").arg(kPortal),
                    QStringLiteral("type='signal',interface='org.freedesktop.portal.Request',"
                                   "member='Response'")});
    if (!monitor_.waitForStarted(kStartMs)) {
        error_ = QStringLiteral("dbus-monitor did not start: ") + monitor_.errorString();
        return;
    }
    // It says so once it has become a monitor: nothing is missed after that.
    while (!seen_.contains("member=NameLost") && !seen_.contains("member=NameAcquired")) {
        if (!monitor_.waitForReadyRead(kStartMs)) {
            error_ = QStringLiteral("dbus-monitor is not watching the bus: ") +
                     QString::fromUtf8(seen_ + monitor_.readAll());
            return;
        }
        seen_ += monitor_.readAll();
    }
}

PortalCallMonitor::~PortalCallMonitor() {
    endProcess(monitor_);
}

void PortalCallMonitor::read() {
    seen_ += monitor_.readAll();
}

int PortalCallMonitor::calls(const QString& method) {
    read();
    const QRegularExpression call(QStringLiteral("^method call .*interface=%1; member=%2$")
                                      .arg(QRegularExpression::escape(kPortal), method),
                                  QRegularExpression::MultilineOption);
    return static_cast<int>(QString::fromUtf8(seen_).count(call));
}

int PortalCallMonitor::sent(const QString& signal) {
    read();
    const QRegularExpression sent(QStringLiteral("^signal .*interface=%1; member=%2$")
                                      .arg(QRegularExpression::escape(kPortal), signal),
                                  QRegularExpression::MultilineOption);
    return static_cast<int>(QString::fromUtf8(seen_).count(sent));
}

QList<uint> PortalCallMonitor::responses() {
    read();
    static const QRegularExpression response(
        QStringLiteral("^signal .*member=Response\\n\\s*uint32 (\\d+)$"),
        QRegularExpression::MultilineOption);
    QList<uint> codes;
    auto matches = response.globalMatch(QString::fromUtf8(seen_));
    while (matches.hasNext()) {
        codes.append(matches.next().captured(1).toUInt());
    }
    return codes;
}

bool PortalCallMonitor::settled() {
    int asked = 0;
    for (const QString& method : kRequests) {
        asked += calls(method);
    }
    return asked > 0 && responses().size() >= asked;
}

QString PortalCallMonitor::transcript() {
    read();
    return QString::fromUtf8(seen_);
}

}  // namespace hushpane::test

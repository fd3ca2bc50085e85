#include "backends/wayland/PortalRequest.h"

#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace hushpane::wayland {

namespace {

const QString kRequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");

}  // namespace

PortalRequest::PortalRequest(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {}

QString PortalRequest::requestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService();
    sender.remove(0, sender.startsWith(QLatin1Char(':')) ? 1 : 0);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
}

QString PortalRequest::newToken(const QString& prefix) {
    static quint64 counter = 0;
    return QStringLiteral("%1%2").arg(prefix).arg(++counter);
}

bool PortalRequest::listen(const QString& path) {
    path_ = path;
    return bus_.connect(kPortalService, path_, kRequestInterface, QStringLiteral("Response"), this,
                        SLOT(onResponse(uint, QVariantMap)));
}

void PortalRequest::unlisten() {
    if (!path_.isEmpty()) {
        bus_.disconnect(kPortalService, path_, kRequestInterface, QStringLiteral("Response"), this,
                        SLOT(onResponse(uint, QVariantMap)));
        path_.clear();
    }
}

PortalRequest* PortalRequest::start(const QDBusConnection& bus, QDBusMessage call,
                                    QVariantMap options, QObject* parent) {
    auto* request = new PortalRequest(bus, parent);
    const QString token = newToken(QStringLiteral("hushpane"));
    options.insert(QStringLiteral("handle_token"), token);
    QList<QVariant> arguments = call.arguments();
    arguments.append(options);
    call.setArguments(arguments);
    request->listen(requestPath(bus, token));

    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request,
            [request](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *w;
                if (reply.isError()) {
                    request->finish(kFailed, {{QStringLiteral("error"), reply.error().message()}});
                    return;
                }
                // Older portals choose the handle themselves.
                const QString handle = reply.value().path();
                if (!request->finished_ && handle != request->path_) {
                    request->unlisten();
                    request->listen(handle);
                }
            });
    return request;
}

void PortalRequest::onResponse(uint response, const QVariantMap& results) {
    finish(response, results);
}

void PortalRequest::finish(uint response, const QVariantMap& results) {
    if (finished_) {
        return;
    }
    finished_ = true;
    unlisten();
    Q_EMIT finished(response, results);
    deleteLater();
}

}  // namespace hushpane::wayland

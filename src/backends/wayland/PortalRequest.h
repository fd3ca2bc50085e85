#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

namespace hushpane::wayland {

// One call of a desktop portal that answers through a Request object's Response signal. The
// Response is listened for on the handle the portal will use before the call goes out, so an
// answer that comes quickly is not missed. Ends with exactly one `finished`, then deletes
// itself.
class PortalRequest : public QObject {
    Q_OBJECT
public:
    // Response codes of the portal.
    static constexpr uint kSuccess = 0;
    static constexpr uint kCancelled = 1;
    static constexpr uint kFailed = 2;

    // `call` carries the arguments; `options` (its last argument, a{sv}) gets the
    // handle_token. Starts at once.
    static PortalRequest* start(const QDBusConnection& bus, QDBusMessage call, QVariantMap options,
                                QObject* parent);

    // The path the portal gives the request with this token, for this connection.
    static QString requestPath(const QDBusConnection& bus, const QString& token);
    // A token not used before in this process.
    static QString newToken(const QString& prefix);

Q_SIGNALS:
    // kFailed with an "error" result when the call itself failed.
    void finished(uint response, const QVariantMap& results);

private Q_SLOTS:
    void onResponse(uint response, const QVariantMap& results);

private:
    PortalRequest(const QDBusConnection& bus, QObject* parent);
    bool listen(const QString& path);
    void unlisten();
    void finish(uint response, const QVariantMap& results);

    QDBusConnection bus_;
    QString path_;
    bool finished_ = false;
};

}  // namespace hushpane::wayland

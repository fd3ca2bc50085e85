#include "backends/gnome/MutterMirroredDisplays.h"

#include "common/Logging.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QVariantMap>

namespace hushpane {

namespace {

constexpr int kCallTimeoutMs = 5000;

QString text(const char* s) {
    return QString::fromLatin1(s);
}

}  // namespace

MutterMirroredDisplays::MutterMirroredDisplays(QDBusConnection bus, QObject* parent)
    : HideTrigger(parent),
      bus_(std::move(bus)),
      mutter_(text(kService), bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    mutterRunning_ = bus_.isConnected() && bus_.interface() &&
                     bus_.interface()->isServiceRegistered(text(kService)).value();
    connect(&mutter_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                mutterRunning_ = !newOwner.isEmpty();
                // A new Mutter knows nothing of the old one's state.
                if (watching_ && mutterRunning_) {
                    monitorsChanged();
                }
            });
}

std::optional<QString> MutterMirroredDisplays::unavailableReason() const {
    if (!mutterRunning_) {
        return tr("GNOME's display settings are not running");
    }
    return std::nullopt;
}

void MutterMirroredDisplays::start() {
    if (watching_) {
        return;
    }
    watching_ = true;
    bus_.connect(text(kService), text(kPath), text(kInterface), QStringLiteral("MonitorsChanged"),
                 this, SLOT(monitorsChanged()));
    monitorsChanged();
}

void MutterMirroredDisplays::stop() {
    if (!watching_) {
        return;
    }
    bus_.disconnect(text(kService), text(kPath), text(kInterface),
                    QStringLiteral("MonitorsChanged"), this, SLOT(monitorsChanged()));
    delete pending_;
    watching_ = false;
    settled_ = false;
    active_ = false;
}

void MutterMirroredDisplays::monitorsChanged() {
    if (!watching_) {
        return;
    }
    // The newest state is the one that counts: a reply still on its way is dropped.
    delete pending_;
    const auto call = QDBusMessage::createMethodCall(text(kService), text(kPath), text(kInterface),
                                                     QStringLiteral("GetCurrentState"));
    pending_ = new QDBusPendingCallWatcher(bus_.asyncCall(call, kCallTimeoutMs), this);
    connect(pending_, &QDBusPendingCallWatcher::finished, this, &MutterMirroredDisplays::finish);
}

void MutterMirroredDisplays::finish(QDBusPendingCallWatcher* call) {
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    std::optional<bool> mirrored;
    if (reply.type() == QDBusMessage::ReplyMessage) {
        mirrored = mirroredIn(reply);
        if (!mirrored) {
            qCWarning(lcDesktop) << "GNOME's display configuration came in an unknown shape";
        }
    } else {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("couldn't read GNOME's display configuration: %1")
                   .arg(reply.errorMessage());
    }
    // What cannot be read counts as not mirrored: the icons are never hidden on a guess.
    const bool active = mirrored.value_or(false);
    const bool firstAnswer = !settled_;
    settled_ = true;
    if (firstAnswer) {
        Q_EMIT settled();
    }
    if (active != active_) {
        active_ = active;
        qCInfo(lcDesktop).noquote() << (active ? QStringLiteral("GNOME mirrors a display")
                                               : QStringLiteral("GNOME mirrors no display"));
        Q_EMIT activeChanged(active);
    }
}

std::optional<bool> MutterMirroredDisplays::mirroredIn(const QDBusMessage& reply) {
    // (u serial, a(...) monitors, a(iiduba(ssss)a{sv}) logical monitors, a{sv} properties)
    const QList<QVariant> args = reply.arguments();
    if (args.size() < 3 || !args.at(2).canConvert<QDBusArgument>()) {
        return std::nullopt;
    }
    const auto logical = args.at(2).value<QDBusArgument>();
    if (logical.currentSignature() != QLatin1String("a(iiduba(ssss)a{sv})")) {
        return std::nullopt;
    }
    bool mirrored = false;
    logical.beginArray();
    while (!logical.atEnd()) {
        int x = 0;
        int y = 0;
        double scale = 0;
        uint transform = 0;
        bool primary = false;
        logical.beginStructure();
        logical >> x >> y >> scale >> transform >> primary;
        int monitors = 0;
        logical.beginArray();
        while (!logical.atEnd()) {
            QString connector, vendor, product, serial;
            logical.beginStructure();
            logical >> connector >> vendor >> product >> serial;
            logical.endStructure();
            ++monitors;
        }
        logical.endArray();
        QVariantMap properties;
        logical >> properties;
        logical.endStructure();
        mirrored = mirrored || monitors > 1;
    }
    logical.endArray();
    return mirrored;
}

}  // namespace hushpane

#include "backends/qt/MirroredScreens.h"

#include "common/Logging.h"

#include <QGuiApplication>
#include <QScreen>

namespace hushpane {

namespace {

bool anyMirrored(const QList<QScreen*>& screens) {
    for (qsizetype i = 0; i < screens.size(); ++i) {
        for (qsizetype j = i + 1; j < screens.size(); ++j) {
            const QRect a = screens[i]->geometry();
            const QRect b = screens[j]->geometry();
            if (!a.isEmpty() && !b.isEmpty() && (a.contains(b) || b.contains(a))) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

MirroredScreens::~MirroredScreens() {
    stop();
}

void MirroredScreens::start() {
    if (watching_) {
        return;
    }
    watching_ = true;
    watchScreens();
    active_ = anyMirrored(QGuiApplication::screens());
    Q_EMIT settled();
    if (active_) {
        Q_EMIT activeChanged(true);
    }
}

void MirroredScreens::stop() {
    for (const auto& connection : connections_) {
        disconnect(connection);
    }
    connections_.clear();
    watching_ = false;
    active_ = false;
}

void MirroredScreens::watchScreens() {
    for (const auto& connection : connections_) {
        disconnect(connection);
    }
    connections_.clear();
    const auto changed = [this] {
        // Screens come and go in steps (one removed, then its replacement added): judge once
        // the steps are over.
        QMetaObject::invokeMethod(this, &MirroredScreens::update, Qt::QueuedConnection);
    };
    connections_.append(connect(qApp, &QGuiApplication::screenAdded, this, changed));
    connections_.append(connect(qApp, &QGuiApplication::screenRemoved, this, changed));
    for (QScreen* screen : QGuiApplication::screens()) {
        connections_.append(connect(screen, &QScreen::geometryChanged, this, changed));
    }
}

void MirroredScreens::update() {
    if (!watching_) {
        return;
    }
    watchScreens();
    const bool active = anyMirrored(QGuiApplication::screens());
    if (active == active_) {
        return;
    }
    active_ = active;
    qCInfo(lcDesktop).noquote() << (active ? QStringLiteral("a display mirrors another")
                                           : QStringLiteral("no display mirrors another"));
    Q_EMIT activeChanged(active);
}

}  // namespace hushpane

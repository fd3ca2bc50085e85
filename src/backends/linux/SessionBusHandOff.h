#pragma once

#include <QString>
#include <QStringList>

namespace hushpane {

// The fast road of a second start: one plain call of Activate(urls) on the running instance
// (DBusSingleInstance), made before any Qt application object exists, so a hand-off costs a
// process start and one round trip and needs no display. The call never starts a new instance
// through D-Bus activation: "nobody runs" is an answer of its own.
class SessionBusHandOff {
public:
    enum class Result { delivered, nobodyRunning, failed };

    // `error` receives the bus's reason when the running instance could not be reached.
    static Result deliver(const QStringList& urls, QString* error);
};

}  // namespace hushpane

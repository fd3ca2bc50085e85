#include "support/GioSession.h"

#include "support/PrivateSession.h"

#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

namespace hushpane::test {

bool adoptSessionForGio(const PrivateSession& session) {
    session.exportEnvironment();
    // One connection for the process, never released.
    static GDBusConnection* const gioBus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (gioBus == nullptr) {
        return false;
    }
    g_dbus_connection_set_exit_on_close(gioBus, FALSE);
    return true;
}

}  // namespace hushpane::test

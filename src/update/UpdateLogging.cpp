#include "update/UpdateLogging.h"

namespace hushpane {

Q_LOGGING_CATEGORY(lcUpdates, "app.hushpane.updates")

}  // namespace hushpane

#include "common/Logging.h"

namespace hushpane {

Q_LOGGING_CATEGORY(lcDesktop, "app.hushpane.desktop", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPreferences, "app.hushpane.preferences", QtInfoMsg)

}  // namespace hushpane

#pragma once

#include <QLoggingCategory>

namespace hushpane {

// "app.hushpane.updates": update checks and their outcome.
Q_DECLARE_LOGGING_CATEGORY(lcUpdates)

}  // namespace hushpane

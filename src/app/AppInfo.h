#pragma once

#include <QString>

namespace hushpane::AppInfo {

// The short version text, "0.1.0" style; empty when the build did not say.
QString version();

}  // namespace hushpane::AppInfo

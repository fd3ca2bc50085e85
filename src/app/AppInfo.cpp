#include "app/AppInfo.h"

namespace hushpane::AppInfo {

QString version() {
#ifdef HUSHPANE_VERSION
    return QStringLiteral(HUSHPANE_VERSION);
#else
    return {};
#endif
}

}  // namespace hushpane::AppInfo

#include "app/AppInfo.h"

namespace hushpane::AppInfo {

QString version() {
#ifdef HUSHPANE_VERSION
    return QStringLiteral(HUSHPANE_VERSION);
#else
    return {};
#endif
}

QIcon icon() {
    return QIcon::fromTheme(QString::fromLatin1(kDesktopEntryId),
                            QIcon(QStringLiteral(":/icons/app.hushpane.Hushpane.svg")));
}

}  // namespace hushpane::AppInfo
